// Our deflate encoder and decoder against zlib, the reference implementation, used as the oracle.

#include "pdf/Filters.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <fstream>
#include <random>
#include <sstream>

using namespace PdfFilters;

namespace {

std::string RandomBytes(size_t n, unsigned seed)
{
    std::mt19937 rng(seed);
    std::string s(n, '\0');
    for (char& c : s) c = char(rng());
    return s;
}

std::string SampleText()
{
    std::ifstream in(KIVO_SAMPLE_TEXT, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// Words drawn from a small vocabulary: compressible, with matches at every distance.
std::string WordSoup(size_t n)
{
    static const char* words[] = {"verifica ", "soggetto ", "trovato ", "negativo ", "BT ", "ET ",
                                  "0 0 0 rg\r", "/F1 10 Tf ", "12.5 ", "Tj\r", "ROSSI MARIO ", "( "};
    std::mt19937 rng(7);
    std::string s;
    while (s.size() < n) s += words[rng() % 12];
    s.resize(n);
    return s;
}

std::string ZlibUncompress(const std::string& compressed, size_t expectedSize)
{
    std::string out(expectedSize + 1, '\0');
    uLongf outLen = out.size();
    const int rc = uncompress(reinterpret_cast<Bytef*>(out.data()), &outLen,
                              reinterpret_cast<const Bytef*>(compressed.data()), compressed.size());
    EXPECT_EQ(rc, Z_OK);
    out.resize(outLen);
    return out;
}

std::string ZlibCompress(const std::string& data, int level, int strategy, int windowBits = 15)
{
    z_stream z{};
    deflateInit2(&z, level, Z_DEFLATED, windowBits, 8, strategy);
    std::string out(deflateBound(&z, data.size()) + 16, '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    z.avail_in = uInt(data.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = uInt(out.size());
    EXPECT_EQ(deflate(&z, Z_FINISH), Z_STREAM_END);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

struct Sample {
    const char* name;
    std::string data;
};

std::vector<Sample> Samples()
{
    std::string mixed = SampleText();
    mixed += RandomBytes(300000, 3);
    mixed += std::string(200000, '\0');
    mixed += WordSoup(1 << 20);
    mixed.resize(1 << 20);
    return {{"empty", ""},
            {"one byte", "A"},
            {"two equal bytes", "zz"},
            {"long run", std::string(1 << 20, 'a')},
            {"text", SampleText()},
            {"random", RandomBytes(100000, 1)},
            {"word soup", WordSoup(200000)},
            // Sizes around the steps of the encoder's table sizing and the 32 KB window.
            {"soup 255", WordSoup(255)},
            {"soup 257", WordSoup(257)},
            {"soup 16385", WordSoup(16385)},
            {"soup 32769", WordSoup(32769)},
            {"soup 65537", WordSoup(65537)},
            {"1 MB mixed", mixed}};
}

}  // namespace

TEST(Flate, OurStreamsInflateWithZlibAtEveryLevel)
{
    for (const Sample& sample : Samples()) {
        for (int level = 0; level <= 3; ++level) {
            SCOPED_TRACE(std::string(sample.name) + " level " + std::to_string(level));
            const std::string z = FlateEncode(sample.data, level);
            ASSERT_GE(z.size(), 6u);
            EXPECT_EQ(uint8_t(z[0]), 0x78);
            EXPECT_EQ(uint8_t(z[1]), 0x5E);
            EXPECT_EQ(ZlibUncompress(z, sample.data.size()), sample.data);
        }
    }
}

TEST(Flate, RandomDataDoesNotGrowBeyondStoredBlocks)
{
    const std::string data = RandomBytes(200000, 9);
    const std::string z = FlateEncode(data, 3);
    // Stored blocks cost 5 bytes per 64 KB piece; anything more means a poor block choice.
    EXPECT_LE(z.size(), data.size() + 5 * (data.size() / 16000 + 1) + 6);
}

TEST(Flate, BestLevelReachesZlibDefaultRatioOnText)
{
    const std::string text = SampleText() + WordSoup(300000);
    const size_t ours = FlateEncode(text, 3).size();
    const size_t zlib6 = ZlibCompress(text, 6, Z_DEFAULT_STRATEGY).size();
    EXPECT_LE(ours, zlib6);
}

TEST(Flate, HigherLevelsNeverCompressWorseOnText)
{
    const std::string text = SampleText();
    EXPECT_GE(FlateEncode(text, 0).size(), FlateEncode(text, 2).size());
    EXPECT_GE(FlateEncode(text, 2).size(), FlateEncode(text, 3).size() );
}

TEST(Flate, OurDecoderInflatesZlibOutputOfEveryLevelAndStrategy)
{
    const int strategies[] = {Z_DEFAULT_STRATEGY, Z_FILTERED, Z_HUFFMAN_ONLY, Z_RLE, Z_FIXED};
    for (const Sample& sample : Samples()) {
        for (int level = 0; level <= 9; ++level) {
            for (int strategy : strategies) {
                if (strategy != Z_DEFAULT_STRATEGY && level != 6) continue;
                SCOPED_TRACE(std::string(sample.name) + " level " + std::to_string(level) + " strategy " +
                             std::to_string(strategy));
                const DecodeResult r = FlateDecode(ZlibCompress(sample.data, level, strategy));
                ASSERT_TRUE(r.ok) << r.error;
                EXPECT_EQ(r.data, sample.data);
            }
        }
    }
}

TEST(Flate, Adler32MatchesZlib)
{
    for (size_t n : {0, 1, 5551, 5552, 5553, 100000}) {
        const std::string data = RandomBytes(n, unsigned(n));
        EXPECT_EQ(Adler32(data), adler32(1, reinterpret_cast<const Bytef*>(data.data()), uInt(n)));
    }
    const std::string ones(100000, '\xFF');
    EXPECT_EQ(Adler32(ones), adler32(1, reinterpret_cast<const Bytef*>(ones.data()), uInt(ones.size())));
}

// ---- Damaged streams ---------------------------------------------------------------------

namespace {

// Writes deflate bits LSB first; Huffman codes are given MSB first as the format stores them.
class Bits {
public:
    Bits& Value(uint32_t v, int n)
    {
        for (int i = 0; i < n; ++i) Push((v >> i) & 1);
        return *this;
    }
    Bits& Code(uint32_t code, int n)
    {
        for (int i = n - 1; i >= 0; --i) Push((code >> i) & 1);
        return *this;
    }
    std::string Bytes() const { return bytes_; }

private:
    void Push(int bit)
    {
        if (count_ % 8 == 0) bytes_.push_back('\0');
        bytes_.back() = char(uint8_t(bytes_.back()) | bit << (count_ % 8));
        ++count_;
    }
    std::string bytes_;
    int count_ = 0;
};

}  // namespace

TEST(Inflate, DamagedStreamsFailWithAReason)
{
    struct Case {
        const char* name;
        std::string data;
        const char* error;
    };
    const Case cases[] = {
        {"empty input", "", "truncated"},
        {"reserved block type", Bits().Value(1, 1).Value(3, 2).Bytes(), "invalid block type"},
        // Fixed block whose first symbol is a match: length 3 (code 257), distance 1 with no output yet.
        {"distance before the start", Bits().Value(1, 1).Value(1, 2).Code(1, 7).Code(0, 5).Bytes(), "distance too far back"},
        // Fixed block using distance symbol 30, which the format reserves.
        {"reserved distance symbol",
         Bits().Value(1, 1).Value(1, 2).Code(0x30 + 'a', 8).Code(1, 7).Code(30, 5).Bytes(), "invalid distance symbol"},
        // Fixed block using literal/length symbol 286 (8-bit code 11000110).
        {"reserved length symbol", Bits().Value(1, 1).Value(1, 2).Code(0xC6, 8).Bytes(), "invalid literal/length symbol"},
        // Dynamic block whose 19 code-length codes all have length 1.
        {"over-subscribed code", [] {
             Bits b;
             b.Value(1, 1).Value(2, 2).Value(0, 5).Value(0, 5).Value(15, 4);
             for (int i = 0; i < 19; ++i) b.Value(1, 3);
             return b.Bytes();
         }(), "over-subscribed"},
        // Dynamic block with only one code-length code of length 2: incomplete.
        {"incomplete code", [] {
             Bits b;
             b.Value(1, 1).Value(2, 2).Value(0, 5).Value(0, 5).Value(0, 4).Value(2, 3).Value(0, 3).Value(0, 3).Value(0, 3);
             return b.Bytes();
         }(), "incomplete"},
        {"stored length check", Bits().Value(1, 1).Value(0, 2).Value(0, 5).Bytes() + std::string("\x05\x00\x00\x00", 4),
         "length check"},
        {"stored block longer than input", Bits().Value(1, 1).Value(0, 2).Value(0, 5).Bytes() + std::string("\x05\x00\xFA\xFF" "ab", 6),
         "truncated"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const DecodeResult r = Inflate(c.data);
        EXPECT_FALSE(r.ok);
        EXPECT_NE(r.error.find(c.error), std::string::npos) << r.error;
    }
}

TEST(Inflate, EveryTruncationOfAValidStreamFails)
{
    for (int strategy : {Z_DEFAULT_STRATEGY, Z_FIXED}) {
        const std::string raw = ZlibCompress(WordSoup(3000) + RandomBytes(500, 4), 9, strategy, -15);
        ASSERT_TRUE(Inflate(raw).ok);
        for (size_t n = 0; n < raw.size(); ++n) {
            const DecodeResult r = Inflate(std::string_view(raw).substr(0, n));
            EXPECT_FALSE(r.ok) << "prefix of " << n << " bytes accepted";
        }
    }
}

TEST(Inflate, StoredBlockTruncationsFail)
{
    const std::string raw = ZlibCompress(RandomBytes(1000, 5), 0, Z_DEFAULT_STRATEGY, -15);
    for (size_t n = 0; n < raw.size(); ++n) {
        EXPECT_FALSE(Inflate(std::string_view(raw).substr(0, n)).ok) << n;
    }
}

TEST(Inflate, CorruptedBytesNeverCrashAndDamageIsNoticedByTheChecksum)
{
    const std::string good = FlateEncode(WordSoup(20000), 2);
    std::mt19937 rng(11);
    for (int round = 0; round < 3000; ++round) {
        std::string bad = good;
        const int flips = 1 + int(rng() % 4);
        for (int f = 0; f < flips; ++f) bad[2 + rng() % (bad.size() - 2)] ^= char(1 + rng() % 255);
        // Decoding into a copy of exactly the damaged size: a read past it would be a fault under ASan.
        const DecodeResult r = FlateDecode(std::string_view(bad));
        if (r.ok) {
            EXPECT_EQ(r.data, WordSoup(20000));
        }
    }
}

TEST(Flate, ZlibHeaderIsChecked)
{
    EXPECT_FALSE(FlateDecode("").ok);
    EXPECT_FALSE(FlateDecode(std::string("\x78\x5F") + "abc").ok);     // check bits wrong
    EXPECT_FALSE(FlateDecode(std::string("\x79\x9C") + "abc").ok);     // not deflate
    std::string z = FlateEncode("hello hello hello", 1);
    z.back() ^= 1;
    const DecodeResult r = FlateDecode(z);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find("Adler"), std::string::npos);
}
