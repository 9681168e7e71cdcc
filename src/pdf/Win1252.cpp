// Conversion between UTF-8 and Windows-1252 for the text written into PDF strings.

#include "pdf/Win1252.h"

#include <array>
#include <cstdint>

namespace pdf {

namespace {

// Code points of 0x80..0x9F; 0 marks the five codes without a character.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

// Mac Roman code of each Windows-1252 code 0x80..0xFF ("?" where Mac Roman has no such character).
constexpr unsigned char kMacRomanOfHighCodes[128] = {
    0xDB, 0x3F, 0xE2, 0xC4, 0xE3, 0xC9, 0xA0, 0xE0, 0xF6, 0xE4, 0x3F, 0xDC, 0xCE, 0x3F, 0x3F, 0x3F,
    0x3F, 0xD4, 0xD5, 0xD2, 0xD3, 0xA5, 0xD0, 0xD1, 0xF7, 0xAA, 0x3F, 0xDD, 0xCF, 0x3F, 0x3F, 0xD9,
    0xCA, 0xC1, 0xA2, 0xA3, 0x3F, 0xB4, 0x3F, 0xA4, 0xAC, 0xA9, 0xBB, 0xC7, 0xC2, 0x3F, 0xA8, 0xF8,
    0xA1, 0xB1, 0x3F, 0x3F, 0xAB, 0xB5, 0xA6, 0xE1, 0xFC, 0x3F, 0xBC, 0xC8, 0x3F, 0x3F, 0x3F, 0xC0,
    0xCB, 0xE7, 0xE5, 0xCC, 0x80, 0x81, 0xAE, 0x82, 0xE9, 0x83, 0xE6, 0xE8, 0xED, 0xEA, 0xEB, 0xEC,
    0x3F, 0x84, 0xF1, 0xEE, 0xEF, 0xCD, 0x85, 0x3F, 0xAF, 0xF4, 0xF2, 0xF3, 0x86, 0x3F, 0x3F, 0xA7,
    0x88, 0x87, 0x89, 0x8B, 0x8A, 0x8C, 0xBE, 0x8D, 0x8F, 0x8E, 0x90, 0x91, 0x93, 0x92, 0x94, 0x95,
    0x3F, 0x96, 0x98, 0x97, 0x99, 0x9B, 0x9A, 0xD6, 0xBF, 0x9D, 0x9C, 0x9E, 0x9F, 0x3F, 0x3F, 0xD8,
};

char UnicodeToWin1252(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<char>(cp);
    for (std::size_t i = 0; i < kHighControls.size(); ++i)
        if (kHighControls[i] != 0 && kHighControls[i] == cp)
            return static_cast<char>(0x80 + i);
    return '?';
}

// Decodes one UTF-8 sequence at text[pos]; returns the code point (0xFFFD when malformed)
// and advances pos past the bytes consumed.
char32_t DecodeUtf8(std::string_view text, std::size_t& pos)
{
    const auto lead = static_cast<unsigned char>(text[pos++]);
    if (lead < 0x80)
        return lead;
    int extra = 0;
    char32_t cp = 0;
    if ((lead & 0xE0) == 0xC0) { extra = 1; cp = lead & 0x1F; }
    else if ((lead & 0xF0) == 0xE0) { extra = 2; cp = lead & 0x0F; }
    else if ((lead & 0xF8) == 0xF0) { extra = 3; cp = lead & 0x07; }
    else return 0xFFFD;
    for (int i = 0; i < extra; ++i) {
        if (pos >= text.size() || (static_cast<unsigned char>(text[pos]) & 0xC0) != 0x80)
            return 0xFFFD;
        cp = (cp << 6) | (static_cast<unsigned char>(text[pos++]) & 0x3F);
    }
    static constexpr char32_t kMinimum[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kMinimum[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0xFFFD;
    return cp;
}

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

}  // namespace

char32_t Win1252ToUnicode(unsigned char code)
{
    if (code >= 0x80 && code < 0xA0)
        return kHighControls[code - 0x80] != 0 ? kHighControls[code - 0x80] : code;
    return code;
}

std::string Utf8ToWin1252(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const auto byte = static_cast<unsigned char>(utf8[pos]);
        if (byte < 0x80) {  // the common case, copied as it is
            out.push_back(static_cast<char>(byte));
            ++pos;
            continue;
        }
        out.push_back(UnicodeToWin1252(DecodeUtf8(utf8, pos)));
    }
    return out;
}

std::string Win1252ToMacRoman(std::string_view bytes)
{
    std::string out(bytes);
    for (char& c : out) {
        const auto code = static_cast<unsigned char>(c);
        if (code >= 0x80)
            c = static_cast<char>(kMacRomanOfHighCodes[code - 0x80]);
    }
    return out;
}

std::string Win1252ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes)
        AppendUtf8(out, Win1252ToUnicode(static_cast<unsigned char>(c)));
    return out;
}

}  // namespace pdf
