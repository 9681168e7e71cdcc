// The two text filters: ASCII base-85 and ASCII hexadecimal.

#include "pdf/Filters.h"

namespace PdfFilters {

std::string Ascii85Encode(std::string_view data)
{
    std::string out;
    out.reserve(data.size() / 4 * 5 + 8);
    size_t i = 0;
    for (; i + 4 <= data.size(); i += 4) {
        const uint32_t v = uint32_t(uint8_t(data[i])) << 24 | uint32_t(uint8_t(data[i + 1])) << 16 |
                           uint32_t(uint8_t(data[i + 2])) << 8 | uint8_t(data[i + 3]);
        if (v == 0) {
            out.push_back('z');
            continue;
        }
        char digits[5];
        uint32_t rest = v;
        for (int d = 4; d >= 0; --d, rest /= 85) digits[d] = char('!' + rest % 85);
        out.append(digits, 5);
    }
    // A final group of n bytes is padded with zeros and written as its first n + 1 characters.
    const size_t tail = data.size() - i;
    if (tail > 0) {
        uint32_t v = 0;
        for (size_t k = 0; k < 4; ++k) v = v << 8 | (k < tail ? uint8_t(data[i + k]) : 0);
        char digits[5];
        for (int d = 4; d >= 0; --d, v /= 85) digits[d] = char('!' + v % 85);
        out.append(digits, tail + 1);
    }
    out += "~>";
    return out;
}

std::string AsciiHexEncode(std::string_view data)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string out(data.size() * 2, '0');
    for (size_t i = 0; i < data.size(); ++i) {
        out[2 * i] = kDigits[uint8_t(data[i]) >> 4];
        out[2 * i + 1] = kDigits[uint8_t(data[i]) & 0xF];
    }
    return out;
}

}  // namespace PdfFilters
