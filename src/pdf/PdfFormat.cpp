// Locale-independent number printing and literal-string escaping.

#include "pdf/PdfFormat.h"

#include <cmath>
#include <cstdint>

namespace pdf {

namespace {

double RoundToThousandths(double value)
{
    if (value >= 0)
        return std::floor(value * 1000 + 0.5) * 0.001;
    return -(std::floor(-value * 1000 + 0.5) * 0.001);
}

void AppendUnsigned(std::string& out, std::uint64_t n)
{
    char digits[24];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + n % 10);
        n /= 10;
    } while (n != 0);
    while (count > 0)
        out.push_back(digits[--count]);
}

}  // namespace

void AppendNumber(std::string& out, double value)
{
    const float stored = static_cast<float>(RoundToThousandths(value));
    double magnitude = std::fabs(static_cast<double>(stored));
    if (!std::isfinite(magnitude)) {
        out.push_back('0');
        return;
    }
    // At most 7 significant digits and never more than the 3 decimals the value was rounded to.
    int integerDigits = 0;
    for (double limit = 1; magnitude >= limit && integerDigits < 20; limit *= 10)
        ++integerDigits;
    const int decimals = integerDigits >= 7 ? 0 : std::min(3, 7 - integerDigits);
    static constexpr std::uint64_t kPowers[] = {1, 10, 100, 1000};
    const std::uint64_t unit = kPowers[decimals];
    // The product of a float and a power of ten up to 1000 is exact in a double, so ties are
    // real ties; they go to the even neighbour, as the C library prints them.
    const std::uint64_t scaled = static_cast<std::uint64_t>(std::nearbyint(magnitude * static_cast<double>(unit)));
    if (scaled == 0) {
        out.push_back('0');
        return;
    }
    if (stored < 0)
        out.push_back('-');
    AppendUnsigned(out, scaled / unit);
    std::uint64_t fraction = scaled % unit;
    if (fraction == 0)
        return;
    int width = decimals;
    while (fraction % 10 == 0) {
        fraction /= 10;
        --width;
    }
    out.push_back('.');
    char digits[3];
    for (int i = width - 1; i >= 0; --i) {
        digits[i] = static_cast<char>('0' + fraction % 10);
        fraction /= 10;
    }
    out.append(digits, static_cast<std::size_t>(width));
}

std::string FormatNumber(double value)
{
    std::string out;
    AppendNumber(out, value);
    return out;
}

std::string PdfName(std::string_view name)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    static constexpr std::string_view kDelimiters = "()<>[]{}/%#";
    std::string out;
    out.reserve(name.size());
    for (char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x21 || byte > 0x7E || kDelimiters.find(c) != std::string_view::npos) {
            out.push_back('#');
            out.push_back(kDigits[byte >> 4]);
            out.push_back(kDigits[byte & 15]);
        } else {
            out.push_back(c);
        }
    }
    return out;
}

void AppendEscaped(std::string& out, std::string_view bytes)
{
    for (char c : bytes) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '(': out += "\\("; break;
        case ')': out += "\\)"; break;
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        default: out.push_back(c);
        }
    }
}

std::string EscapeLiteral(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() + 8);
    AppendEscaped(out, bytes);
    return out;
}

}  // namespace pdf
