// The file skeleton: objects, cross-reference table, trailer, header version, page geometry
// queries and the error-recording convention.

#include "PdfTestFiles.h"
#include "pdf/PdfWriter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>
#include <unistd.h>

using pdftest::ObjectText;
using pdftest::ReadFile;
using pdftest::ScratchPath;

namespace {

// Every in-use entry of the cross-reference table is 20 bytes and points at "<n> 0 obj".
void ExpectCrossReferenceMatchesFile(const std::string& file)
{
    const std::size_t startxref = file.rfind("startxref\n");
    ASSERT_NE(startxref, std::string::npos);
    const std::size_t xref = std::stoul(file.substr(startxref + 10));
    ASSERT_EQ(file.compare(xref, 5, "xref\n"), 0);
    const std::size_t countAt = xref + 5;
    const std::size_t countEnd = file.find('\n', countAt);
    const int size = std::stoi(file.substr(countAt + 2, countEnd - countAt - 2));
    std::size_t entry = countEnd + 1;
    EXPECT_EQ(file.substr(entry, 20), "0000000000 65535 f\r\n");
    for (int n = 1; n < size; ++n) {
        entry += 20;
        const std::string line = file.substr(entry, 20);
        ASSERT_EQ(line.substr(10), " 00000 n\r\n") << "entry " << n;
        const std::size_t offset = std::stoul(line.substr(0, 10));
        EXPECT_EQ(file.compare(offset, std::to_string(n).size() + 7, std::to_string(n) + " 0 obj\n"), 0)
            << "object " << n << " is not at " << offset;
    }
    EXPECT_EQ(file.compare(entry + 20, 8, "trailer\n"), 0);
    EXPECT_NE(file.find("<< /Size " + std::to_string(size) + " "), std::string::npos);
}

std::string SmallestDocumentExpected(const std::string& metadataObject, const std::string& creationDate)
{
    std::string expected = "%PDF-1.3\n% PdfWriter Library rel. 2.4.8\n";
    std::map<int, std::size_t> offsets;
    auto object = [&](int n, const std::string& body) {
        offsets[n] = expected.size();
        expected += std::to_string(n) + " 0 obj\n" + body + "endobj\n";
    };
    const std::string content = "1 0 0 -1 0 842 cm \r0 0 0 rg\r0 0 0 RG\r";
    EXPECT_EQ(content.size(), 37u);
    const std::string resources = "<<\r/ProcSet [/PDF /Text ]\r\r>>\n";
    object(4, "<< /Type /Page /Parent 1 0 R /Contents 5 0 R\r/MediaBox [0 0 596 842]\r/CropBox [0 0 596 842]\r"
              "/BleedBox [0 0 596 842]\r/Resources 2 0 R>>\n");
    object(5, "<<\n/Length 37 >>\rstream\n" + content + "\nendstream\n");
    object(6, metadataObject);
    object(3, resources);
    object(2, resources);
    object(1, "<<\r/Type /Pages /Count 1\r/Kids [4 0 R ] \r>>\n");
    object(7, "<< /Type /Catalog\r/Pages 1 0 R\r/Metadata 6 0 R\n/ViewerPreferences <<  >>\n>>\n");
    object(8, "<<\r/Title (\\(senza titolo\\))\r/Author (KIVO)\r/Creator (KIVO PdfWriter \\(C++\\))\r"
              "/Producer (PdfWriter Library)\r/CreationDate (" + creationDate + ")\r/Subject ()\r/Keywords ()\r>>\n");
    const std::size_t xref = expected.size();
    expected += "xref\n0 9\n0000000000 65535 f\r\n";
    char entry[32];
    for (int n = 1; n <= 8; ++n) {
        std::snprintf(entry, sizeof entry, "%010zu 00000 n\r\n", offsets[n]);
        expected += entry;
    }
    expected += "trailer\n<< /Size 9 /Info 8 0 R /Root 7 0 R\n>>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
    return expected;
}

}  // namespace

TEST(DocumentStructure, SmallestDocumentIsExactlyTheSkeleton)
{
    const std::string path = ScratchPath("smallest.pdf");
    PdfWriter writer;
    EXPECT_EQ(writer.BeginDoc(path), path);
    writer.EndDoc();
    EXPECT_EQ(writer.ErrNumber(), 0) << writer.ErrDescription();

    const std::string file = ReadFile(path);
    const std::string metadata = ObjectText(file, 6);
    ASSERT_EQ(metadata.rfind("<< /Type /Metadata /Subtype /XML\n/Length ", 0), 0u) << metadata;
    std::smatch date;
    ASSERT_TRUE(std::regex_search(file, date, std::regex(R"(/CreationDate \((D:\d{14}(Z|[+-]\d\d'\d\d'))\))")));

    EXPECT_EQ(file, SmallestDocumentExpected(metadata, date[1].str()));
    EXPECT_EQ(writer.FileSize(), static_cast<long long>(file.size()));
    ExpectCrossReferenceMatchesFile(file);
    EXPECT_TRUE(pdftest::QpdfCheckPasses(path));
}

TEST(DocumentStructure, MetadataPacketCarriesTheDocumentInformation)
{
    const std::string path = ScratchPath("metadata.pdf");
    PdfWriter writer;
    writer.SetDocProperty("Riepilogo <verifica> & società", "Soggetto", "Studio Rossi", "", "", "antiriciclaggio");
    writer.BeginDoc(path);
    writer.EndDoc();
    const std::string packet = pdftest::StreamData(ReadFile(path), 6);
    EXPECT_EQ(packet.rfind("<?xpacket begin=", 0), 0u);
    EXPECT_NE(packet.find("Riepilogo &lt;verifica&gt; &amp; societ\xC3\xA0"), std::string::npos) << packet;
    EXPECT_NE(packet.find("<rdf:li>Studio Rossi</rdf:li>"), std::string::npos);
    EXPECT_NE(packet.find("<pdf:Keywords>antiriciclaggio</pdf:Keywords>"), std::string::npos);
    EXPECT_NE(packet.find("<pdf:Producer>PdfWriter Library</pdf:Producer>"), std::string::npos);
    EXPECT_NE(packet.find("<?xpacket end=\"w\"?>"), std::string::npos);
    EXPECT_TRUE(pdftest::QpdfCheckPasses(path));
    const auto xmp = pdftest::Run({"pdfinfo", "-meta", path});
    EXPECT_NE(xmp.output.find("<dc:title>"), std::string::npos) << xmp.output;
}

TEST(DocumentStructure, InformationStringsAreEscapedAndWrittenAsWindows1252)
{
    const std::string path = ScratchPath("info.pdf");
    PdfWriter writer;
    writer.SetDocProperty("a(b)c\\d", "Perché", "", "", "", "");
    writer.BeginDoc(path);
    writer.EndDoc();
    const std::string file = ReadFile(path);
    EXPECT_NE(file.find("/Title (a\\(b\\)c\\\\d)\r"), std::string::npos);
    EXPECT_NE(file.find("/Subject (Perch\xE9)\r"), std::string::npos);
    EXPECT_NE(file.find("/Author (KIVO)\r"), std::string::npos);  // empty arguments keep the defaults
    const auto info = pdftest::Run({"pdfinfo", path});
    EXPECT_NE(info.output.find("a(b)c\\d"), std::string::npos) << info.output;
    EXPECT_NE(info.output.find("Perch\xC3\xA9"), std::string::npos) << info.output;
}

TEST(DocumentStructure, PagesGetConsecutiveObjectsAndTheTreeListsThemInOrder)
{
    const std::string path = ScratchPath("pages.pdf");
    PdfWriter writer;
    writer.BeginDoc(path);
    EXPECT_EQ(writer.BeginPage(), 1);
    EXPECT_EQ(writer.BeginPage(), 2);  // ends page 1 first
    const long long afterTwo = writer.FileSize();
    writer.EndPage();
    const long long afterEnd = writer.FileSize();
    EXPECT_GT(afterEnd, afterTwo);
    writer.EndPage();  // no page open: nothing written
    EXPECT_EQ(writer.FileSize(), afterEnd);
    EXPECT_EQ(writer.BeginPage(), 3);
    writer.EndDoc();
    EXPECT_EQ(writer.GetPage(), 3);
    const std::string file = ReadFile(path);
    EXPECT_NE(file.find("/Type /Pages /Count 3\r/Kids [4 0 R 6 0 R 8 0 R ] \r"), std::string::npos);
    EXPECT_NE(ObjectText(file, 6).find("/Contents 7 0 R"), std::string::npos);
    ExpectCrossReferenceMatchesFile(file);
    EXPECT_TRUE(pdftest::QpdfCheckPasses(path));
}

TEST(DocumentStructure, HeaderVersionIsRaisedByTheFeaturesUsed)
{
    const struct {
        int viewerFlags;
        const char* header;
        const char* catalogLine;
    } cases[] = {
        {0, "%PDF-1.3\n", "/ViewerPreferences <<  >>\n"},
        {0x0080, "%PDF-1.4\n", "/ViewerPreferences << /DisplayDocTitle true  >>\n"},
        {0x0088, "%PDF-1.5\n", "/PageMode /UseOC\n"},
        {0x2301, "%PDF-1.3\n", "/PageLayout /OneColumn\n/PageMode /FullScreen\n"
                               "/ViewerPreferences << /CenterWindow true /FitWindow true  >>\n"},
    };
    for (const auto& c : cases) {
        const std::string path = ScratchPath("version" + std::to_string(c.viewerFlags) + ".pdf");
        PdfWriter writer;
        writer.SetViewerPreferences(c.viewerFlags);
        writer.BeginDoc(path);
        writer.EndDoc();
        const std::string file = ReadFile(path);
        EXPECT_EQ(file.substr(0, 9), c.header) << c.viewerFlags;
        EXPECT_NE(file.find(c.catalogLine), std::string::npos) << c.viewerFlags;
        EXPECT_TRUE(pdftest::QpdfCheckPasses(path));
    }
}

TEST(DocumentStructure, ScaleAndPaperSizeQueries)
{
    const struct {
        int scaleMode;
        float factor;
        int paper;
        float width, height;
        float expectedWidth, expectedHeight;
        const char* mediaBox;
    } cases[] = {
        {0, 0, 0, 0, 0, 596, 842, "[0 0 596 842]"},
        {3, 1, 1, 0, 0, 842 / 28.346457f, 596 / 28.346457f, "[0 0 842 596]"},
        {3, 1, 255, 21, 29.7f, 21, 29.7f, "[0 0 595.276 841.89]"},
        {1, 1, 8, 0, 0, 8.5f, 11, "[0 0 612 792]"},
        {2, 1, -8, 0, 0, 2384 / 2.8346455f, 3371 / 2.8346455f, "[0 0 2384 3371]"},
        {255, 2, 17, 0, 0, 378, 261, "[0 0 756 522]"},
        {0, 0, 42, 0, 0, 596, 842, "[0 0 596 842]"},  // unknown paper: size unchanged
        {7, 0, 0, 0, 0, 596, 842, "[0 0 596 842]"},   // unknown unit: scale unchanged
    };
    int index = 0;
    for (const auto& c : cases) {
        const std::string path = ScratchPath("paper" + std::to_string(index++) + ".pdf");
        PdfWriter writer;
        writer.SetScale(c.scaleMode, c.factor);
        writer.SetPaperSize(c.paper, c.width, c.height);
        EXPECT_NEAR(writer.GetPageWidth(false), c.expectedWidth, 1e-3) << index;
        EXPECT_NEAR(writer.GetPageHeight(false), c.expectedHeight, 1e-3) << index;
        writer.BeginDoc(path);
        writer.EndDoc();
        EXPECT_NE(ReadFile(path).find("/MediaBox " + std::string(c.mediaBox)), std::string::npos) << index;
    }
    PdfWriter cm;
    cm.SetScale(3, 1);
    cm.SetPaperSize(1, 0, 0);
    EXPECT_NEAR(cm.GetPageWidth(false), 29.704f, 1e-3);
    cm.SetMargins(1, 2, 1.5f, 0.5f, false);
    EXPECT_NEAR(cm.GetPageWidth(true), 29.704f - 3, 1e-3);
    EXPECT_NEAR(cm.GetPageHeight(true), 596 / 28.346457f - 2, 1e-3);
}

TEST(DocumentStructure, MarginsMoveTheOriginAndClipToTheMarginBox)
{
    const std::string path = ScratchPath("margins.pdf");
    PdfWriter writer;
    writer.SetMargins(20, 30, 40, 50, true);
    writer.SetPageView(3);
    writer.BeginDoc(path);
    writer.BeginPage();
    writer.EndDoc();
    const std::string file = ReadFile(path);
    EXPECT_EQ(pdftest::StreamData(file, 5).rfind("1 0 0 -1 20 802 cm \r0 0 546 752 re W n\r0 0 0 rg\r", 0), 0u);
    EXPECT_NE(ObjectText(file, 4).find("/Contents 5 0 R\r/Rotate 90\r/MediaBox"), std::string::npos);
    EXPECT_TRUE(pdftest::QpdfCheckPasses(path));
}

TEST(DocumentStructure, EmptyFileNameMakesATemporaryNameInTheCurrentFolder)
{
    const auto previous = std::filesystem::current_path();
    const std::string folder = ScratchPath("unnamed");
    std::filesystem::create_directories(folder);
    std::filesystem::current_path(folder);
    PdfWriter writer;
    const std::string name = writer.BeginDoc("");
    writer.EndDoc();
    std::filesystem::current_path(previous);
    EXPECT_TRUE(std::regex_match(name, std::regex(R"(~[0-9A-F]+\.pdf)"))) << name;
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(folder) / name));
    EXPECT_EQ(writer.FileName(), name);
}

TEST(DocumentStructure, FailureToOpenIsRecordedAndNothingCrashes)
{
    const std::string path = ScratchPath("no/such/folder/out.pdf");
    PdfWriter writer;
    writer.BeginDoc(path);
    EXPECT_NE(writer.ErrNumber(), 0);
    EXPECT_EQ(writer.ErrSource(), "PdfWriter.BeginDoc");
    EXPECT_EQ(writer.ErrDescription().rfind(path + " - ", 0), 0u) << writer.ErrDescription();
    writer.SetFont("Times", 12, 0, 0);
    writer.DrawText(1, 1, "testo", 1);
    writer.EndDoc();
    EXPECT_NE(writer.ErrNumber(), 0);  // later writes fail again and are recorded
    EXPECT_FALSE(std::filesystem::exists(path));

    writer.Abort();
    EXPECT_EQ(writer.ErrNumber(), 0);
    EXPECT_EQ(writer.ErrSource(), "");
    EXPECT_EQ(writer.GetPage(), 0);
    EXPECT_EQ(writer.FileSize(), 0);
}

TEST(DocumentStructure, AbortLeavesThePartialFileAndResetsTheWriter)
{
    const std::string path = ScratchPath("aborted.pdf");
    PdfWriter writer;
    writer.SetScale(3, 1);
    writer.BeginDoc(path);
    writer.BeginPage();
    writer.Abort();
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(writer.GetPage(), 0);
    EXPECT_FLOAT_EQ(writer.GetPageWidth(false), 596);

    const std::string second = ScratchPath("after-abort.pdf");
    writer.BeginDoc(second);
    writer.EndDoc();
    ExpectCrossReferenceMatchesFile(ReadFile(second));
    EXPECT_TRUE(pdftest::QpdfCheckPasses(second));
}
