// DrawTextBox: word wrap, paragraphs, alignment, justification and the text that did not fit.

#include "PdfTestFiles.h"
#include "pdf/PdfWriter.h"

#include <gtest/gtest.h>

#include <regex>
#include <vector>

using pdftest::ReadFile;
using pdftest::ScratchPath;
using pdftest::StreamData;

namespace {

struct DrawnLine {
    float x = 0, y = 0;
    std::string prefix;  // operators before the string (Tw / Tz)
    std::string text;
};

// The lines of text drawn on page 1 of a document with one font (content is object 6).
std::vector<DrawnLine> DrawnLines(const std::string& path)
{
    const std::string content = StreamData(ReadFile(path), 6);
    const std::regex line(R"(1 0 0 -1 (-?[\d.]+) (-?[\d.]+) Tm\r([^(\r]*)\(([^\r]*)\) Tj)");
    std::vector<DrawnLine> lines;
    for (auto it = std::sregex_iterator(content.begin(), content.end(), line); it != std::sregex_iterator(); ++it)
        lines.push_back({std::stof((*it)[1]), std::stof((*it)[2]), (*it)[3], (*it)[4]});
    return lines;
}

}  // namespace

TEST(TextBox, WrapsWordsCollapsesBlanksAndBreaksParagraphs)
{
    const std::string path = ScratchPath("textbox-wrap.pdf");
    PdfWriter writer;
    writer.BeginDoc(path);
    writer.SetFont("Courier", 10, 0, 0);  // 6 points per character, lines 11.33 high
    writer.BeginPage();
    const std::string rest =
        writer.DrawTextBox(100, 200, 60, 200, "uno  due tre quattro\r\ncinque\r\n\r\nsei", 12, 1, "");
    writer.EndDoc();
    EXPECT_EQ(rest, "");
    const auto lines = DrawnLines(path);
    ASSERT_EQ(lines.size(), 5u);
    const char* expected[] = {"uno due", "tre", "quattro", "cinque", "sei"};
    for (std::size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(lines[i].text, expected[i]) << i;
    EXPECT_FLOAT_EQ(lines[0].x, 112);  // first line of a paragraph is indented
    EXPECT_FLOAT_EQ(lines[1].x, 100);
    EXPECT_FLOAT_EQ(lines[3].x, 112);
    EXPECT_NEAR(lines[0].y, 200 + 8.33f, 1e-3);  // baseline below the top by the ascent
    EXPECT_NEAR(lines[1].y - lines[0].y, 11.33f, 1e-3);
    EXPECT_NEAR(lines[4].y - lines[3].y, 2 * 11.33f, 1e-3);  // the empty paragraph takes a line
    EXPECT_TRUE(pdftest::QpdfCheckPasses(path));
}

TEST(TextBox, ReturnsWhatDidNotFitAndCutsWordsWiderThanTheBox)
{
    PdfWriter writer;
    writer.SetFont("Courier", 10, 0, 0);
    // Two lines fit in 25 points of height.
    EXPECT_EQ(writer.DrawTextBox(0, 0, 60, 25, "alfa beta gamma delta epsilon\r\nzeta", 0, 1, ""),
              "delta epsilon\r\nzeta");
    EXPECT_EQ(writer.DrawTextBox(0, 0, 60, 5, "più di così", 0, 1, ""), "più di così");
    EXPECT_EQ(writer.DrawTextBox(0, 0, 30, 12, "abcdefghijkl", 0, 1, ""), "fghijkl");
    PdfWriter noFont;
    EXPECT_EQ(noFont.DrawTextBox(0, 0, 100, 100, "testo", 0, 1, ""), "testo");
}

TEST(TextBox, JustifiesEveryLineButTheLastOfAParagraph)
{
    const std::string path = ScratchPath("textbox-justify.pdf");
    PdfWriter writer;
    writer.BeginDoc(path);
    writer.SetFont("Courier", 10, 0, 0);
    writer.BeginPage();
    writer.DrawTextBox(0, 0, 66, 100, "aa bb cc dd ee ff", 0, 0x40, "");
    writer.EndDoc();
    const auto lines = DrawnLines(path);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].text, "aa bb cc dd");  // 11 characters: 66 points with 3 gaps of 6 + 0
    EXPECT_EQ(lines[0].prefix, "0 Tw ");
    EXPECT_EQ(lines[1].text, "ee ff");
    EXPECT_EQ(lines[1].prefix, "");
}

TEST(TextBox, AlignmentFlagsAndFittingWidths)
{
    const std::string path = ScratchPath("textbox-align.pdf");
    PdfWriter writer;
    writer.BeginDoc(path);
    writer.SetFont("Courier", 10, 0, 0);
    writer.BeginPage();
    writer.DrawTextBox(0, 0, 100, 20, "ab cd", 0, 0x40, "");    // one line, last of paragraph: left
    writer.DrawTextBox(0, 20, 100, 20, "abcd", 0, 2, "");       // right: starts at 100 - 24
    writer.DrawTextBox(0, 40, 100, 20, "abcd", 0, 4, "L");      // centred, framed
    writer.DrawTextBox(0, 60, 48, 20, "abcd", 0, 0x100, "F");   // stretched to 48: 200 %
    writer.EndDoc();
    const auto lines = DrawnLines(path);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_FLOAT_EQ(lines[0].x, 0);
    EXPECT_FLOAT_EQ(lines[1].x, 76);
    EXPECT_FLOAT_EQ(lines[2].x, 38);
    EXPECT_EQ(lines[3].prefix, "200 Tz ");
    const std::string content = StreamData(ReadFile(path), 6);
    EXPECT_NE(content.find("(abcd) Tj  100 Tz\r"), std::string::npos);
    EXPECT_NE(content.find("0 40 100 20 re S\r"), std::string::npos);
    EXPECT_NE(content.find("0 60 48 20 re F\r"), std::string::npos);
    EXPECT_TRUE(pdftest::QpdfCheckPasses(path));
}

TEST(TextBox, FlowedTextReadsBackInOrder)
{
    const std::string path = ScratchPath("textbox-read.pdf");
    PdfWriter writer;
    writer.SetScale(3, 1);
    writer.BeginDoc(path);
    writer.SetFont("Times", 11, 0, 0);
    writer.BeginPage();
    const std::string text =
        "La verifica di massa confronta ogni nominativo dell'archivio con le liste delle sanzioni "
        "internazionali e riporta l'esito nel riepilogo.\r\nSeconda parte: attività conclusa.";
    EXPECT_EQ(writer.DrawTextBox(2, 2, 8, 10, text, 0.5f, 0x40, ""), "");
    writer.EndDoc();
    std::string extracted = pdftest::PdfToText(path);
    extracted = std::regex_replace(extracted, std::regex(R"(\s+)"), " ");
    EXPECT_NE(extracted.find("La verifica di massa confronta ogni nominativo dell'archivio con le liste delle "
                             "sanzioni internazionali e riporta l'esito nel riepilogo. Seconda parte: attività "
                             "conclusa."),
              std::string::npos)
        << extracted;
}
