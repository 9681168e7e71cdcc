// Document and page life cycle and the file skeleton: header, page objects, shared resource
// dictionaries, page tree, catalog, information dictionary, cross-reference table and trailer.

#include "pdf/PdfFormat.h"
#include "pdf/PdfWriter.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>
#include <random>

namespace {

constexpr const char* kLibraryName = "PdfWriter Library";
constexpr int kPathAccessError = 75;

// "D:yyyymmddhhmmss" followed by the real offset of local time from UTC ("+01'00'", "Z" at UTC),
// and the same instant in the XMP date form.
void LocalTimeStamps(std::string& pdfDate, std::string& xmpDate)
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const long offsetMinutes = local.tm_gmtoff / 60;
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d%H%M%S", &local);
    char iso[32];
    std::strftime(iso, sizeof iso, "%Y-%m-%dT%H:%M:%S", &local);
    char zone[48];
    char isoZone[48];
    if (offsetMinutes == 0) {
        std::snprintf(zone, sizeof zone, "Z");
        std::snprintf(isoZone, sizeof isoZone, "Z");
    } else {
        const char sign = offsetMinutes < 0 ? '-' : '+';
        const long magnitude = offsetMinutes < 0 ? -offsetMinutes : offsetMinutes;
        std::snprintf(zone, sizeof zone, "%c%02ld'%02ld'", sign, magnitude / 60, magnitude % 60);
        std::snprintf(isoZone, sizeof isoZone, "%c%02ld:%02ld", sign, magnitude / 60, magnitude % 60);
    }
    pdfDate = std::string("D:") + stamp + zone;
    xmpDate = std::string(iso) + isoZone;
}

// "~" + hexadecimal of (day, hour, minute, second, one random digit) + ".pdf".
std::string TemporaryFileName()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::random_device device;
    char digits[32];
    std::snprintf(digits, sizeof digits, "%d%02d%02d%02d%u", local.tm_mday, local.tm_hour, local.tm_min,
                  local.tm_sec, device() % 10);
    char name[40];
    std::snprintf(name, sizeof name, "~%llX.pdf", std::strtoull(digits, nullptr, 10));
    return name;
}

}  // namespace

PdfWriter::PdfWriter()
{
    ResetState();
}

PdfWriter::~PdfWriter()
{
    CloseFile();
}

void PdfWriter::Abort()
{
    ResetState();
}

void PdfWriter::ResetState()
{
    CloseFile();
    fileOffset_ = 0;
    fileName_.clear();
    finalFileSize_ = 0;
    title_ = "(senza titolo)";
    subject_.clear();
    keywords_.clear();
    author_ = "KIVO";
    creator_ = "KIVO PdfWriter (C++)";
    producer_ = kLibraryName;
    LocalTimeStamps(creationDate_, creationDateXmp_);
    pageWidth_ = 596;
    pageHeight_ = 842;
    scale_ = 1.0f;
    defaultRotation_ = pageRotation_ = 0;
    marginLeft_ = marginRight_ = marginTop_ = marginBottom_ = 0;
    clipToMargins_ = false;
    versionBump_ = 0;
    highestObject_ = currentObject_ = 0;
    objectOffsets_.clear();
    pageObjects_.clear();
    pageCount_ = 0;
    kidsList_.clear();
    pageOpen_ = formOpen_ = tilingOpen_ = false;
    pageContent_.Reset();
    formContent_.Reset();
    tilingContent_.Reset();
    pageAnnotations_.clear();
    fontResources_.clear();
    formResources_.clear();
    imageResources_.clear();
    graphicStates_.clear();
    patterns_.clear();
    compression_ = CompressionState{};
    import_ = ImportState{};
    viewerFlags_ = 0;
    growthFactor_ = 1;
    errNumber_ = 0;
    errSource_.clear();
    errDescription_.clear();

    fontTable_.clear();
    fontName_.clear();
    fontStyle_ = 0;
    fontSize_ = 0;
    fontResource_.clear();
    currentFont_ = 0;
    charSpacing_ = wordSpacing_ = 0;
    horizontalScaling_ = 100;
    lineSpacing_ = 1;
    textColor_ = "#000000";
    textColorExtra_.clear();
    fillColor_ = "#FFFFFF";
    fillColorExtra_.clear();
    lineColor_ = "#000000";
    lineColorExtra_.clear();
    x_ = y_ = 0;
    lastTextBox_ = {};
    formObjects_.clear();
}

std::string PdfWriter::BeginDoc(const std::string& fileName)
{
    CloseFile();
    std::string name = fileName.empty() ? TemporaryFileName() : fileName;
    fileName_ = name;
    fileOffset_ = 0;
    file_ = std::fopen(name.c_str(), "wb");
    if (file_ == nullptr) {
        RecordError("BeginDoc", name, kPathAccessError, std::strerror(errno));
    } else {
        fileBuffer_.resize(1 << 16);
        std::setvbuf(file_, fileBuffer_.data(), _IOFBF, fileBuffer_.size());
        WriteLine("%PDF-1.3");
        WriteLine(std::string("% ") + kLibraryName + " rel. " + Version());
    }
    highestObject_ = 3;  // 1 page tree, 2 and 3 the shared resource dictionaries, written at the end
    if (file_ != nullptr)
        WritePendingFonts();
    return name;
}

int PdfWriter::BeginPage()
{
    if (pageOpen_)
        EndPage();
    ++pageCount_;
    if (pageObjects_.capacity() == 0)
        pageObjects_.reserve(static_cast<std::size_t>(growthFactor_) * 10);
    pageObjects_.push_back(0);
    pageAnnotations_.clear();
    pageContent_.Reset();
    pageOpen_ = true;
    SetColorFill("Black");
    SetColorLine("Black");
    SetColorText("Black");
    if (!formObjects_.empty())
        PlayAutomaticObjects(false);
    pageRotation_ = defaultRotation_;
    charSpacing_ = wordSpacing_ = 0;
    x_ = y_ = 0;
    horizontalScaling_ = 100;
    lineSpacing_ = 1;
    return pageCount_;
}

std::string PdfWriter::PageTransform() const
{
    std::string t = "1 0 0 -1 ";
    pdf::AppendNumber(t, marginLeft_);
    t += ' ';
    pdf::AppendNumber(t, pageHeight_ - marginTop_);
    t += " cm \r";
    if (clipToMargins_) {
        t += "0 0 ";
        pdf::AppendNumber(t, pageWidth_ - marginRight_ - marginLeft_);
        t += ' ';
        pdf::AppendNumber(t, pageHeight_ - marginBottom_ - marginTop_);
        t += " re W n\r";
    }
    return t;
}

void PdfWriter::WritePageDictionary(int pageObject, int rotation)
{
    std::string box = "[0 0 ";
    pdf::AppendNumber(box, pageWidth_);
    box += ' ';
    pdf::AppendNumber(box, pageHeight_);
    box += ']';
    std::string line = "<< /Type /Page /Parent 1 0 R /Contents " + std::to_string(pageObject + 1) + " 0 R\r";
    static constexpr const char* kRotate[] = {nullptr, "/Rotate 270", "/Rotate 180", "/Rotate 90"};
    if (rotation >= 1 && rotation <= 3) {
        line += kRotate[rotation];
        line += '\r';
    }
    line += "/MediaBox " + box + "\r/CropBox " + box + "\r/BleedBox " + box + "\r";
    if (!pageAnnotations_.empty())
        line += "/Annots " + std::to_string(pageObject + 2) + " 0 R";
    line += "/Resources 2 0 R";
    // Page transitions and page scripts would add their entries here.
    line += ">>";
    WriteLine(line);
}

void PdfWriter::EndPage()
{
    if (!pageOpen_)
        return;
    if (!formObjects_.empty())
        PlayAutomaticObjects(true);
    pageOpen_ = false;

    std::string content = PageTransform();
    content.append(pageContent_.View());

    const int page = OpenIndirectObject();
    pageObjects_[static_cast<std::size_t>(pageCount_ - 1)] = page;
    WritePageDictionary(page, pageRotation_);
    CloseIndirectObject();
    kidsList_ += std::to_string(page);
    kidsList_ += " 0 R ";

    const int contents = OpenIndirectObject();
    WriteLine("<<");
    WriteStream(content, contents);
    CloseIndirectObject();

    if (!pageAnnotations_.empty()) {
        OpenIndirectObject();
        WriteLine("[ " + pageAnnotations_ + " ]");
        CloseIndirectObject();
    }
}

void PdfWriter::WriteResourceDictionary(int number, bool withPatterns)
{
    OpenIndirectObject(number);
    std::string line = "<<\r";
    if (!fontResources_.empty())
        line += "/Font <<\r" + fontResources_ + ">>\r";
    line += "/ProcSet [/PDF /Text";
    if (!imageResources_.empty())
        line += " /ImageB /ImageC /ImageI";
    line += " ]\r";
    // Optional-content properties (layers) would go here.
    line += '\r';
    if (!imageResources_.empty() || !formResources_.empty()) {
        line += "/XObject <<\r";
        if (!imageResources_.empty())
            line += imageResources_ + "\r";
        if (!formResources_.empty())
            line += formResources_ + "\r";
        line += ">>\r";
    }
    if (withPatterns && !patterns_.empty())
        line += "/ColorSpace << /xxCSxx [ /Pattern /DeviceRGB ] >> \r/Pattern <<\r" + patterns_ + ">>\r";
    if (!graphicStates_.empty())
        line += "/ExtGState << " + graphicStates_ + " >> \r";
    line += ">>";
    WriteLine(line);
    CloseIndirectObject();
}

void PdfWriter::WritePageTree()
{
    OpenIndirectObject(1);
    WriteLine("<<\r/Type /Pages /Count " + std::to_string(pageCount_) + "\r/Kids [" + kidsList_ + "] \r>>");
    CloseIndirectObject();
}

int PdfWriter::WriteCatalog(int metadataObject)
{
    if (viewerFlags_ & 0x0080)
        RaiseVersion(1);  // DisplayDocTitle is a PDF 1.4 entry
    if ((viewerFlags_ & 0x000F) == 8)
        RaiseVersion(2);  // optional content is PDF 1.5
    const int catalog = OpenIndirectObject();
    // Outlines, page labels, named destinations, form fields and scripts would add their
    // entries to this first line.
    WriteLine("<< /Type /Catalog\r/Pages 1 0 R\r/Metadata " + std::to_string(metadataObject) + " 0 R");
    switch (viewerFlags_ & 0xF000) {
    case 0x2000: WriteLine("/PageLayout /OneColumn"); break;
    case 0x4000: WriteLine("/PageLayout /TwoColumnLeft"); break;
    case 0x8000: WriteLine("/PageLayout /TwoColumnRight"); break;
    default: break;
    }
    switch (viewerFlags_ & 0x000F) {
    case 1: WriteLine("/PageMode /FullScreen"); break;
    case 4: WriteLine("/PageMode /UseThumbs"); break;
    case 8: WriteLine("/PageMode /UseOC"); break;
    default: break;  // 2 (outlines) needs bookmarks, which this writer does not make yet
    }
    std::string preferences = "/ViewerPreferences << ";
    static constexpr struct { int bit; const char* entry; } kPreferences[] = {
        {0x0010, "/HideMenubar true "}, {0x0020, "/HideToolbar true "}, {0x0040, "/HideWindowUI true "},
        {0x0080, "/DisplayDocTitle true "}, {0x0100, "/CenterWindow true "}, {0x0200, "/FitWindow true "},
    };
    for (const auto& p : kPreferences)
        if (viewerFlags_ & p.bit)
            preferences += p.entry;
    preferences += " >>";
    WriteLine(preferences);
    WriteLine(">>");
    CloseIndirectObject();
    return catalog;
}

int PdfWriter::WriteInformation()
{
    const int info = OpenIndirectObject();
    WriteLine("<<\r/Title " + PdfLiteral(title_) + "\r/Author " + PdfLiteral(author_) + "\r/Creator " +
              PdfLiteral(creator_) + "\r/Producer " + PdfLiteral(producer_) + "\r/CreationDate " +
              PdfLiteral(creationDate_) + "\r/Subject " + PdfLiteral(subject_) + "\r/Keywords " +
              PdfLiteral(keywords_) + "\r>>");
    CloseIndirectObject();
    return info;
}

void PdfWriter::WriteCrossReference()
{
    std::string table = "xref\n0 " + std::to_string(highestObject_ + 1) + "\n0000000000 65535 f\r\n";
    table.reserve(table.size() + static_cast<std::size_t>(highestObject_) * 20);
    char entry[48];
    for (int n = 1; n <= highestObject_; ++n) {
        const long long offset = static_cast<std::size_t>(n) < objectOffsets_.size() ? objectOffsets_[static_cast<std::size_t>(n)] : -1;
        // An object number that was allocated but never written is listed as free.
        if (offset < 0)
            std::snprintf(entry, sizeof entry, "0000000000 65535 f\r\n");
        else
            std::snprintf(entry, sizeof entry, "%010lld 00000 n\r\n", offset);
        table.append(entry, 20);
    }
    WriteBytes(table);
}

void PdfWriter::ApplyVersionBump()
{
    if (versionBump_ <= 0 || file_ == nullptr)
        return;
    std::fflush(file_);
    std::fseek(file_, 0, SEEK_SET);
    const std::string header = "%PDF-1." + std::to_string(3 + versionBump_) + "\n";
    std::fwrite(header.data(), 1, header.size(), file_);
    std::fseek(file_, 0, SEEK_END);
}

void PdfWriter::EndDoc()
{
    // A form object left open would lose its drawing and leave its name unresolved.
    if (formOpen_)
        EndObject();
    if (pageCount_ == 0)
        BeginPage();
    if (pageOpen_)
        EndPage();
    // Outlines, encryption, document scripts and layers would be written here.
    const int metadata = WriteMetadata();
    WriteResourceDictionary(3, false);
    WriteResourceDictionary(2, true);
    WritePageTree();
    const int catalog = WriteCatalog(metadata);
    const int info = WriteInformation();

    const long long xref = fileOffset_;
    WriteCrossReference();
    WriteLine("trailer\n<< /Size " + std::to_string(highestObject_ + 1) + " /Info " + std::to_string(info) +
              " 0 R /Root " + std::to_string(catalog) + " 0 R");
    WriteLine(">>\nstartxref\n" + std::to_string(xref) + "\n%%EOF");
    ApplyVersionBump();
    finalFileSize_ = fileOffset_;
    if (file_ != nullptr && std::fclose(file_) != 0)
        RecordError("EndDoc", fileName_, errno, std::strerror(errno));
    file_ = nullptr;
}
