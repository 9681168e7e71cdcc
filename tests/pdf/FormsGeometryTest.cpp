// Form objects (automatic placement, playing before defining), coordinate spaces and transforms.

#include "PdfTestFiles.h"
#include "pdf/PdfWriter.h"

#include <gtest/gtest.h>

using pdftest::ReadFile;
using pdftest::ScratchPath;

namespace {

const std::string kPageStart = "1 0 0 -1 0 842 cm \r0 0 0 rg\r0 0 0 RG\r";

// Writes four pages, each with one drawn line, and a form object "F" with the given options
// begun before the first page; returns the page contents.
std::vector<std::string> FourPagesWithForm(int options)
{
    const std::string path = ScratchPath("placement" + std::to_string(options) + ".pdf");
    PdfWriter writer;
    writer.BeginDoc(path);
    writer.BeginObject("F", options);
    writer.DrawLine(0, 0, 10, 10);
    writer.EndObject();
    for (int page = 1; page <= 4; ++page) {
        writer.BeginPage();
        writer.MoveTo(1, 1);
    }
    writer.EndDoc();
    EXPECT_TRUE(pdftest::QpdfCheckPasses(path));
    return pdftest::PageContents(ReadFile(path));
}

}  // namespace

TEST(FormObjects, AutomaticPlacementOptions)
{
    const struct {
        int options;
        const char* placed;  // per page: 'b' under the content, 'f' over it, '-' not placed
    } cases[] = {
        {0, "----"}, {1, "b---"}, {2, "-b-b"}, {4, "b-b-"}, {7, "bbbb"}, {7 | 8, "-bbb"}, {2 | 8, "-b-b"},
        {4 | 8, "--b-"}, {1 | 8, "----"}, {0x11, "f---"}, {0x17, "ffff"},
    };
    for (const auto& c : cases) {
        const auto pages = FourPagesWithForm(c.options);
        ASSERT_EQ(pages.size(), 4u);
        for (std::size_t p = 0; p < 4; ++p) {
            const std::string& content = pages[p];
            const char expected = c.placed[p];
            if (expected == 'b')
                EXPECT_EQ(content, kPageStart + "q /F Do Q\r1 1 m\r") << c.options << " page " << p + 1;
            else if (expected == 'f')
                EXPECT_EQ(content, kPageStart + "1 1 m\rq /F Do Q\r") << c.options << " page " << p + 1;
            else
                EXPECT_EQ(content, kPageStart + "1 1 m\r") << c.options << " page " << p + 1;
        }
    }
}

TEST(FormObjects, FormWrittenWithTwicePageSizeBoxAndListedInTheResources)
{
    const std::string path = ScratchPath("form-object.pdf");
    PdfWriter writer;
    writer.BeginDoc(path);
    writer.BeginObject("Logo", 0);
    writer.BeginObject("Ignored", 0);  // form objects do not nest
    writer.DrawRectangle(1, 2, 3, 4, "F");
    writer.EndObject();
    const long long afterForm = writer.FileSize();
    writer.EndObject();  // nothing open: nothing written
    EXPECT_EQ(writer.FileSize(), afterForm);
    writer.EndDoc();
    const std::string file = ReadFile(path);
    EXPECT_EQ(pdftest::ObjectText(file, 4),
              "<< /Type /XObject /Subtype /Form /FormType 1 /Name /Logo\r/BBox [-1192 -1684 1192 1684]\r"
              "/Matrix [1 0 0 1 0 0]\n/Length 13 >>\rstream\n1 2 3 4 re F\r\nendstream\n");
    EXPECT_NE(file.find("/XObject <<\r/Logo 4 0 R \r\r>>\r"), std::string::npos);
    EXPECT_EQ(file.find("Ignored"), std::string::npos);
    EXPECT_TRUE(pdftest::QpdfCheckPasses(path));
}

TEST(FormObjects, PlayedBeforeItIsDefinedLikeTheSummaryTotals)
{
    const std::string path = ScratchPath("play-before-define.pdf");
    PdfWriter writer;
    writer.SetScale(3, 1);
    writer.SetPaperSize(1, 0, 0);
    writer.BeginDoc(path);
    writer.BeginPage();
    writer.SetFont("Times", 14, 1, 0);
    writer.DrawText(3.5f, 5, "Operatore: Studio Rossi", 1);
    writer.PlayObject("RiepTrovati");
    writer.BeginPage();
    writer.DrawText(3.5f, 5, "Pagina di dettaglio", 1);
    // Defined on the last page, with the final count; option 1 does not place it again.
    writer.BeginObject("RiepTrovati", 1);
    writer.SetFont("Times", 18, 1, 0);
    writer.SetColorText("Red");
    writer.DrawText(9, 8, "ATTENZIONE: 3 NOMINATIVI TROVATI", 1);
    writer.EndObject();
    writer.EndPage();
    writer.EndDoc();

    const std::string file = ReadFile(path);
    const auto pages = pdftest::PageContents(file);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_NE(pages[0].find("q /RiepTrovati Do Q"), std::string::npos);
    EXPECT_EQ(pages[1].find("RiepTrovati"), std::string::npos);
    EXPECT_EQ(pages[1].find("ATTENZIONE"), std::string::npos);  // drawn into the form, not the page
    EXPECT_TRUE(pdftest::QpdfCheckPasses(path));
    const std::string text = pdftest::PdfToText(path);
    const std::size_t pageBreak = text.find('\f');
    EXPECT_LT(text.find("ATTENZIONE: 3 NOMINATIVI TROVATI"), pageBreak) << text;
    EXPECT_EQ(text.find("ATTENZIONE", pageBreak), std::string::npos);
}

TEST(FormObjects, FormLeftOpenIsClosedByEndDoc)
{
    const std::string path = ScratchPath("form-left-open.pdf");
    PdfWriter writer;
    writer.BeginDoc(path);
    writer.BeginPage();
    writer.PlayObject("Totali");
    writer.BeginObject("Totali", 0);
    writer.SetFont("Times", 12, 0, 0);
    writer.DrawText(10, 40, "Totale finale", 1);
    writer.EndDoc();
    EXPECT_NE(ReadFile(path).find("/Subtype /Form /FormType 1 /Name /Totali\r"), std::string::npos);
    EXPECT_NE(pdftest::PdfToText(path).find("Totale finale"), std::string::npos);
}

TEST(Geometry, SpacesAndAxisTransformsWriteTheirMatrices)
{
    const std::string path = ScratchPath("spaces.pdf");
    PdfWriter writer;
    writer.SetScale(3, 1);
    writer.BeginDoc(path);
    writer.BeginPage();
    writer.SetXY(5, 5);
    writer.BeginSpace(29.7f, 0, 1, 1, 270);
    EXPECT_EQ(writer.GetX(), 0);
    EXPECT_EQ(writer.GetY(), 0);
    writer.EndSpace();
    writer.BeginSpace(0, 0, 1, 1, 0);
    writer.EndSpace();
    writer.BeginSpace(1, 2, 0.5f, 2, 90);
    writer.AxisRotation(360);
    writer.AxisRotation(720.2f);
    writer.AxisRotation(-30);
    writer.AxisTranslation(1, 1);
    writer.AxisScaling(2, 3);
    writer.AxisSkewing(45, 0);
    writer.MoveTo(1, 2);
    EXPECT_FLOAT_EQ(writer.GetX(), 1);
    EXPECT_FLOAT_EQ(writer.GetY(), 2);
    writer.EndSpace();
    writer.EndDoc();
    const auto pages = pdftest::PageContents(ReadFile(path));
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0], "1 0 0 -1 0 842 cm \r0 0 0 rg\r0 0 0 RG\r"
                        "q\r1 0 0 1 841.89 0 cm\r0 1 -1 0 0 0 cm\rQ\r"
                        "q\rQ\r"
                        "q\r0.5 0 0 2 28.346 56.693 cm\r0 -1 1 0 0 0 cm\r0.866 0.5 -0.5 0.866 0 0 cm\r"
                        "1 0 0 1 28.346 28.346 cm\r2 0 0 3 0 0 cm\r1 1 0 1 0 0 cm\r28.346 56.693 m\rQ\r");
    EXPECT_TRUE(pdftest::QpdfCheckPasses(path));
}

TEST(FormObjects, AliasesAndFontNamesWithDelimitersStayValidNames)
{
    const std::string path = ScratchPath("names.pdf");
    PdfWriter writer;
    writer.BeginDoc(path);
    writer.BeginObject("Logo (v2) #1/a", 7);
    writer.DrawLine(0, 0, 5, 5);
    writer.EndObject();
    writer.SetFont("Ditta <Società>", 12, 0, 0);
    writer.BeginPage();
    writer.PlayObject("Logo (v2) #1/a");
    writer.DrawText(10, 30, "nome", 1);
    writer.EndDoc();
    const std::string file = ReadFile(path);
    EXPECT_NE(file.find("/Logo#20#28v2#29#20#231#2Fa 4 0 R "), std::string::npos);
    const auto pages = pdftest::PageContents(file);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].find("q /Logo#20#28v2#29#20#231#2Fa Do Q"), kPageStart.size());  // placed automatically
    EXPECT_NE(pages[0].rfind("q /Logo#20#28v2#29#20#231#2Fa Do Q"), kPageStart.size());  // and by name
    EXPECT_NE(file.find("/Ditta#3CSociet#C3#A0#3E 12 Tf"), std::string::npos);
    EXPECT_TRUE(pdftest::QpdfCheckPasses(path));
    EXPECT_NE(pdftest::PdfToText(path).find("nome"), std::string::npos);
}
