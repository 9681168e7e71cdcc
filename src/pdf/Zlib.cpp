// The zlib container (RFC 1950) around deflate data: two header bytes, the data, Adler-32.

#include "pdf/Filters.h"

namespace PdfFilters {

uint32_t Adler32(std::string_view data, uint32_t adler)
{
    constexpr uint32_t kBase = 65521;
    constexpr size_t kMaxRun = 5552;  // longest run before the sums could overflow 32 bits
    uint32_t a = adler & 0xFFFF, b = adler >> 16;
    const auto* p = reinterpret_cast<const uint8_t*>(data.data());
    size_t left = data.size();
    while (left > 0) {
        const size_t run = left < kMaxRun ? left : kMaxRun;
        for (size_t i = 0; i < run; ++i) {
            a += p[i];
            b += a;
        }
        a %= kBase;
        b %= kBase;
        p += run;
        left -= run;
    }
    return b << 16 | a;
}

std::string FlateEncode(std::string_view data, int level)
{
    // 0x78: deflate with a 32 KB window; 0x5E: default-level hint, check bits making 0x785E a multiple of 31.
    std::string out = "\x78\x5E";
    out += Deflate(data, ConfigurationRowForLevel(level));
    const uint32_t adler = Adler32(data);
    out.push_back(char(adler >> 24));
    out.push_back(char(adler >> 16));
    out.push_back(char(adler >> 8));
    out.push_back(char(adler));
    return out;
}

DecodeResult FlateDecode(std::string_view input)
{
    DecodeResult result;
    if (input.size() < 2) {
        result.error = "zlib header missing";
        return result;
    }
    const auto cmf = uint8_t(input[0]), flg = uint8_t(input[1]);
    if ((cmf & 0x0F) != 8 || (cmf >> 4) > 7 || ((cmf << 8) | flg) % 31 != 0) {
        result.error = "invalid zlib header";
        return result;
    }
    if (flg & 0x20) {
        result.error = "zlib stream needs a preset dictionary";
        return result;
    }
    result = Inflate(input.substr(2));
    if (!result.ok) return result;
    const std::string_view trailer = input.substr(2 + result.consumed);
    // Some producers leave the checksum out; when it is there it must match.
    if (trailer.size() >= 4) {
        const uint32_t stored = uint32_t(uint8_t(trailer[0])) << 24 | uint32_t(uint8_t(trailer[1])) << 16 |
                                uint32_t(uint8_t(trailer[2])) << 8 | uint8_t(trailer[3]);
        if (stored != Adler32(result.data)) {
            result.ok = false;
            result.error = "Adler-32 checksum mismatch";
        }
    }
    result.consumed += 2;
    return result;
}

}  // namespace PdfFilters
