// Page import: sources from several producers, the form written once, placement and scaling,
// content arrays, version raise, failures; the rotated template placement rendered by poppler.

#include "PdfTestFiles.h"
#include "pdf/Filters.h"
#include "pdf/PdfReader.h"
#include "pdf/PdfWriter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <regex>

using namespace pdftest;

namespace {

const std::string kTemplates = KIVO_TEMPLATES_DIR;

void WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

size_t Count(const std::string& text, const std::string& what)
{
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

// A minimal classic PDF from object bodies (object i + 1 is bodies[i]; object 1 is the catalog).
std::string BuildPdf(const std::vector<std::string>& bodies, const std::string& header = "%PDF-1.3")
{
    std::string out = header + "\n";
    std::vector<size_t> offsets;
    for (size_t i = 0; i < bodies.size(); ++i) {
        offsets.push_back(out.size());
        out += std::to_string(i + 1) + " 0 obj\n" + bodies[i] + "\nendobj\n";
    }
    const size_t xref = out.size();
    out += "xref\n0 " + std::to_string(bodies.size() + 1) + "\n0000000000 65535 f\r\n";
    for (size_t offset : offsets) {
        char line[21];
        std::snprintf(line, sizeof line, "%010zu 00000 n\r\n", offset);
        out += line;
    }
    out += "trailer\n<< /Size " + std::to_string(bodies.size() + 1) + " /Root 1 0 R >>\nstartxref\n" +
           std::to_string(xref) + "\n%%EOF\n";
    return out;
}

std::string StreamBody(const std::string& data, const std::string& extra = "")
{
    return "<< /Length " + std::to_string(data.size()) + extra + " >>\nstream\n" + data + "\nendstream";
}

// The same template with an incremental update that replaces the page's content stream.
std::string WithIncrementalUpdate(const std::string& source, const std::string& newContent)
{
    pdf::PdfReader reader;
    EXPECT_TRUE(reader.Load(source));
    const int page = reader.Pages().at(0);
    const int contents = reader.ReadObject(page)->value.Get("Contents")->objectNumber;
    const pdf::PdfValue& trailer = reader.Trailer();
    const size_t oldXref = size_t(std::stoll(source.substr(source.rfind("startxref") + 9)));

    std::string out = source;
    const size_t offset = out.size();
    out += std::to_string(contents) + " 0 obj\n" + StreamBody(newContent) + "\nendobj\n";
    const size_t xref = out.size();
    char entry[21];
    std::snprintf(entry, sizeof entry, "%010zu 00000 n\r\n", offset);
    out += "xref\n" + std::to_string(contents) + " 1\n" + entry + "trailer\n<< /Size " +
           trailer.Get("Size")->text + " /Root " + std::to_string(trailer.Get("Root")->objectNumber) + " 0 R /Prev " +
           std::to_string(oldXref) + " >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
    return out;
}

struct Source {
    std::string producer;
    std::string path;
};

// The sheet template as Qt wrote it, rewritten by cairo, rewritten by qpdf with object streams,
// and with an incremental update.
std::vector<Source> Sources()
{
    const std::string qt = kTemplates + "/SchedaSI.pdf";
    const std::string cairo = ScratchPath("cairo.pdf");
    const std::string objectStreams = ScratchPath("objstm.pdf");
    const std::string updated = ScratchPath("updated.pdf");
    const std::string updatedStreams = ScratchPath("updated-objstm.pdf");
    if (!std::filesystem::exists(cairo)) {
        EXPECT_EQ(pdftest::Run({"pdftocairo", "-pdf", qt, cairo}).status, 0);
        EXPECT_EQ(pdftest::Run({"qpdf", "--object-streams=generate", qt, objectStreams}).status, 0);
        WriteFile(updated, WithIncrementalUpdate(ReadFile(qt), "q 0 0 1 rg 10 10 100 100 re f Q"));
        EXPECT_TRUE(QpdfCheckPasses(updated));
        // A classic update section whose /Prev leads to a cross-reference stream.
        WriteFile(updatedStreams, WithIncrementalUpdate(ReadFile(objectStreams), "q 0 0 1 rg 10 10 100 100 re f Q"));
        EXPECT_TRUE(QpdfCheckPasses(updatedStreams));
    }
    return {{"Qt", qt},
            {"cairo", cairo},
            {"qpdf object streams", objectStreams},
            {"incremental update", updated},
            {"incremental update over object streams", updatedStreams}};
}

std::string PlaceTwice(const std::string& source, const std::string& name)
{
    const std::string out = ScratchPath(name);
    PdfWriter writer;
    writer.BeginDoc(out);
    for (int page = 0; page < 2; ++page) {
        writer.BeginPage();
        writer.ImportPage(source, 1, 0, 0, 0, 0);
        writer.EndPage();
    }
    writer.EndDoc();
    EXPECT_EQ(writer.ErrNumber(), 0) << writer.ErrDescription();
    return out;
}

}  // namespace

TEST(Import, PagesOfEveryProducerImportOnceAndPassQpdf)
{
    for (const Source& source : Sources()) {
        SCOPED_TRACE(source.producer);
        PdfWriter probe;
        std::string title, subject, author;
        bool encrypted = true;
        EXPECT_EQ(probe.GetInfo(source.path, title, subject, author, encrypted), 1);
        EXPECT_FALSE(encrypted);

        const std::string out = PlaceTwice(source.path, "twice-" + std::to_string(&source - &Sources()[0]) + source.producer.substr(0, 3) + ".pdf");
        EXPECT_TRUE(QpdfCheckPasses(out));
        const std::string file = ReadFile(out);
        EXPECT_EQ(Count(file, "<< /Type /XObject /Subtype /Form /FormType 1"), 1u);
        const std::vector<std::string> contents = PageContents(file);
        ASSERT_EQ(contents.size(), 2u);
        EXPECT_NE(contents[1].find("q\r1 0 0 -1 0 842 cm\r/_PDF_1.1 Do\rQ\r"), std::string::npos) << contents[1];
        if (source.producer.find("incremental update") == 0) {
            EXPECT_NE(file.find("stream\r\nq 0 0 1 rg 10 10 100 100 re f Q\rendstream"), std::string::npos);
        } else {
            EXPECT_NE(PdfToText(out).find("Nominativo cercato:"), std::string::npos);
        }
    }
}

TEST(Import, InfoDictionaryAndVersionOfTheSource)
{
    PdfWriter writer;
    std::string title, subject, author;
    bool encrypted = false;
    ASSERT_EQ(writer.GetInfo(kTemplates + "/SchedaNO.pdf", title, subject, author, encrypted), 1);
    EXPECT_EQ(title, "SchedaNO");

    // Qt writes PDF 1.4, qpdf with object streams 1.5: the output header follows the source.
    EXPECT_EQ(ReadFile(PlaceTwice(kTemplates + "/SchedaNO.pdf", "v14.pdf")).substr(0, 8), "%PDF-1.4");
    EXPECT_EQ(ReadFile(PlaceTwice(Sources()[2].path, "v15.pdf")).substr(0, 8), "%PDF-1.5");
}

// Damaged sources must be refused or imported, never crash or hang; whatever is written passes qpdf.
TEST(Import, RandomlyDamagedSourcesNeverCrash)
{
    std::mt19937 rng(5);
    int imported = 0;
    for (const Source& source : Sources()) {
        const std::string good = ReadFile(source.path);
        for (int round = 0; round < 30; ++round) {
            std::string bad = good;
            for (int k = 0; k < 1 + int(rng() % 8); ++k) {
                const size_t at = rng() % bad.size();
                if (rng() % 3 == 0) bad.erase(at, 1 + rng() % 16);
                else bad[at] = char(rng());
            }
            const std::string damaged = ScratchPath("damaged.pdf"), out = ScratchPath("from-damaged.pdf");
            WriteFile(damaged, bad);
            PdfWriter writer;
            writer.BeginDoc(out);
            writer.BeginPage();
            writer.ImportPage(damaged, 1, 0, 0, 0, 0);
            imported += writer.ErrNumber() == 0;
            writer.EndDoc();
            EXPECT_TRUE(QpdfCheckPasses(out)) << source.producer << " round " << round;
        }
    }
    EXPECT_GT(imported, 0);  // most single-byte damage leaves the file readable
}

TEST(Import, PlacementAndScaling)
{
    // An A4 source of 595.276 x 841.89 points written by our own writer.
    const std::string a4 = ScratchPath("a4.pdf");
    {
        PdfWriter source;
        source.SetScale(3, 1);
        source.SetPaperSize(255, 21, 29.7f);
        source.BeginDoc(a4);
        source.BeginPage();
        source.EndDoc();
    }
    struct Case {
        float x, y, width, height;
        const char* cmLine;
    };
    const Case cases[] = {
        {0, 0, 0, 0, "1 0 0 -1 0 841.89 cm"},
        {1, 2, 10.5f, 0, "0.5 0 0 -0.5 28.346 477.638 cm"},  // height from the proportions: 14.85
        {0, 0, 0, 14.85f, "0.5 0 0 -0.5 0 420.945 cm"},
        {0, 0, 21, 14.85f, "1 0 0 -0.5 0 420.945 cm"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cmLine);
        const std::string out = ScratchPath("placed.pdf");
        PdfWriter writer;
        writer.SetScale(3, 1);
        writer.BeginDoc(out);
        writer.BeginPage();
        writer.ImportPage(a4, 1, c.x, c.y, c.width, c.height);
        const auto box = writer.LastTextBox();
        writer.EndDoc();
        const std::vector<std::string> contents = PageContents(ReadFile(out));
        ASSERT_EQ(contents.size(), 1u);
        EXPECT_NE(contents[0].find(std::string("q\r") + c.cmLine + "\r/_PDF_1.1 Do\rQ\r"), std::string::npos) << contents[0];
        const float width = c.width == 0 && c.height == 0 ? 21 : c.width == 0 ? c.height * 21 / 29.7f : c.width;
        EXPECT_NEAR(box[0], c.x * 28.346457f, 0.01);
        EXPECT_NEAR(box[2] - box[0], width * 28.346457f, 0.02);
        EXPECT_NEAR(box[1], 842 - c.y * 28.346457f, 0.01);
    }
}

TEST(Import, ContentStreamsSingleKeptArrayMerged)
{
    const std::string page = "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 200 100] /Resources << >> /Contents %s >>";
    const std::string compressed = PdfFilters::FlateEncode("0 0 1 rg 10 10 50 50 re f", 2);
    auto withContents = [&](const std::string& contents) {
        std::string p = page;
        p.replace(p.find("%s"), 2, contents);
        return p;
    };
    const std::string arraySource = ScratchPath("array.pdf");
    WriteFile(arraySource, BuildPdf({"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
                                     withContents("[4 0 R 5 0 R]"), StreamBody(compressed, " /Filter /FlateDecode"),
                                     StreamBody("1 0 0 RG 0 0 m 200 100 l S")}));
    const std::string single = ScratchPath("single.pdf");
    WriteFile(single, BuildPdf({"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
                                withContents("4 0 R"), StreamBody(compressed, " /Filter /FlateDecode")}));

    const std::string merged = ReadFile(PlaceTwice(arraySource, "merged.pdf"));
    const size_t form = merged.find("/Subtype /Form");
    ASSERT_NE(form, std::string::npos);
    const std::string formText = merged.substr(form, merged.find("endobj", form) - form);
    EXPECT_EQ(formText.find("/Filter"), std::string::npos);
    EXPECT_NE(formText.find("stream\r\n0 0 1 rg 10 10 50 50 re f\n1 0 0 RG 0 0 m 200 100 l S\rendstream"), std::string::npos);

    const std::string kept = ReadFile(PlaceTwice(single, "kept.pdf"));
    EXPECT_NE(kept.find("   /Filter /FlateDecode\n>>\nstream\r\n" + compressed + "\rendstream"), std::string::npos);
    EXPECT_TRUE(QpdfCheckPasses(ScratchPath("merged.pdf")));
    EXPECT_TRUE(QpdfCheckPasses(ScratchPath("kept.pdf")));
}

TEST(Import, SameFileUnderTwoNamesIsOneFile)
{
    const std::string copy = ScratchPath("same.pdf");
    std::filesystem::copy_file(kTemplates + "/riepilogoD.pdf", copy, std::filesystem::copy_options::overwrite_existing);
    const std::string otherName = std::filesystem::path(copy).parent_path().string() + "/./same.pdf";
    const std::string out = ScratchPath("samefile.pdf");
    PdfWriter writer;
    writer.BeginDoc(out);
    writer.BeginPage();
    writer.ImportPage(copy, 1, 0, 0, 0, 0);
    writer.BeginPage();
    writer.ImportPage(otherName, 1, 0, 0, 0, 0);
    writer.EndDoc();
    EXPECT_EQ(Count(ReadFile(out), "/Subtype /Form /FormType 1"), 1u);
}

TEST(Import, FailuresAreRecordedAndNothingIsPlaced)
{
    const std::string garbage = ScratchPath("garbage.pdf");
    WriteFile(garbage, "this is not a PDF file at all");
    const std::string truncated = ScratchPath("truncated.pdf");
    const std::string qt = ReadFile(kTemplates + "/SchedaSI.pdf");
    WriteFile(truncated, qt.substr(0, qt.size() / 2));
    const std::string looping = ScratchPath("looping.pdf");
    {
        std::string body = BuildPdf({"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [2 0 R] /Count 1 >>"});
        const size_t xref = body.find("xref");
        body.replace(body.find("/Root 1 0 R"), 11, "/Root 1 0 R /Prev " + std::to_string(xref));
        WriteFile(looping, body);
    }
    const std::string badStartxref = ScratchPath("badstartxref.pdf");
    {
        std::string body = BuildPdf({"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [] /Count 0 >>"});
        body.replace(body.rfind("startxref\n") + 10, 1, "9");
        WriteFile(badStartxref, body);
    }
    struct Case {
        std::string name, path;
        int error;
    };
    const Case cases[] = {
        {"missing file", ScratchPath("missing.pdf"), 53},
        {"not a PDF", garbage, 321},
        {"truncated file", truncated, 321},
        {"looping page tree and /Prev chain", looping, 321},
        {"startxref pointing nowhere", badStartxref, 321},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string out = ScratchPath("failure.pdf");
        PdfWriter writer;
        writer.BeginDoc(out);
        writer.BeginPage();
        writer.ImportPage(c.path, 1, 0, 0, 0, 0);
        EXPECT_EQ(writer.ErrNumber(), c.error);
        EXPECT_EQ(writer.ErrSource(), "PdfWriter.GetInfo");
        writer.EndDoc();
        EXPECT_EQ(ReadFile(out).find(" Do"), std::string::npos);
        EXPECT_TRUE(QpdfCheckPasses(out));
    }
}

TEST(Import, PagesOutsideTheFileAndEncryptedSourcesPlaceNothing)
{
    const std::string encryptedSource = ScratchPath("encrypted.pdf");
    ASSERT_EQ(pdftest::Run({"qpdf", "--encrypt", "user", "owner", "256", "--", kTemplates + "/SchedaSI.pdf", encryptedSource}).status, 0);
    PdfWriter probe;
    std::string title, subject, author;
    bool encrypted = false;
    probe.GetInfo(encryptedSource, title, subject, author, encrypted);
    EXPECT_TRUE(encrypted);

    const std::string out = ScratchPath("nothing.pdf");
    PdfWriter writer;
    writer.BeginDoc(out);
    writer.BeginPage();
    for (int page : {0, -1, 2}) writer.ImportPage(kTemplates + "/SchedaSI.pdf", page, 0, 0, 0, 0);
    writer.ImportPage(encryptedSource, 1, 0, 0, 0, 0);
    writer.EndDoc();
    const std::string file = ReadFile(out);
    EXPECT_EQ(file.find(" Do"), std::string::npos);
    EXPECT_EQ(file.find("/Subtype /Form"), std::string::npos);
}

namespace {

struct Image {
    int width = 0, height = 0;
    std::string rgb;
    bool IsRed(double xFraction, double yFraction) const
    {
        const size_t at = 3 * (size_t(yFraction * height) * size_t(width) + size_t(xFraction * width));
        return uint8_t(rgb[at]) > 150 && uint8_t(rgb[at + 1]) < 90 && uint8_t(rgb[at + 2]) < 90;
    }
};

Image RenderFirstPage(const std::string& pdf)
{
    const std::string prefix = pdf + "-render";
    EXPECT_EQ(pdftest::Run({"pdftoppm", "-r", "30", "-f", "1", "-l", "1", "-singlefile", pdf, prefix}).status, 0);
    const std::string ppm = ReadFile(prefix + ".ppm");
    Image image;
    int maxValue = 0, consumed = 0;
    if (std::sscanf(ppm.c_str(), "P6 %d %d %d%n", &image.width, &image.height, &maxValue, &consumed) != 3) return image;
    image.rgb = ppm.substr(size_t(consumed) + 1);
    return image;
}

}  // namespace

TEST(Import, RotatedTemplateFillsTheLandscapePageUpright)
{
    const std::string out = ScratchPath("rotated.pdf");
    PdfWriter writer;
    writer.SetScale(3, 1);
    writer.SetPaperSize(1, 0, 0);
    writer.BeginDoc(out);
    writer.BeginPage();
    writer.BeginSpace(writer.GetPageWidth(false), 0, 1, 1, 270);
    writer.ImportPage(kTemplates + "/SchedaSI.pdf", 1, 0, 0, 0, 0);
    writer.EndSpace();
    writer.EndDoc();
    ASSERT_TRUE(QpdfCheckPasses(out));

    const Image image = RenderFirstPage(out);
    ASSERT_GT(image.width, image.height);  // landscape
    ASSERT_EQ(image.rgb.size(), size_t(image.width) * size_t(image.height) * 3);
    // The red outcome banner runs across the page near the top (y 4.3 to 5.05 of 21 cm):
    // a template turned the wrong way would show it as a vertical band or at the bottom.
    const double bannerY = 4.7 / 21.0;
    for (double x : {0.05, 0.15, 0.85, 0.95}) EXPECT_TRUE(image.IsRed(x, bannerY)) << x;
    EXPECT_FALSE(image.IsRed(0.5, 0.5));
    EXPECT_FALSE(image.IsRed(0.5, 1 - bannerY));
    EXPECT_FALSE(image.IsRed(0.5, 0.1));
}
