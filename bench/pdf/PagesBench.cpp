// One document of N A4 pages, each with 60 lines of Times text and a shared drawing placed on
// every page, written by our PdfWriter or by libharu (the peer). Run it under /usr/bin/time -v
// (scripts/bench-pdf.sh) to read wall time and peak memory; it prints its own wall time too.
//
//   kivo_bench_pages kivo|haru <pages> <output.pdf>

#include "pdf/PdfWriter.h"

#include <hpdf.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int kLinesPerPage = 60;

// The same text for both writers: page and line numbers make every line different.
std::string LineText(int page, int line)
{
    return "Pagina " + std::to_string(page) + " riga " + std::to_string(line) +
           " - ROSSI MARIO - verifica nominativo sulle liste UE, USA e ONU: esito negativo";
}

void WriteWithKivo(int pages, const char* path)
{
    PdfWriter writer;
    writer.SetPaperSize(0, 0, 0);
    writer.BeginDoc(path);
    writer.BeginObject("Testata", 0);
    writer.SetColorFill("LightBlue");
    writer.DrawRectangle(30, 20, 536, 40, "F");
    writer.SetFont("Helvetica", 14, 1, 0);
    writer.DrawText(40, 45, "KIVO - Verifica di massa - Riepilogo", 1);
    writer.EndObject();
    for (int page = 1; page <= pages; ++page) {
        writer.BeginPage();
        writer.PlayObject("Testata");
        writer.SetFont("Times", 10, 0, 0);
        for (int line = 0; line < kLinesPerPage; ++line)
            writer.DrawText(40, 80 + line * 12.5f, LineText(page, line), 1);
        writer.EndPage();
    }
    writer.EndDoc();
    if (writer.ErrNumber() != 0) {
        std::fprintf(stderr, "%s: %s\n", writer.ErrSource().c_str(), writer.ErrDescription().c_str());
        std::exit(1);
    }
}

void HaruError(HPDF_STATUS error, HPDF_STATUS detail, void*)
{
    std::fprintf(stderr, "libharu error %04X (%u)\n", static_cast<unsigned>(error), static_cast<unsigned>(detail));
    std::exit(1);
}

void WriteWithHaru(int pages, const char* path)
{
    HPDF_Doc pdf = HPDF_New(HaruError, nullptr);
    HPDF_Font times = HPDF_GetFont(pdf, "Times-Roman", "WinAnsiEncoding");
    HPDF_Font helvetica = HPDF_GetFont(pdf, "Helvetica-Bold", "WinAnsiEncoding");
    HPDF_Dict shared = nullptr;
    for (int page = 1; page <= pages; ++page) {
        HPDF_Page p = HPDF_AddPage(pdf);
        HPDF_Page_SetWidth(p, 596);
        HPDF_Page_SetHeight(p, 842);
        HPDF_Page_SetFontAndSize(p, times, 10);
        for (int line = 0; line < kLinesPerPage; ++line) {
            HPDF_Page_BeginText(p);
            HPDF_Page_TextOut(p, 40, 842 - (80 + line * 12.5f), LineText(page, line).c_str());
            HPDF_Page_EndText(p);
        }
        // libharu's way of drawing once and placing on every page: a shared content stream.
        if (shared == nullptr) {
            HPDF_Page_New_Content_Stream(p, &shared);
            HPDF_Page_SetRGBFill(p, 0.678f, 0.847f, 0.902f);
            HPDF_Page_Rectangle(p, 30, 842 - 60, 536, 40);
            HPDF_Page_Fill(p);
            HPDF_Page_SetRGBFill(p, 0, 0, 0);
            HPDF_Page_BeginText(p);
            HPDF_Page_SetFontAndSize(p, helvetica, 14);
            HPDF_Page_TextOut(p, 40, 842 - 45, "KIVO - Verifica di massa - Riepilogo");
            HPDF_Page_EndText(p);
        } else {
            HPDF_Page_Insert_Shared_Content_Stream(p, shared);
        }
    }
    HPDF_SaveToFile(pdf, path);
    HPDF_Free(pdf);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s kivo|haru <pages> <output.pdf>\n", argv[0]);
        return 2;
    }
    const std::string writer = argv[1];
    const int pages = std::atoi(argv[2]);
    const auto start = std::chrono::steady_clock::now();
    if (writer == "kivo")
        WriteWithKivo(pages, argv[3]);
    else if (writer == "haru")
        WriteWithHaru(pages, argv[3]);
    else
        return 2;
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    std::printf("%s %d pages: %.3f s\n", writer.c_str(), pages, elapsed.count());
    return 0;
}
