// 10,000 record sheets, each the same imported template page (turned onto a landscape page) with
// six lines of text, written by PdfWriter and by PoDoFo doing the same work. Each run is a child
// process of its own, so that its peak memory (maximum resident set) is its own.
//
//   bash scripts/bench-pdf-import.sh [pages]   (runs kivo_bench_import)
//   kivo_bench_import [pages]      (default 10000; ours also runs with Flate compression, as
//                                   PoDoFo compresses, and with a tenth of the pages to show
//                                   that memory does not grow with the page count)

#include "pdf/PdfWriter.h"

#include <podofo/podofo.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const std::string kTemplate = std::string(KIVO_TEMPLATES_DIR) + "/SchedaSI.pdf";

void OursSheets(const std::string& out, int pages, int compression = 0)
{
    PdfWriter writer;
    writer.SetCompression(compression, 0);
    writer.SetScale(3, 1);
    writer.SetPaperSize(1, 0, 0);
    writer.BeginDoc(out);
    for (int page = 1; page <= pages; ++page) {
        writer.BeginPage();
        writer.BeginSpace(writer.GetPageWidth(false), 0, 1, 1, 270);
        writer.ImportPage(kTemplate, 1, 0, 0, 0, 0);
        writer.EndSpace();
        writer.SetFont("Times", 14, 1, 0);
        writer.DrawText(3.5f, 2.5f, "ALFA TRASPORTI SRL - ROMA (RM) -  P.IVA: 01234567890", 1);
        writer.DrawText(6.0f, 3.6f, "ROSSI MARIO " + std::to_string(page), 1);
        writer.DrawText(15.5f, 20.0f, std::to_string(page) + "/" + std::to_string(pages), 1);
        writer.DrawText(5.0f, 20.0f, "11/12/2026", 1);
        writer.SetFont("Times", 10, 0, 0);
        writer.DrawText(1.0f, 6.0f, "UE", 1);
        writer.DrawText(5.1f, 6.0f, "ROSSI MARIO", 1);
        writer.EndPage();
    }
    writer.EndDoc();
    if (writer.ErrNumber() != 0) std::fprintf(stderr, "PdfWriter error: %s\n", writer.ErrDescription().c_str());
}

void PodofoSheets(const std::string& out, int pages)
{
    using namespace PoDoFo;
    PdfError::EnableLogging(false);
    PdfError::EnableDebug(false);
    // PoDoFo's streamed document refuses the template import (the copied objects are already
    // immutable), so the whole document is built in memory and written at the end.
    PdfMemDocument document;
    PdfMemDocument source(kTemplate.c_str());
    PdfXObject sheet(source, 0, &document);
    PdfFont* bold = document.CreateFont("Times-Bold", false, PdfEncodingFactory::GlobalWinAnsiEncodingInstance(),
                                        PdfFontCache::eFontCreationFlags_AutoSelectBase14, false);
    PdfFont* regular = document.CreateFont("Times-Roman", false, PdfEncodingFactory::GlobalWinAnsiEncodingInstance(),
                                           PdfFontCache::eFontCreationFlags_AutoSelectBase14, false);
    const double cm = 72.0 / 2.54, height = 596;
    auto text = [&](PdfPainter& painter, double x, double y, const std::string& s) {
        painter.DrawText(x * cm, height - y * cm, PdfString(s.c_str()));
    };
    for (int page = 1; page <= pages; ++page) {
        PdfPage* p = document.CreatePage(PdfRect(0, 0, 842, height));
        PdfPainter painter;
        painter.SetPage(p);
        painter.Save();
        painter.SetTransformationMatrix(0, -1, 1, 0, 0, height);  // the portrait template turned onto the landscape page
        painter.DrawXObject(0, 0, &sheet);
        painter.Restore();
        bold->SetFontSize(14);
        painter.SetFont(bold);
        text(painter, 3.5, 2.5, "ALFA TRASPORTI SRL - ROMA (RM) -  P.IVA: 01234567890");
        text(painter, 6.0, 3.6, "ROSSI MARIO " + std::to_string(page));
        text(painter, 15.5, 20.0, std::to_string(page) + "/" + std::to_string(pages));
        text(painter, 5.0, 20.0, "11/12/2026");
        regular->SetFontSize(10);
        painter.SetFont(regular);
        text(painter, 1.0, 6.0, "UE");
        text(painter, 5.1, 6.0, "ROSSI MARIO");
        painter.FinishPage();
    }
    document.Write(out.c_str());
}

struct Measure {
    double seconds = 0;
    long peakKb = 0;
    long long bytes = 0;
    bool ok = false;
};

Measure InChild(const std::function<void()>& work, const std::string& out)
{
    Measure m;
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        try {
            work();
        } catch (const PoDoFo::PdfError& e) {
            e.PrintErrorMsg();
            _exit(1);
        }
        _exit(0);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    m.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    m.peakKb = usage.ru_maxrss;
    std::error_code ec;
    m.bytes = (long long)std::filesystem::file_size(out, ec);
    m.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0 && !ec;
    return m;
}

void Print(const char* name, int pages, const Measure& m, const Measure* peer)
{
    std::printf("%-22s %7d %9.3f %11ld %13lld", name, pages, m.seconds, m.peakKb, m.bytes);
    if (peer) std::printf("   time %.3fx  memory %.3fx  size %.3fx", m.seconds / peer->seconds,
                          double(m.peakKb) / double(peer->peakKb), double(m.bytes) / double(peer->bytes));
    std::printf("%s\n", m.ok ? "" : "   (FAILED)");
}

}  // namespace

int main(int argc, char** argv)
{
    const int pages = argc > 1 ? std::atoi(argv[1]) : 10000;
    const std::string folder = std::filesystem::temp_directory_path().string();
    const std::string ours = folder + "/kivo-bench-ours.pdf", small = folder + "/kivo-bench-ours-small.pdf",
                      podofo = folder + "/kivo-bench-podofo.pdf";
    const Measure peer = InChild([&] { PodofoSheets(podofo, pages); }, podofo);
    const Measure mine = InChild([&] { OursSheets(ours, pages); }, ours);
    const Measure tenth = InChild([&] { OursSheets(small, pages / 10); }, small);
    // PoDoFo compresses its content streams; ours are plain unless asked, so also with Flate.
    const std::string flate = folder + "/kivo-bench-ours-flate.pdf";
    const Measure compressed = InChild([&] { OursSheets(flate, pages, 2); }, flate);
    std::printf("%-22s %7s %9s %11s %13s\n", "writer", "pages", "seconds", "peak KB", "output bytes");
    Print("PoDoFo 0.9.8", pages, peer, nullptr);
    Print("PdfWriter", pages, mine, &peer);
    Print("PdfWriter, Flate 0", pages, compressed, &peer);
    Print("PdfWriter (1/10 pages)", pages / 10, tenth, nullptr);
    std::printf("PdfWriter peak memory, %d pages vs %d pages: %.3fx\n", pages, pages / 10,
                double(mine.peakKb) / double(tenth.peakKb));
    std::printf("outputs: %s %s\n", ours.c_str(), podofo.c_str());
    return 0;
}
