// Deflate and inflate speed and ratio of our codec against zlib (levels 1, 6, 9) and libdeflate
// (level 6), on a corpus of real text: the Markdown documents and list CSV files of the shared
// folder beside the repository (../shared) and page content streams written by the writer.
//
//   bash scripts/bench-deflate.sh [corpus files...]   (runs kivo_bench_deflate)
//   kivo_bench_deflate [corpus files...]              (files given replace the shared folder's)

#include "pdf/Filters.h"
#include "pdf/PdfWriter.h"

#include <libdeflate.h>
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string ReadAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Content streams as the writer produces them for record sheets: text lines in Times.
std::string PageContentSample()
{
    const std::string path = (std::filesystem::temp_directory_path() / "kivo-bench-content.pdf").string();
    PdfWriter writer;
    writer.SetScale(3, 1);
    writer.SetPaperSize(1, 0, 0);
    writer.BeginDoc(path);
    for (int page = 0; page < 200; ++page) {
        writer.BeginPage();
        writer.SetFont("Times", 10, 0, 0);
        for (int line = 0; line < 34; ++line) {
            const float y = 6.0f + 0.3f * float(line);
            writer.DrawText(1.0f, y, line % 3 ? "UE" : "USA", 1);
            writer.DrawText(5.1f, y, "NOMINATIVO DI PROVA " + std::to_string(page * 34 + line), 1);
            writer.DrawText(26.2f, y, std::to_string(10000 + line * 7 + page), 1);
        }
    }
    writer.EndDoc();
    std::string file = ReadAll(path);
    std::filesystem::remove(path);
    // Keep the page content streams only (the writer writes them uncompressed by default).
    std::string content;
    for (size_t at = file.find("stream\n"); at != std::string::npos; at = file.find("stream\n", at + 7)) {
        if (at >= 3 && file.compare(at - 3, 3, "end") == 0) continue;
        const size_t end = file.find("\nendstream", at);
        if (end == std::string::npos) break;
        content.append(file, at + 7, end - at - 7);
        at = end;
    }
    return content;
}

double SecondsOf(const std::function<void()>& work, size_t bytes)
{
    // Best of several runs of at least ~0.3 s of work each.
    const int repeats = int(std::max<size_t>(1, size_t(40) * 1024 * 1024 / std::max<size_t>(bytes, 1)));
    double best = 1e30;
    for (int round = 0; round < 3; ++round) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < repeats; ++i) work();
        const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / repeats;
        best = std::min(best, s);
    }
    return best;
}

std::string ZlibCompress(const std::string& data, int level)
{
    uLongf size = compressBound(data.size());
    std::string out(size, '\0');
    compress2(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(data.data()), data.size(), level);
    out.resize(size);
    return out;
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<std::filesystem::path> files;
    for (int i = 1; i < argc; ++i) files.emplace_back(argv[i]);
    if (files.empty()) {
        const std::filesystem::path shared = std::filesystem::path(KIVO_SOURCE_DIR) / ".." / "shared";
        std::error_code ec;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(shared, ec))
            if (entry.path().extension() == ".md" || entry.path().extension() == ".csv") files.push_back(entry.path());
        std::sort(files.begin(), files.end());
    }
    std::string corpus;
    for (const auto& f : files) {
        const std::string text = ReadAll(f);
        std::printf("corpus: %-60s %10zu bytes\n", f.string().c_str(), text.size());
        corpus += text;
    }
    const std::string content = PageContentSample();
    std::printf("corpus: %-60s %10zu bytes\n", "(page content streams written by PdfWriter)", content.size());
    corpus += content;
    const double mb = double(corpus.size()) / 1e6;
    std::printf("total %.2f MB\n\n", mb);

    struct Result {
        std::string name;
        size_t size;
        double seconds;
    };
    std::vector<Result> results;
    for (int level = 0; level <= 3; ++level) {
        std::string out;
        const double s = SecondsOf([&] { out = PdfFilters::FlateEncode(corpus, level); }, corpus.size());
        results.push_back({"ours level " + std::to_string(level) + " (zlib row " +
                               std::to_string(PdfFilters::ConfigurationRowForLevel(level)) + ")", out.size(), s});
    }
    for (int level : {1, 6, 9}) {
        std::string out;
        const double s = SecondsOf([&] { out = ZlibCompress(corpus, level); }, corpus.size());
        results.push_back({"zlib level " + std::to_string(level), out.size(), s});
    }
    {
        libdeflate_compressor* c = libdeflate_alloc_compressor(6);
        std::string out(libdeflate_zlib_compress_bound(c, corpus.size()), '\0');
        size_t size = 0;
        const double s = SecondsOf([&] { size = libdeflate_zlib_compress(c, corpus.data(), corpus.size(), out.data(), out.size()); }, corpus.size());
        results.push_back({"libdeflate level 6", size, s});
        libdeflate_free_compressor(c);
    }
    const Result& zlib6 = results[5];
    std::printf("%-30s %12s %8s %10s %14s %14s\n", "deflate", "bytes", "ratio", "MB/s", "size/zlib6", "speed/zlib6");
    for (const Result& r : results)
        std::printf("%-30s %12zu %8.3f %10.1f %14.3f %14.2f\n", r.name.c_str(), r.size, double(r.size) / double(corpus.size()),
                    mb / r.seconds, double(r.size) / double(zlib6.size), zlib6.seconds / r.seconds);

    // Inflate the zlib level 6 stream of the corpus.
    const std::string compressed = ZlibCompress(corpus, 6);
    std::string check;
    const double ours = SecondsOf([&] { check = PdfFilters::FlateDecode(compressed).data; }, corpus.size());
    if (check != corpus) std::printf("OUR INFLATE FAILED\n");
    std::string out(corpus.size(), '\0');
    const double zlib = SecondsOf([&] {
        uLongf size = out.size();
        uncompress(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(compressed.data()), compressed.size());
    }, corpus.size());
    libdeflate_decompressor* d = libdeflate_alloc_decompressor();
    const double libdeflate = SecondsOf([&] {
        size_t size = 0;
        libdeflate_zlib_decompress(d, compressed.data(), compressed.size(), out.data(), out.size(), &size);
    }, corpus.size());
    libdeflate_free_decompressor(d);
    std::printf("\n%-30s %10s %14s\n", "inflate (zlib 6 stream)", "MB/s", "speed/zlib");
    std::printf("%-30s %10.1f %14.2f\n", "ours", mb / ours, zlib / ours);
    std::printf("%-30s %10.1f %14.2f\n", "zlib", mb / zlib, 1.0);
    std::printf("%-30s %10.1f %14.2f\n", "libdeflate", mb / libdeflate, zlib / libdeflate);
    return 0;
}
