// Colour parsing and the fill, stroke and text colour operations.

#include "pdf/PdfColor.h"

#include "pdf/PdfFormat.h"
#include "pdf/PdfWriter.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace pdf {

namespace {

struct NamedColor {
    const char* name;
    const char* value;
};

constexpr NamedColor kColorTable[] = {
    {"BLACK", "#000000"},     {"GRAY", "#808080"},       {"SILVER", "#C0C0C0"},   {"WHITE", "#FFFFFF"},
    {"MAROON", "#800000"},    {"RED", "#FF0000"},        {"PURPLE", "#800080"},   {"FUCHSIA", "#FF00FF"},
    {"MAGENTA", "#FF00FF"},   {"GREEN", "#008000"},      {"LIME", "#00FF00"},     {"OLIVE", "#808000"},
    {"YELLOW", "#FFFF00"},    {"NAVY", "#000080"},       {"BLUE", "#0000FF"},     {"TEAL", "#008080"},
    {"AQUA", "#00FFFF"},      {"CYAN", "#00FFFF"},       {"ORANGE", "#FF7F00"},   {"AZURE", "#F0FFFF"},
    {"GOLD", "#FFD700"},      {"LIGHTBLUE", "#ADD8E6"},  {"LIGHTCYAN", "#E0FFFF"}, {"LIGHTGREEN", "#90EE90"},
    {"LIGHTPINK", "#FFB6C1"}, {"LIGHTYELLOW", "#FFFFE0"}, {"TOMATO", "#FF6347"},  {"VIOLET", "#EE82EE"},
    {"PINK", "#FFC0CB"},      {"IVORY", "#FFFFF0"},      {"DARKGRAY", "#A9A9A9"}, {"DARKCYAN", "#008B8B"},
    {"DARKBLUE", "#00008B"},  {"BROWN", "#A52A2A"},      {"BEIGE", "#F5F5DC"},
};

std::string Trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

std::string UpperCased(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::vector<std::string_view> SplitOn(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (true) {
        const auto end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos)
            return parts;
        start = end + 1;
    }
}

// A number with "." or "," as decimal separator, whatever the locale; 0 when there is none.
double ParseDecimal(std::string_view text)
{
    std::string copy(Trimmed(text));
    std::replace(copy.begin(), copy.end(), ',', '.');
    if (!copy.empty() && copy.front() == '+')
        copy.erase(0, 1);
    double value = 0;
    std::from_chars(copy.data(), copy.data() + copy.size(), value);
    return value;
}

// Two upper-case hexadecimal digits of a component rounded half to even (the last two digits
// when the value is larger than a byte).
void AppendHexComponent(std::string& out, double value)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    const long n = std::lround(std::nearbyint(value)) & 0xFF;
    out.push_back(kDigits[n >> 4]);
    out.push_back(kDigits[n & 15]);
}

std::string HexColor(double red, double green, double blue)
{
    std::string colour = "#";
    AppendHexComponent(colour, red);
    AppendHexComponent(colour, green);
    AppendHexComponent(colour, blue);
    return colour;
}

std::string GreyPercent(std::string_view number)
{
    const double percent = std::clamp(ParseDecimal(number), 0.0, 100.0);
    const double v = 255 - std::floor(percent * 255 / 100);
    return HexColor(v, v, v);
}

std::string ComponentColor(std::string_view components)
{
    const auto parts = SplitOn(components, ';');
    std::vector<double> v;
    for (auto part : parts)
        v.push_back(ParseDecimal(part));
    if (v.size() == 4)
        return HexColor(std::fabs(100 - (v[0] + v[3])) * 2.55, std::fabs(100 - (v[1] + v[3])) * 2.55,
                        std::fabs(100 - (v[2] + v[3])) * 2.55);
    if (v.size() == 3)
        return HexColor(v[0], v[1], v[2]);
    return {};
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return 0;
}

}  // namespace

ParsedColor ParseColor(std::string_view colour)
{
    if (colour.empty())
        return {};
    switch (colour.front()) {
    case '#': return {std::string(colour.substr(0, 7)), {}};
    case '%': return {GreyPercent(colour.substr(1)), {}};
    case '@': return {ComponentColor(colour.substr(1)), {}};
    default: break;
    }
    const auto parts = SplitOn(colour, ';');
    const std::string name = UpperCased(Trimmed(parts[0]));
    for (const NamedColor& named : kColorTable)
        if (name == named.name)
            return {named.value, {}};
    ParsedColor pattern{name, {}};
    if (parts.size() > 1) {
        const std::string second = UpperCased(Trimmed(parts[1]));
        if (!second.empty())
            pattern.extra = ParseColor(second).colour;
    }
    return pattern;
}

std::string RgbOperands(std::string_view colour)
{
    auto component = [&](std::size_t at) {
        const int high = at < colour.size() ? HexValue(colour[at]) : 0;
        const int low = at + 1 < colour.size() ? HexValue(colour[at + 1]) : 0;
        return (high * 16 + low) / 255.0;
    };
    std::string out;
    AppendNumber(out, component(1));
    out += ' ';
    AppendNumber(out, component(3));
    out += ' ';
    AppendNumber(out, component(5));
    return out;
}

}  // namespace pdf

// Sets a fill (stroke = false) or stroke colour and writes its operator. A colour that parses to
// nothing (an empty text or a malformed "@" form) leaves the current colour as it is.
void PdfWriter::WriteColor(std::string& stored, std::string& storedExtra, std::string_view colour, bool stroke)
{
    if (colour.empty())
        return;
    // An uncoloured tiling pattern under definition would ignore colours here.
    pdf::ParsedColor parsed = pdf::ParseColor(colour);
    if (parsed.colour.empty())
        return;
    stored = parsed.colour;
    if (parsed.colour.front() == '#') {
        storedExtra.clear();
        AppendContent(pdf::RgbOperands(parsed.colour) + (stroke ? " RG" : " rg"));
    } else if (parsed.extra.empty()) {
        storedExtra.clear();
        AppendContent((stroke ? "/Pattern CS /" : "/Pattern cs /") + parsed.colour + (stroke ? " SCN" : " scn"));
    } else if (parsed.extra.front() == '#') {
        storedExtra = parsed.extra;
        AppendContent((stroke ? "/xxCSxx CS " : "/xxCSxx cs ") + pdf::RgbOperands(parsed.extra) + " /" +
                      parsed.colour + (stroke ? " SCN" : " scn"));
    }
}

void PdfWriter::SetColorFill(std::string_view colour)
{
    WriteColor(fillColor_, fillColorExtra_, colour, false);
}

void PdfWriter::SetColorLine(std::string_view colour)
{
    WriteColor(lineColor_, lineColorExtra_, colour, true);
}

void PdfWriter::SetColorText(std::string_view colour)
{
    if (colour.empty())
        return;
    pdf::ParsedColor parsed = pdf::ParseColor(colour);
    if (parsed.colour.empty())
        return;
    textColor_ = parsed.colour;
    textColorExtra_ = parsed.extra;
}
