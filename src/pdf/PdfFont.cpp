// Font selection and font objects: the built-in families and TrueType files (AddFont).

#include "pdf/FontMetrics.h"
#include "pdf/PdfFormat.h"
#include "pdf/PdfWriter.h"
#include "pdf/TrueTypeFont.h"

#include <cctype>
#include <fstream>
#include <iterator>
#include <sys/stat.h>

namespace {

constexpr int kFileNotFound = 53;
constexpr int kInvalidFileFormat = 321;

std::string UpperCased(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

std::string WithoutBlanks(std::string_view text)
{
    std::string out;
    for (char c : text)
        if (c != ' ')
            out.push_back(c);
    return out;
}

bool FileExists(const std::string& path)
{
    struct stat info{};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

const FontRecord* PdfWriter::CurrentFontRecord() const
{
    if (currentFont_ < 1 || static_cast<std::size_t>(currentFont_) > fontTable_.size())
        return nullptr;
    return &fontTable_[static_cast<std::size_t>(currentFont_ - 1)];
}

int PdfWriter::FindFont(std::string_view key, int encoding) const
{
    for (std::size_t i = 0; i < fontTable_.size(); ++i)
        if (fontTable_[i].Key == key && fontTable_[i].Encoding == encoding)
            return static_cast<int>(i + 1);
    return 0;
}

// Fonts of a name that is not built in are all named after it; when two styles of one such
// name are used, the later one gets the style in its resource name so that the /Font
// dictionary never holds one name twice.
std::string PdfWriter::UniqueResourceName(std::string name, int style) const
{
    for (const FontRecord& record : fontTable_) {
        if (record.ResourceName == name) {
            const std::string suffix = pdf::StyleSuffix(style);
            return name + (suffix.empty() ? ",Regular" : suffix);
        }
    }
    return name;
}

void PdfWriter::SetFont(std::string_view name, float size, int style, int encoding)
{
    fontName_ = std::string(name);
    fontStyle_ = style;
    if (size != 0)
        fontSize_ = size;
    if (fontSize_ == 0)
        fontSize_ = 10;

    const pdf::FontFamily family = pdf::FamilyOf(name);
    const std::string mac = encoding == 1 ? "MAC" : "";
    std::string resource;
    std::string key;
    if (family == pdf::FontFamily::Other) {
        resource = pdf::PdfName(WithoutBlanks(name) + mac);
        // A font added with AddFont is found by its own name whatever the style asked for.
        if (const int added = FindFont(UpperCased(resource), encoding);
            added != 0 && fontTable_[static_cast<std::size_t>(added - 1)].IsTrueType) {
            currentFont_ = added;
            fontResource_ = fontTable_[static_cast<std::size_t>(added - 1)].ResourceName;
            return;
        }
        key = UpperCased(resource + pdf::StyleSuffix(style));
    } else {
        resource = std::string(pdf::FamilyName(family));
        if (family == pdf::FontFamily::TimesNewRoman || family == pdf::FontFamily::CourierNew ||
            family == pdf::FontFamily::Arial)
            resource += pdf::StyleSuffix(style);
        resource += mac;
        key = UpperCased(resource);
    }

    int index = FindFont(key, encoding);
    if (index == 0) {
        FontRecord record;
        record.Key = key;
        record.Encoding = encoding;
        record.ResourceName = family == pdf::FontFamily::Other ? UniqueResourceName(resource, style) : resource;
        pdf::LoadFontMetrics(record, family, style & 3);
        fontTable_.push_back(record);
        index = static_cast<int>(fontTable_.size());
        // A font chosen before the document is open is written as soon as it opens.
        if (file_ != nullptr)
            WriteFontObject(fontTable_.back(), fontTable_.back().ResourceName, {}, {});
    }
    currentFont_ = index;
    fontResource_ = fontTable_[static_cast<std::size_t>(index - 1)].ResourceName;
}

void PdfWriter::WriteFontObject(FontRecord& record, std::string_view resourceName, std::string_view fontFile,
                                std::string_view descriptorEntries)
{
    const int font = OpenIndirectObject();
    record.Object = font;
    fontResources_.append("/").append(resourceName).append(" ").append(std::to_string(font)).append(" 0 R ");
    WriteLine("<< /Type /Font /Subtype /" + std::string(record.IsTrueType ? "TrueType" : "Type1") + " /Name /" +
              std::string(resourceName) + " /BaseFont /" + record.BaseFont + " /FirstChar 0 /LastChar 255");
    if (!record.IsSymbolic())
        WriteLine(std::string("/Encoding << /Type /Encoding /BaseEncoding /") +
                  (record.Encoding == 1 ? "MacRomanEncoding" : "WinAnsiEncoding") + ">>");
    if (!record.IsTrueType) {
        WriteLine(" >>");
        CloseIndirectObject();
        return;
    }
    std::string widths = "/FontDescriptor " + std::to_string(font + 1) + " 0 R\r/Widths [";
    for (int code = 0; code < 256; ++code) {
        widths += ' ';
        widths += std::to_string(record.Widths[static_cast<std::size_t>(code)]);
        if (code % 16 == 15)
            widths += '\r';
    }
    widths += "]\r>>";
    WriteLine(widths);
    CloseIndirectObject();

    OpenIndirectObject();
    WriteLine("<< /Type /FontDescriptor /FontName /" + record.BaseFont + " " + std::string(descriptorEntries) + " ");
    if (fontFile.empty()) {
        WriteLine(" >>");
        CloseIndirectObject();
        return;
    }
    WriteLine("/FontFile2 " + std::to_string(font + 2) + " 0 R >>");
    CloseIndirectObject();
    const int file = OpenIndirectObject();
    WriteLine("<<");
    WriteStream(fontFile, file, {}, static_cast<long long>(fontFile.size()));
    CloseIndirectObject();
}

void PdfWriter::WritePendingFonts()
{
    for (FontRecord& record : fontTable_)
        if (record.Object == 0 && !record.IsTrueType)
            WriteFontObject(record, record.ResourceName, {}, {});
}

namespace {

std::string DescriptorEntries(const pdf::TrueTypeMetrics& m)
{
    // Built with to_string, never a stream, so that no global locale can group the digits.
    using std::to_string;
    const bool italic = m.italicAngle != 0;
    const int flags = (italic ? 64 : 0) + (m.fixedPitch ? 1 : 0) + (m.symbolic ? 4 : 32);
    return "/Flags " + to_string(flags) + " /FontBBox [" + to_string(m.bbox[0]) + " " + to_string(m.bbox[1]) + " " +
           to_string(m.bbox[2]) + " " + to_string(m.bbox[3]) + "] /MissingWidth " + to_string(m.missingWidth) +
           " /StemV " + to_string(m.weight > 500 ? 120 : 70) + " /ItalicAngle " +
           to_string(static_cast<int>(m.italicAngle)) + " /CapHeight " + to_string(m.capHeight) + " /XHeight " +
           to_string(m.capHeight / 2) + " /Ascent " + to_string(m.ascent) + " /Descent " + to_string(m.bbox[1]) +
           " /MaxWidth " + to_string(m.maxWidth) + " /AvgWidth " + to_string(m.averageWidth);
}

}  // namespace

std::string PdfWriter::AddFont(const std::string& fontFile, std::string_view alias, bool embedded, int encoding)
{
    if (!FileExists(fontFile)) {
        RecordError("AddFont", fontFile, kFileNotFound, "File not found");
        return {};
    }
    std::ifstream in(fontFile, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto metrics = pdf::ReadTrueTypeMetrics(bytes);
    if (!metrics) {
        RecordError("AddFont", fontFile, kInvalidFileFormat, "Invalid file format");
        return {};
    }
    if (file_ == nullptr) {
        // The font file is embedded while it is read: there must be a document to write into.
        RecordError("AddFont", fontFile, 52, "no document is open for writing");
        return {};
    }
    const std::string name = WithoutBlanks(alias.empty() ? std::string_view(metrics->name) : alias);
    const std::string resource = pdf::PdfName(name);
    if (const int existing = FindFont(UpperCased(resource), encoding); existing != 0)
        return name;  // already loaded: writing it twice would repeat its resource name

    FontRecord record;
    record.Key = UpperCased(resource);
    record.ResourceName = resource;
    record.IsTrueType = true;
    record.Encoding = encoding;
    record.Widths = metrics->widths;
    record.LineHeight = metrics->ascent - metrics->descent;
    record.Descent = metrics->descent;
    const bool bold = metrics->weight > 500;
    const bool italic = metrics->italicAngle != 0;
    record.BaseFont = pdf::PdfName(metrics->name);
    if (bold || italic)
        record.BaseFont += std::string(",") + (bold ? "Bold" : "") + (italic ? "Italic" : "");
    fontTable_.push_back(record);
    WriteFontObject(fontTable_.back(), fontTable_.back().ResourceName, embedded ? std::string_view(bytes) : std::string_view{},
                    DescriptorEntries(*metrics));
    return name;
}
