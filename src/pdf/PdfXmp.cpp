// The XMP metadata packet every document carries: the document information in the pdf, xap
// (xmp) and dc schemas, as UTF-8 XML.

#include "pdf/PdfWriter.h"
#include "pdf/Win1252.h"

namespace {

std::string XmlEscaped(std::string_view bytes)
{
    const std::string utf8 = pdf::Win1252ToUtf8(bytes);
    std::string out;
    out.reserve(utf8.size());
    for (char c : utf8) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default:
            // Control characters other than tab, CR and LF are not allowed in XML 1.0.
            if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r')
                out += ' ';
            else
                out.push_back(c);
        }
    }
    return out;
}

std::string LanguageAlternative(std::string_view element, const std::string& value)
{
    return "   <" + std::string(element) + "><rdf:Alt><rdf:li xml:lang=\"x-default\">" + value +
           "</rdf:li></rdf:Alt></" + std::string(element) + ">\n";
}

}  // namespace

int PdfWriter::WriteMetadata()
{
    std::string packet;
    packet += "<?xpacket begin=\"\xEF\xBB\xBF\" id=\"W5M0MpCehiHzreSzNTczkc9d\"?>\n";
    packet += "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\">\n";
    packet += " <rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">\n";
    packet += "  <rdf:Description rdf:about=\"\" xmlns:pdf=\"http://ns.adobe.com/pdf/1.3/\">\n";
    packet += "   <pdf:Producer>" + XmlEscaped(producer_) + "</pdf:Producer>\n";
    packet += "   <pdf:Keywords>" + XmlEscaped(keywords_) + "</pdf:Keywords>\n";
    packet += "  </rdf:Description>\n";
    packet += "  <rdf:Description rdf:about=\"\" xmlns:xap=\"http://ns.adobe.com/xap/1.0/\">\n";
    packet += "   <xap:CreateDate>" + creationDateXmp_ + "</xap:CreateDate>\n";
    packet += "   <xap:ModifyDate>" + creationDateXmp_ + "</xap:ModifyDate>\n";
    packet += "   <xap:MetadataDate>" + creationDateXmp_ + "</xap:MetadataDate>\n";
    packet += "   <xap:CreatorTool>" + XmlEscaped(creator_) + "</xap:CreatorTool>\n";
    packet += "  </rdf:Description>\n";
    packet += "  <rdf:Description rdf:about=\"\" xmlns:dc=\"http://purl.org/dc/elements/1.1/\">\n";
    packet += "   <dc:format>application/pdf</dc:format>\n";
    packet += LanguageAlternative("dc:title", XmlEscaped(title_));
    packet += LanguageAlternative("dc:description", XmlEscaped(subject_));
    packet += "   <dc:creator><rdf:Seq><rdf:li>" + XmlEscaped(author_) + "</rdf:li></rdf:Seq></dc:creator>\n";
    packet += "  </rdf:Description>\n";
    packet += " </rdf:RDF>\n";
    packet += "</x:xmpmeta>\n";
    packet += "<?xpacket end=\"w\"?>";

    const int metadata = OpenIndirectObject();
    WriteLine("<< /Type /Metadata /Subtype /XML");
    WriteStream(packet, metadata);
    CloseIndirectObject();
    return metadata;
}
