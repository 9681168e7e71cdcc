// FormatNumber, ParseColor and RgbOperands, and the colour operators they produce.

#include "PdfTestFiles.h"
#include "pdf/PdfColor.h"
#include "pdf/PdfFormat.h"
#include "pdf/PdfWriter.h"

#include <gtest/gtest.h>

#include <clocale>
#include <filesystem>
#include <cmath>
#include <random>

TEST(FormatNumber, RoundsToThousandthsAndPrintsThePlainShortestForm)
{
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {0, "0"},           {0.0004, "0"},        {-0.0004, "0"},        {-0.0005, "-0.001"},
        {0.0005, "0.001"},  {2.5, "2.5"},         {100, "100"},          {0.5, "0.5"},
        {-0.25, "-0.25"},   {12, "12"},           {595.2756, "595.276"}, {841.8898, "841.89"},
        {128 / 255.0, "0.502"}, {1, "1"},         {-1, "-1"},            {99.2125, "99.213"},
        {70.8661, "70.866"}, {1192, "1192"},      {-1684, "-1684"},      {123456.789, "123456.8"},
        {9999999, "9999999"}, {0.1, "0.1"},       {0.001, "0.001"},      {1.0005, "1.001"},
        {2.0004, "2"},      {-12.3456, "-12.346"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(pdf::FormatNumber(c.value), c.text) << c.value;
}

TEST(FormatNumber, AgreesWithSevenSignificantDigitsOfTheRoundedFloat)
{
    // The fast printer against the C library's "%.7g" of the same rounded 32-bit float, over
    // values of every magnitude a page uses.
    std::mt19937 random(1234);
    std::uniform_real_distribution<double> magnitude(-4, 6.9);
    for (int i = 0; i < 200000; ++i) {
        double value = std::pow(10.0, magnitude(random));
        if (i % 2)
            value = -value;
        const double rounded = value >= 0 ? std::floor(value * 1000 + 0.5) * 0.001 : -std::floor(-value * 1000 + 0.5) * 0.001;
        char expected[64];
        std::snprintf(expected, sizeof expected, "%.7g", static_cast<double>(static_cast<float>(rounded)));
        std::string reference = expected;
        if (reference == "-0")
            reference = "0";
        ASSERT_EQ(pdf::FormatNumber(value), reference) << value;
    }
}

TEST(FormatNumber, IgnoresTheLocale)
{
    // An Italian locale (decimal comma) compiled into the scratch folder for this test.
    const std::string locales = pdftest::ScratchPath("locales");
    std::filesystem::create_directories(locales);
    pdftest::Run({"localedef", "-i", "it_IT", "-f", "UTF-8", locales + "/it_IT.utf8"});
    setenv("LOCPATH", locales.c_str(), 1);
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    if (std::setlocale(LC_NUMERIC, "it_IT.UTF-8") == nullptr)
        GTEST_SKIP() << "could not build an Italian locale";
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 0.5);
    EXPECT_STREQ(probe, "0,5");  // the locale is really in effect

    EXPECT_EQ(pdf::FormatNumber(595.276), "595.276");
    const std::string path = pdftest::ScratchPath("locale.pdf");
    PdfWriter writer;
    writer.SetScale(3, 1);
    writer.SetPaperSize(255, 21, 29.7f);
    writer.BeginDoc(path);
    writer.SetFont("Times", 10.5f, 0, 0);
    writer.BeginPage();
    writer.SetColorFill("@12,5;0;0;0");
    writer.DrawText(1.5f, 2.5f, "testo", 1);
    writer.EndDoc();
    std::setlocale(LC_NUMERIC, saved.c_str());
    const std::string file = pdftest::ReadFile(path);
    EXPECT_NE(file.find("/MediaBox [0 0 595.276 841.89]"), std::string::npos);
    EXPECT_NE(file.find("0.875 1 1 rg"), std::string::npos);
    EXPECT_NE(file.find("/TimesNewRoman 10.5 Tf 10.5 TL\r1 0 0 -1 42.52 70.866 Tm"), std::string::npos);
}

TEST(ParseColor, NamesHexPercentCmykRgbAndPatterns)
{
    const struct {
        const char* input;
        const char* colour;
        const char* extra;
    } cases[] = {
        {"Red", "#FF0000", ""},          {" navy ", "#000080", ""},       {"Magenta", "#FF00FF", ""},
        {"fuchsia", "#FF00FF", ""},      {"Cyan", "#00FFFF", ""},         {"BEIGE", "#F5F5DC", ""},
        {"Orange", "#FF7F00", ""},       {"DarkBlue", "#00008B", ""},     {"#12ab34xyz", "#12ab34", ""},
        {"%50", "#808080", ""},          {"%100", "#000000", ""},         {"%0", "#FFFFFF", ""},
        {"@0;0;0;0", "#FFFFFF", ""},     {"@0;100;100;0", "#FF0000", ""}, {"@0;0;0;100", "#000000", ""},
        {"@20;0;0;0", "#CCFFFF", ""},    {"@12,5;0;0;0", "#DFFFFF", ""},  {"@255;128;0", "#FF8000", ""},
        {"@1;2", "", ""},                {"", "", ""},                    {"Hatch", "HATCH", ""},
        {"Hatch;red", "HATCH", "#FF0000"}, {"Dots; ", "DOTS", ""},        {"Black;", "#000000", ""},
    };
    for (const auto& c : cases) {
        const pdf::ParsedColor parsed = pdf::ParseColor(c.input);
        EXPECT_EQ(parsed.colour, c.colour) << c.input;
        EXPECT_EQ(parsed.extra, c.extra) << c.input;
    }
}

TEST(ParseColor, RgbOperandsInUnitRange)
{
    EXPECT_EQ(pdf::RgbOperands("#FF0000"), "1 0 0");
    EXPECT_EQ(pdf::RgbOperands("#808080"), "0.502 0.502 0.502");
    EXPECT_EQ(pdf::RgbOperands("#000000"), "0 0 0");
    EXPECT_EQ(pdf::RgbOperands("#FFFFFF"), "1 1 1");
    EXPECT_EQ(pdf::RgbOperands("#ffd700"), "1 0.843 0");
    EXPECT_EQ(pdf::RgbOperands("#12"), "0.071 0 0");  // short text reads as zeros, never past the end
}

TEST(ColorOperators, FillAndLineColoursWriteTheirOperators)
{
    const std::string path = pdftest::ScratchPath("colours.pdf");
    PdfWriter writer;
    writer.BeginDoc(path);
    writer.BeginPage();
    writer.SetColorFill("%100");
    writer.SetColorFill("@0;0;0;0");
    writer.SetColorFill("Stripes");
    writer.SetColorLine("Gold");
    writer.SetColorLine("Stripes;Blue");
    writer.SetColorFill("");        // nothing
    writer.SetColorFill("@1;2");    // malformed: nothing
    writer.EndDoc();
    const std::string content = pdftest::StreamData(pdftest::ReadFile(path), 5);
    EXPECT_EQ(content, "1 0 0 -1 0 842 cm \r0 0 0 rg\r0 0 0 RG\r0 0 0 rg\r1 1 1 rg\r/Pattern cs /STRIPES scn\r"
                       "1 0.843 0 RG\r/xxCSxx CS 0 0 1 /STRIPES SCN\r");
}
