// Pages rendered by poppler: a template drawn in a rotated space and a summary-like page with a
// form object; a few pixel regions show that things land where they belong, upright and unclipped.

#include "PdfTestFiles.h"
#include "pdf/PdfWriter.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

constexpr int kDpi = 36;  // 1 cm = 14.17 pixels

struct Image {
    int width = 0, height = 0;
    std::string rgb;

    // Counts the pixels of a region given in centimetres that satisfy a test.
    template <typename Test>
    int Count(float left, float top, float right, float bottom, Test test) const
    {
        const float perCm = kDpi / 2.54f;
        int count = 0;
        for (int y = static_cast<int>(top * perCm); y < static_cast<int>(bottom * perCm) && y < height; ++y)
            for (int x = static_cast<int>(left * perCm); x < static_cast<int>(right * perCm) && x < width; ++x) {
                const auto* p = reinterpret_cast<const unsigned char*>(rgb.data()) + (y * width + x) * 3;
                count += test(p[0], p[1], p[2]) ? 1 : 0;
            }
        return count;
    }
};

bool Dark(int r, int g, int b) { return r < 100 && g < 100 && b < 100; }
bool Red(int r, int g, int b) { return r > 180 && g < 90 && b < 90; }
bool Blue(int r, int g, int b) { return b > 180 && r < 90 && g < 90; }
bool NotWhite(int r, int g, int b) { return r < 235 || g < 235 || b < 235; }

Image Render(const std::string& pdf, int page)
{
    const std::string prefix = pdf + ".page" + std::to_string(page);
    pdftest::Run({"pdftoppm", "-r", std::to_string(kDpi), "-f", std::to_string(page), "-l", std::to_string(page),
                  "-singlefile", pdf, prefix});
    const std::string ppm = pdftest::ReadFile(prefix + ".ppm");
    Image image;
    int maxValue = 0;
    int consumed = 0;
    if (std::sscanf(ppm.c_str(), "P6 %d %d %d%n", &image.width, &image.height, &maxValue, &consumed) != 3)
        return image;
    image.rgb = ppm.substr(static_cast<std::size_t>(consumed) + 1);
    return image;
}

}  // namespace

TEST(Rendering, RotatedTemplateSpaceAndSummaryPageLandWhereTheyBelong)
{
    const std::string path = pdftest::ScratchPath("render.pdf");
    PdfWriter writer;
    writer.SetScale(3, 1);
    writer.SetPaperSize(1, 0, 0);  // landscape A4: 29.7 x 21 cm
    writer.BeginDoc(path);

    // Page 1: a portrait "template" drawn in the space turned by 270 degrees at the right edge:
    // its x runs down the page and its y runs to the left.
    writer.BeginPage();
    writer.BeginSpace(writer.GetPageWidth(false), 0, 1, 1, 270);
    writer.SetColorFill("Blue");
    writer.DrawRectangle(1, 1, 2, 3, "F");  // template x 1..3, y 1..4
    writer.EndSpace();
    writer.SetColorFill("Black");
    writer.SetFont("Times", 14, 1, 0);
    writer.DrawText(3.5f, 5, "Operatore: Studio Rossi", 1);
    writer.PlayObject("RiepTrovati");

    // Page 2: rows of a summary and texts near the bottom and right edges.
    writer.BeginPage();
    writer.SetFont("Tahoma", 12, 1, 0);
    for (int row = 0; row < 10; ++row)
        writer.DrawText(1, 6 + row * 0.6f, "NOMINATIVO DI PROVA " + std::to_string(row), 1);
    writer.DrawText(15, 20.35f, "10/10", 1);
    writer.DrawText(26, 20.35f, "FINE", 1);

    writer.BeginObject("RiepTrovati", 1);
    writer.SetFont("Times", 18, 1, 0);
    writer.SetColorText("Red");
    writer.DrawText(9, 8, "ATTENZIONE: 3 NOMINATIVI TROVATI", 1);
    writer.EndObject();
    writer.EndDoc();
    ASSERT_TRUE(pdftest::QpdfCheckPasses(path));

    const Image first = Render(path, 1);
    ASSERT_EQ(first.width, 421);   // 842 points at 36 dpi
    ASSERT_EQ(first.height, 298);  // 596 points
    // The template rectangle: page x from 29.7 - 4 to 29.7 - 1 cm, page y from 1 to 3 cm.
    EXPECT_GT(first.Count(26.0f, 1.2f, 28.4f, 2.8f, Blue), 500);
    EXPECT_EQ(first.Count(0, 0, 25.5f, 21, Blue), 0);
    EXPECT_EQ(first.Count(26.0f, 3.3f, 29.7f, 21, Blue), 0);
    // Upright text starting at x 3.5 with its baseline at y 5.
    EXPECT_GT(first.Count(3.5f, 4.5f, 10, 5.1f, Dark), 30);
    EXPECT_EQ(first.Count(0, 0, 3.4f, 21, Dark), 0);
    // The form object defined later shows its red line on page 1 only.
    EXPECT_GT(first.Count(9, 7.3f, 22, 8.1f, Red), 50);

    const Image second = Render(path, 2);
    EXPECT_EQ(second.Count(0, 0, 29.7f, 21, Red), 0);
    EXPECT_GT(second.Count(1, 5.6f, 8, 11.7f, Dark), 300);
    // Texts near the bottom and right edges are drawn in full, not clipped.
    EXPECT_GT(second.Count(14.9f, 19.8f, 17, 20.5f, Dark), 10);
    EXPECT_GT(second.Count(25.9f, 19.8f, 29.7f, 20.5f, Dark), 10);
    EXPECT_EQ(second.Count(0, 20.7f, 29.7f, 21, NotWhite), 0);
}
