#include "TextNormalise.h"

namespace kivo::service {

char32_t NextCodePoint(std::string_view s, std::size_t& pos)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char lead = byte(pos);
    int extra = 0;
    char32_t cp = 0;
    if (lead < 0x80) { ++pos; return lead; }
    if ((lead & 0xE0) == 0xC0) { extra = 1; cp = lead & 0x1F; }
    else if ((lead & 0xF0) == 0xE0) { extra = 2; cp = lead & 0x0F; }
    else if ((lead & 0xF8) == 0xF0) { extra = 3; cp = lead & 0x07; }
    else { ++pos; return 0xFFFD; }
    for (int i = 1; i <= extra; ++i) {
        if (pos + i >= s.size() || (byte(pos + i) & 0xC0) != 0x80) { ++pos; return 0xFFFD; }
        cp = (cp << 6) | (byte(pos + i) & 0x3F);
    }
    pos += extra + 1;
    return cp;
}

namespace {

// Letters whose upper case is an ASCII letter although they are not ASCII. The client upper-cases
// character by character (one character to one), so only these two become ASCII there.
const char* ClientUpperAscii(char32_t cp)
{
    switch (cp) {
    case 0x0131: return "I";  // dotless i
    case 0x017F: return "S";  // long s
    default: return nullptr;
    }
}

// Letters that fold to more than one ASCII letter.
const char* FoldSpecial(char32_t cp)
{
    switch (cp) {
    case 0x00DF: return "SS";  // sharp s
    case 0xFB00: return "FF";
    case 0xFB01: return "FI";
    case 0xFB02: return "FL";
    case 0xFB03: return "FFI";
    case 0xFB04: return "FFL";
    case 0xFB05:
    case 0xFB06: return "ST";
    default: return ClientUpperAscii(cp);
    }
}

// Base letters of U+00C0..U+017F, upper case; '.' where there is none (multiplication sign etc.).
constexpr std::string_view kLatinFold =
    "AAAAAAACEEEEIIII"  // C0-CF (C6 AE handled apart)
    "DNOOOOO.OUUUUYTS"  // D0-DF (D7 times, DE thorn, DF sharp s handled apart)
    "AAAAAAACEEEEIIII"  // E0-EF
    "DNOOOOO.OUUUUYTY"  // F0-FF
    "AAAAAACCCCCCCCDD"  // 100-10F
    "DDEEEEEEEEEEGGGG"  // 110-11F
    "GGGGHHHHIIIIIIII"  // 120-12F
    "IIJJJJKKKLLLLLLL"  // 130-13F
    "LLLNNNNNNNNNOOOO"  // 140-14F
    "OOOORRRRRRSSSSSS"  // 150-15F
    "SSTTTTTTUUUUUUUU"  // 160-16F
    "UUUUWWYYYZZZZZZS";  // 170-17F

std::string FoldCodePoint(char32_t cp)
{
    if (cp < 0x80) {
        const char c = static_cast<char>(cp);
        if (c >= 'a' && c <= 'z') return std::string(1, static_cast<char>(c - 'a' + 'A'));
        if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return std::string(1, c);
        return " ";
    }
    if (cp == 0x00C6 || cp == 0x00E6) return "AE";
    if (cp == 0x0152 || cp == 0x0153) return "OE";
    if (cp == 0x00DE || cp == 0x00FE) return "TH";
    if (cp == 0x0132 || cp == 0x0133) return "IJ";
    if (const char* special = FoldSpecial(cp)) return special;
    if (cp >= 0x00C0 && cp <= 0x017F) {
        const char base = kLatinFold[cp - 0x00C0];
        return base == '.' ? " " : std::string(1, base);
    }
    return " ";
}

}  // namespace

std::string NormaliseLikeClient(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const char32_t cp = NextCodePoint(utf8, pos);
        if (cp < 0x80) {
            char c = static_cast<char>(cp);
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
            if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ') out += c;
        } else if (const char* special = ClientUpperAscii(cp)) {
            out += special;
        }
    }
    return out;
}

std::string FoldToAscii(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const char32_t cp = NextCodePoint(utf8, pos);
        out += FoldCodePoint(cp);
    }
    return out;
}

std::vector<std::string> SplitTokens(std::string_view text)
{
    std::vector<std::string> tokens;
    std::size_t pos = 0;
    while (pos < text.size()) {
        while (pos < text.size() && text[pos] == ' ') ++pos;
        const std::size_t start = pos;
        while (pos < text.size() && text[pos] != ' ') ++pos;
        if (pos > start) tokens.emplace_back(text.substr(start, pos - start));
    }
    return tokens;
}

std::string JoinTokens(const std::vector<std::string>& tokens)
{
    std::string out;
    for (const auto& t : tokens) {
        if (!out.empty()) out += ' ';
        out += t;
    }
    return out;
}

std::string IdentifierKey(std::string_view utf8)
{
    std::string out;
    for (char c : FoldToAscii(utf8))
        if (c != ' ') out += c;
    return out;
}

}  // namespace kivo::service
