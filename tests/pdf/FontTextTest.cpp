// Fonts, measuring and placing text lines, Windows-1252 text and TrueType fonts.

#include "PdfTestFiles.h"
#include "pdf/PdfWriter.h"
#include "pdf/TrueTypeFont.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

using pdftest::ReadFile;
using pdftest::ScratchPath;
using pdftest::StreamData;

namespace {

constexpr const char* kDejaVu = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

// Content of page 1 of a document with one font: objects are page tree 1-3, font 4, page 5,
// content 6. Returns the content after the page transform and the two black colour lines.
std::string PageContent(const std::string& path)
{
    const std::string content = StreamData(ReadFile(path), 6);
    const std::string start = "0 0 0 rg\r0 0 0 RG\r";
    const std::size_t at = content.find(start);
    return at == std::string::npos ? content : content.substr(at + start.size());
}

std::size_t Count(const std::string& text, const std::string& piece)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
        ++count;
    return count;
}

}  // namespace

TEST(FontMetrics, GeneratedTablesGiveThePublishedWidths)
{
    const struct {
        const char* name;
        int style;
        int widths[8];  // codes 32..39
    } cases[] = {
        {"Helvetica", 0, {278, 278, 355, 556, 556, 889, 667, 191}},
        {"Arial", 1, {278, 333, 474, 556, 556, 889, 722, 238}},
        {"Times", 0, {250, 333, 408, 500, 500, 833, 778, 180}},
        {"Times New Roman", 1, {250, 333, 555, 500, 500, 1000, 833, 278}},
        {"Courier", 3, {600, 600, 600, 600, 600, 600, 600, 600}},
        {"Tahoma", 1, {278, 333, 474, 556, 556, 889, 722, 238}},
    };
    for (const auto& c : cases) {
        PdfWriter writer;
        writer.SetFont(c.name, 1000, c.style, 0);
        for (int i = 0; i < 8; ++i)
            EXPECT_FLOAT_EQ(writer.TextLength(std::string(1, static_cast<char>(32 + i))), c.widths[i])
                << c.name << " style " << c.style << " code " << 32 + i;
    }
    PdfWriter times;
    times.SetFont("Times", 1000, 0, 0);
    EXPECT_FLOAT_EQ(times.TextLength("\x01"), 333);          // filler of codes 0-31
    EXPECT_FLOAT_EQ(times.TextLength("\xC3\xA8"), 444);      // è (egrave) at code 232
    EXPECT_FLOAT_EQ(times.TextLength("\xE2\x82\xAC"), 500);  // € at code 128
    PdfWriter helvetica;
    helvetica.SetFont("Arial", 1000, 0, 0);
    EXPECT_FLOAT_EQ(helvetica.TextLength("\x7F"), 750);      // no glyph in Windows ANSI
}

TEST(FontMetrics, CommittedTablesAreTheGeneratorsOutput)
{
    const std::string generated = pdftest::ScratchPath("FontWidths.cpp");
    const auto run = pdftest::Run({"sh", "-c", "python3 \"$0/tools/afm-widths.py\" > \"$1\"", KIVO_SOURCE_DIR, generated});
    if (run.status != 0)
        GTEST_SKIP() << "generator did not run (fonts-urw-base35 missing?): " << run.output;
    EXPECT_EQ(ReadFile(generated), ReadFile(std::string(KIVO_SOURCE_DIR) + "/src/pdf/FontWidths.cpp"));
}

TEST(FontMetrics, TextLengthFollowsSizeSpacingScalingAndUnits)
{
    const struct {
        int scaleMode;
        float charSpacing, wordSpacing, horizontalScaling;
        const char* text;
        float expected;
    } cases[] = {
        {0, 0, 0, 100, "AB", 13.34f},
        {0, 1, 0, 100, "AB", 15.34f},
        {0, 0, 2, 100, "A B", 13.34f + 2.78f + 2},
        {0, 0, 0, 50, "AB", 6.67f},
        {3, 0, 0, 100, "AB", 13.34f / 28.346457f},
        {0, 0, 0, 100, "", 0},
    };
    for (const auto& c : cases) {
        PdfWriter writer;
        writer.SetScale(c.scaleMode, 0);
        writer.SetFont("Helvetica", 10, 0, 0);
        writer.SetCharSpacing(c.charSpacing);
        writer.SetWordSpacing(c.wordSpacing);
        writer.SetTextHorizontalScaling(c.horizontalScaling);
        EXPECT_NEAR(writer.TextLength(c.text), c.expected, 1e-4) << c.text;
    }
    PdfWriter none;
    EXPECT_EQ(none.TextLength("AB"), 0);
    EXPECT_EQ(none.TextHeight(), 0);
    none.SetFont("Times", 0, 0, 0);  // size 0 on a fresh writer selects 10
    EXPECT_FLOAT_EQ(none.TextHeight(), 11.07f);
}

TEST(Fonts, EachFontObjectIsWrittenOnceWithItsNamesAndEncoding)
{
    const std::string path = ScratchPath("fonts.pdf");
    PdfWriter writer;
    writer.BeginDoc(path);
    writer.SetFont("Times", 14, 1, 0);
    const long long afterFirst = writer.FileSize();
    writer.SetFont("times", 10, 1, 0);
    EXPECT_EQ(writer.FileSize(), afterFirst);
    writer.SetFont("Tahoma", 12, 1, 0);
    EXPECT_FLOAT_EQ(writer.TextLength("AB"), (722 + 722) * 12 / 1000.0f);
    writer.SetFont("Symbol", 10, 0, 0);
    writer.SetFont("Courier New", 10, 2, 1);
    writer.SetFont("Tahoma", 7, 0, 0);  // another style of the same outside name
    EXPECT_FLOAT_EQ(writer.TextLength("AB"), (667 + 667) * 7 / 1000.0f);
    writer.BeginPage();
    writer.DrawText(10, 20, "x", 1);
    writer.EndDoc();
    const std::string file = ReadFile(path);

    EXPECT_EQ(pdftest::ObjectText(file, 4),
              "<< /Type /Font /Subtype /Type1 /Name /TimesNewRoman,Bold /BaseFont /TimesNewRoman,Bold "
              "/FirstChar 0 /LastChar 255\n/Encoding << /Type /Encoding /BaseEncoding /WinAnsiEncoding>>\n >>\n");
    EXPECT_EQ(pdftest::ObjectText(file, 5).substr(0, 80),
              "<< /Type /Font /Subtype /Type1 /Name /Tahoma /BaseFont /Arial,Bold /FirstChar 0 ");
    EXPECT_EQ(pdftest::ObjectText(file, 6),
              "<< /Type /Font /Subtype /Type1 /Name /Symbol /BaseFont /Symbol /FirstChar 0 /LastChar 255\n >>\n");
    EXPECT_NE(pdftest::ObjectText(file, 7).find("/Name /CourierNew,ItalicMAC /BaseFont /CourierNew,Italic "),
              std::string::npos);
    EXPECT_NE(pdftest::ObjectText(file, 7).find("/BaseEncoding /MacRomanEncoding>>"), std::string::npos);
    EXPECT_NE(pdftest::ObjectText(file, 8).find("/Name /Tahoma,Regular /BaseFont /Arial "), std::string::npos);
    EXPECT_EQ(Count(file, "/Type /Font "), 5u);
    EXPECT_NE(file.find("/Font <<\r/TimesNewRoman,Bold 4 0 R /Tahoma 5 0 R /Symbol 6 0 R "
                        "/CourierNew,ItalicMAC 7 0 R /Tahoma,Regular 8 0 R >>\r"),
              std::string::npos);
    EXPECT_NE(file.find("/Tahoma,Regular 7 Tf 7 TL"), std::string::npos);
    EXPECT_TRUE(pdftest::QpdfCheckPasses(path));
}

TEST(TextLines, DrawTextWritesTheTextObjectAtTheScaledPosition)
{
    const std::string path = ScratchPath("drawtext.pdf");
    PdfWriter writer;
    writer.SetScale(3, 1);
    writer.BeginDoc(path);
    writer.SetFont("Times", 14, 1, 0);
    writer.BeginPage();
    writer.DrawText(3.5f, 2.5f, "A(b)", 1);
    writer.EndDoc();
    EXPECT_EQ(PageContent(path), "0 0 0 rg\rBT\r/TimesNewRoman,Bold 14 Tf 14 TL\r1 0 0 -1 99.213 70.866 Tm\r"
                                 "(A\\(b\\)) Tj\rET\r0 0 0 rg\r");
    EXPECT_TRUE(pdftest::QpdfCheckPasses(path));
}

TEST(TextLines, AlignmentColourBlankTextAndPosition)
{
    const std::string path = ScratchPath("align.pdf");
    PdfWriter writer;
    writer.BeginDoc(path);
    writer.SetFont("Courier", 10, 0, 0);  // 6 points per character
    writer.BeginPage();
    writer.DrawText(10, 50, "AB", 4);  // centred on 10: starts at 4
    EXPECT_FLOAT_EQ(writer.GetX(), 22);  // the shift is not part of the position
    writer.DrawText(10, 60, "AB", 2);  // right-aligned: ends at 10
    writer.DrawText(10, 70, "AB", 0x41);  // only bits 0-2 count: left
    writer.SetColorText("Red");
    writer.DrawText(10, 80, "AB", 1);
    writer.DrawText(33, 90, "   ", 1);  // nothing drawn, the position moves
    EXPECT_FLOAT_EQ(writer.GetX(), 33);
    EXPECT_FLOAT_EQ(writer.GetY(), 90);
    writer.EndDoc();
    const std::string content = PageContent(path);
    EXPECT_NE(content.find("1 0 0 -1 4 50 Tm"), std::string::npos);
    EXPECT_NE(content.find("1 0 0 -1 -2 60 Tm"), std::string::npos);
    EXPECT_NE(content.find("1 0 0 -1 10 70 Tm"), std::string::npos);
    EXPECT_NE(content.find("1 0 0 rg\rBT\r/CourierNew 10 Tf 10 TL\r1 0 0 -1 10 80 Tm\r(AB) Tj\rET\r0 0 0 rg\r"),
              std::string::npos);
    EXPECT_EQ(Count(content, "BT"), 4u);
}

TEST(TextLines, WriteTextContinuesTheLineAndWriteTextLnMovesToTheNext)
{
    PdfWriter writer;
    writer.SetFont("Helvetica", 10, 0, 0);
    writer.SetXY(5, 100);
    writer.WriteText("AB", 0, 0);
    EXPECT_FLOAT_EQ(writer.GetX(), 5 + 13.34f);
    EXPECT_FLOAT_EQ(writer.GetY(), 100);
    writer.WriteText("2", 1, 50);  // superscript keeps the line
    EXPECT_FLOAT_EQ(writer.GetY(), 100);
    writer.WriteTextLn("CD");
    EXPECT_FLOAT_EQ(writer.GetX(), 0);
    EXPECT_FLOAT_EQ(writer.GetY(), 100 + 12.21f);
    writer.SetTextLineSpacing(2);
    writer.SetTextLineSpacing(-1);  // ignored
    writer.WriteTextLn("EF");
    EXPECT_FLOAT_EQ(writer.GetY(), 100 + 12.21f * 3);
}

TEST(TextLines, DecorationsAreDrawnWithTheTextColour)
{
    const std::string path = ScratchPath("decorations.pdf");
    PdfWriter writer;
    writer.BeginDoc(path);
    writer.SetFont("Helvetica", 16, 4 | 16, 0);  // underline and strike-through
    writer.BeginPage();
    writer.SetColorText("Blue");
    writer.DrawText(10, 40, "AB", 1);
    writer.EndDoc();
    EXPECT_NE(PageContent(path).find("ET\r0 0 0 rg\rq\r0 0 1 RG\r1 w \r1 0 0 1 10 40 cm\r0 2 m 21.344 2 l S\r"
                                     "0 -4.8 m 21.344 -4.8 l S\r0 0 0 RG\rQ\r"),
              std::string::npos)
        << PageContent(path);
    EXPECT_TRUE(pdftest::QpdfCheckPasses(path));
}

TEST(TextLines, Windows1252TextComesBackFromTheReader)
{
    const std::string path = ScratchPath("win1252.pdf");
    PdfWriter writer;
    writer.SetScale(3, 1);
    writer.SetPaperSize(1, 0, 0);
    writer.BeginDoc(path);
    writer.SetFont("Times", 14, 1, 0);
    writer.BeginPage();
    writer.DrawText(2, 3, "Perché costa 5 € – però sì", 1);
    writer.SetFont("Tahoma", 10, 0, 0);
    writer.DrawText(2, 4, "Ελλάδα ✓", 1);  // no Windows-1252 code: one "?" per character
    writer.EndDoc();
    const std::string content = StreamData(ReadFile(path), 7);  // fonts 4 and 5, page 6
    EXPECT_NE(content.find("(Perch\xE9 costa 5 \x80 \x96 per\xF2 s\xEC) Tj"), std::string::npos);
    EXPECT_NE(content.find("(?????? ?) Tj"), std::string::npos);
    const std::string text = pdftest::PdfToText(path);
    EXPECT_NE(text.find("Perché costa 5 € – però sì"), std::string::npos) << text;
    EXPECT_NE(text.find("?????? ?"), std::string::npos) << text;
    EXPECT_TRUE(pdftest::QpdfCheckPasses(path));
}

TEST(TrueTypeFonts, EmbeddedAndReferencedFontsMeasureAndShowText)
{
    if (!std::filesystem::exists(kDejaVu))
        GTEST_SKIP() << "fonts-dejavu-core is not installed";
    for (const bool embedded : {true, false}) {
        const std::string path = ScratchPath(embedded ? "ttf-embedded.pdf" : "ttf-referenced.pdf");
        PdfWriter writer;
        writer.BeginDoc(path);
        const std::string name = writer.AddFont(kDejaVu, embedded ? "Deja Vu" : "", embedded, 0);
        EXPECT_EQ(name, embedded ? "DejaVu" : "DejaVuSans");
        EXPECT_EQ(writer.ErrNumber(), 0) << writer.ErrDescription();
        writer.SetFont(name, 12, 0, 0);
        // DejaVu Sans: "A" is 1401 of 2048 units.
        EXPECT_NEAR(writer.TextLength("A"), 684 * 12 / 1000.0f, 0.01f);
        writer.BeginPage();
        writer.DrawText(50, 100, "Società – verifica", 1);
        writer.EndDoc();

        const std::string file = ReadFile(path);
        EXPECT_NE(file.find("/Subtype /TrueType /Name /" + name + " /BaseFont /DejaVuSans "), std::string::npos);
        EXPECT_NE(file.find("/Type /FontDescriptor /FontName /DejaVuSans /Flags 32 /FontBBox ["), std::string::npos);
        EXPECT_EQ(file.find("/FontFile2") != std::string::npos, embedded);
        if (embedded) {
            const auto size = std::filesystem::file_size(kDejaVu);
            EXPECT_NE(file.find("/Length1 " + std::to_string(size) + "\n/Length " + std::to_string(size) + " >>"),
                      std::string::npos);
        }
        EXPECT_TRUE(pdftest::QpdfCheckPasses(path));
        const auto fonts = pdftest::Run({"pdffonts", path});
        EXPECT_NE(fonts.output.find(embedded ? "TrueType          WinAnsi          yes" : "TrueType          WinAnsi          no"),
                  std::string::npos)
            << fonts.output;
        EXPECT_NE(pdftest::PdfToText(path).find("Società – verifica"), std::string::npos);
    }
}

TEST(TrueTypeFonts, MissingOrBrokenFilesAreRecorded)
{
    PdfWriter writer;
    EXPECT_EQ(writer.AddFont(ScratchPath("missing.ttf"), "X", true, 0), "");
    EXPECT_EQ(writer.ErrNumber(), 53);
    EXPECT_EQ(writer.ErrSource(), "PdfWriter.AddFont");

    // Truncated copies of a real font and a text file: refused, never read past the end.
    const std::string broken = ScratchPath("broken.ttf");
    for (std::size_t length : {0u, 11u, 300u, 5000u}) {
        std::string bytes = std::filesystem::exists(kDejaVu) ? ReadFile(kDejaVu).substr(0, length) : std::string(length, 'x');
        FILE* out = std::fopen(broken.c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), out);
        std::fclose(out);
        PdfWriter another;
        EXPECT_EQ(another.AddFont(broken, "", true, 0), "") << length;
        EXPECT_EQ(another.ErrNumber(), 321) << length;
    }
}

TEST(Fonts, FontChosenBeforeTheDocumentOpensIsWrittenWhenItOpens)
{
    const std::string path = ScratchPath("font-before-doc.pdf");
    PdfWriter writer;
    writer.SetFont("Times", 12, 0, 0);
    writer.BeginDoc(path);
    writer.BeginPage();
    writer.DrawText(50, 50, "Scelto prima", 1);
    writer.EndDoc();
    EXPECT_EQ(writer.ErrNumber(), 0) << writer.ErrDescription();
    const std::string file = ReadFile(path);
    EXPECT_NE(pdftest::ObjectText(file, 4).find("/Name /TimesNewRoman "), std::string::npos);
    EXPECT_TRUE(pdftest::QpdfCheckPasses(path));
    EXPECT_NE(pdftest::PdfToText(path).find("Scelto prima"), std::string::npos);
}

TEST(Fonts, MacRomanFontsGetTheirOwnCodesForAccentedLetters)
{
    const std::string path = ScratchPath("macroman.pdf");
    PdfWriter writer;
    writer.BeginDoc(path);
    writer.SetFont("Times", 12, 0, 1);
    EXPECT_FLOAT_EQ(writer.TextLength("è"), 444 * 12 / 1000.0f);  // measured as Windows-1252
    writer.BeginPage();
    writer.DrawText(50, 50, "Città è però", 1);
    writer.EndDoc();
    EXPECT_NE(StreamData(ReadFile(path), 6).find("(Citt\x88 \x8F per\x98) Tj"), std::string::npos);
    EXPECT_TRUE(pdftest::QpdfCheckPasses(path));
    EXPECT_NE(pdftest::PdfToText(path).find("Città è però"), std::string::npos);
}

TEST(TrueTypeFonts, RandomlyDamagedFontDataNeverReadsOutOfBounds)
{
    if (!std::filesystem::exists(kDejaVu))
        GTEST_SKIP() << "fonts-dejavu-core is not installed";
    const std::string original = ReadFile(kDejaVu);
    ASSERT_TRUE(pdf::ReadTrueTypeMetrics(original).has_value());
    std::mt19937 random(42);
    // Damage concentrates on the first bytes, where the directory and the offsets live.
    std::uniform_int_distribution<std::size_t> early(0, 4096), anywhere(0, original.size() - 1);
    std::uniform_int_distribution<int> byte(0, 255);
    int parsed = 0;
    for (int round = 0; round < 2000; ++round) {
        std::string damaged = original;
        for (int hit = 0; hit < 8; ++hit)
            damaged[round % 2 ? early(random) : anywhere(random)] = static_cast<char>(byte(random));
        // Every read is bounds-checked: a sanitizer build reports any read past the data.
        parsed += pdf::ReadTrueTypeMetrics(damaged).has_value();
    }
    EXPECT_GT(parsed, 0);  // most damage leaves a usable font
}
