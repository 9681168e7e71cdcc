// The writer's filter chain: /Filter order, stream contents, and decoding by qpdf (the standard
// decoder) and zlib.

#include "PdfTestFiles.h"
#include "pdf/PdfWriter.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <regex>

using namespace pdftest;

namespace {

// A one-page document with `lines` lines of text; returns its path.
std::string WriteDocument(const std::string& name, int flags, int level, int lines)
{
    const std::string path = ScratchPath(name);
    PdfWriter writer;
    writer.SetCompression(flags, level);
    writer.BeginDoc(path);
    writer.BeginPage();
    writer.SetFont("Helvetica", 8, 0, 0);
    for (int i = 0; i < lines; ++i)
        writer.DrawText(20, 20 + (i % 90) * 9, "Riga " + std::to_string(i) + " ROSSI MARIO verifica negativa", 1);
    writer.EndDoc();
    return path;
}

int FirstContentObject(const std::string& file)
{
    std::smatch m;
    if (!std::regex_search(file, m, std::regex("/Contents (\\d+) 0 R"))) return 0;
    return std::stoi(m[1]);
}

// The dictionary line "/Filter [...]" of object n, empty when there is none.
std::string FilterLine(const std::string& file, int number)
{
    const std::string object = ObjectText(file, number);
    const size_t at = object.find("/Filter [");
    return at == std::string::npos ? std::string() : object.substr(at, object.find(']', at) + 1 - at);
}

std::string DecodedByQpdf(const std::string& path, int number)
{
    const CommandResult r = pdftest::Run({"qpdf", "--show-object=" + std::to_string(number), "--filtered-stream-data", path});
    EXPECT_EQ(r.status, 0) << r.output;
    return r.output;
}

}  // namespace

TEST(Compression, FilterChainOrderAndDecodingByQpdf)
{
    struct Case {
        int flags;
        const char* filterLine;
    };
    const Case cases[] = {
        {1, "/Filter [/RunLengthDecode ]"},
        {2, "/Filter [/FlateDecode ]"},
        {3, "/Filter [/FlateDecode /RunLengthDecode ]"},
        {4, "/Filter [/LZWDecode ]"},
        {8, "/Filter [/ASCII85Decode ]"},
        {16, "/Filter [/ASCIIHexDecode ]"},
        {18, "/Filter [/ASCIIHexDecode /FlateDecode ]"},
        {31, "/Filter [/ASCIIHexDecode /ASCII85Decode /LZWDecode /FlateDecode /RunLengthDecode ]"},
    };
    // Several content sizes, so that ASCII85 ends on every partial group and LZW passes a table reset.
    for (int lines : {1, 2, 3, 40, 700}) {
        const std::string plainPath = WriteDocument("plain" + std::to_string(lines) + ".pdf", 0, 0, lines);
        const std::string plainFile = ReadFile(plainPath);
        const int plainContent = FirstContentObject(plainFile);
        ASSERT_GT(plainContent, 0);
        EXPECT_EQ(FilterLine(plainFile, plainContent), "");
        const std::string content = StreamData(plainFile, plainContent);
        ASSERT_NE(content.find("0 0 0 rg"), std::string::npos);

        for (const Case& c : cases) {
            SCOPED_TRACE("flags " + std::to_string(c.flags) + ", " + std::to_string(lines) + " lines");
            const std::string path = WriteDocument(std::to_string(c.flags) + "-" + std::to_string(lines) + "f.pdf", c.flags, 2, lines);
            const std::string file = ReadFile(path);
            const int object = FirstContentObject(file);
            EXPECT_EQ(FilterLine(file, object), c.filterLine);
            EXPECT_TRUE(QpdfCheckPasses(path));
            EXPECT_EQ(DecodedByQpdf(path, object), content);
        }
    }
}

TEST(Compression, FlateStreamsStartWithTheZlibHeaderAndInflateWithZlib)
{
    const std::string plain = ReadFile(WriteDocument("z0.pdf", 0, 0, 50));
    const std::string content = StreamData(plain, FirstContentObject(plain));
    for (int level : {0, 1, 2, 3, 9}) {
        const std::string file = ReadFile(WriteDocument(std::to_string(level) + "z.pdf", 2, level, 50));
        const std::string stream = StreamData(file, FirstContentObject(file));
        ASSERT_GE(stream.size(), 2u);
        EXPECT_EQ(uint8_t(stream[0]), 0x78);
        EXPECT_EQ(uint8_t(stream[1]), 0x5E);
        std::string out(content.size() + 16, '\0');
        uLongf outLen = out.size();
        ASSERT_EQ(uncompress(reinterpret_cast<Bytef*>(out.data()), &outLen,
                             reinterpret_cast<const Bytef*>(stream.data()), stream.size()), Z_OK);
        out.resize(outLen);
        EXPECT_EQ(out, content);
    }
}

TEST(Compression, HexadecimalStreamHoldsOnlyUpperCaseDigits)
{
    const std::string file = ReadFile(WriteDocument("hex.pdf", 18, 1, 10));
    const std::string stream = StreamData(file, FirstContentObject(file));
    ASSERT_FALSE(stream.empty());
    EXPECT_EQ(stream.find_first_not_of("0123456789ABCDEF"), std::string::npos);
}

TEST(Compression, EveryStreamOfTheDocumentIsCompressed)
{
    const std::string path = WriteDocument("all.pdf", 2, 3, 5);
    const std::string file = ReadFile(path);
    size_t streams = 0, flate = 0;
    for (size_t at = file.find("stream\n"); at != std::string::npos; at = file.find("stream\n", at + 1)) {
        if (at >= 3 && file.compare(at - 3, 3, "end") == 0) continue;
        ++streams;
        flate += file.compare(at + 7, 2, "\x78\x5E") == 0;
    }
    EXPECT_GT(streams, 1u);  // content and metadata at least
    EXPECT_EQ(flate, streams);
    EXPECT_NE(PdfToText(path).find("ROSSI MARIO"), std::string::npos);
}
