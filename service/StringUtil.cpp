#include "StringUtil.h"

#include <cctype>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace kivo::service {

std::string Trim(std::string_view s)
{
    const auto first = s.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    const auto last = s.find_last_not_of(" \t\r\n");
    return std::string(s.substr(first, last - first + 1));
}

bool StartsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

std::string JoinNonEmpty(const std::vector<std::string>& parts, std::string_view separator)
{
    std::string out;
    for (const auto& raw : parts) {
        const std::string p = Trim(raw);
        if (p.empty()) continue;
        if (!out.empty()) out += separator;
        out += p;
    }
    return out;
}

std::string ItalianDate(std::string_view isoDate)
{
    const std::string d = Trim(isoDate);
    const auto digitsAt = [&](std::size_t from, std::size_t count) {
        for (std::size_t i = from; i < from + count; ++i)
            if (i >= d.size() || !std::isdigit(static_cast<unsigned char>(d[i]))) return false;
        return true;
    };
    if (d.size() >= 10 && digitsAt(0, 4) && d[4] == '-' && digitsAt(5, 2) && d[7] == '-' && digitsAt(8, 2))
        return d.substr(8, 2) + "/" + d.substr(5, 2) + "/" + d.substr(0, 4);
    return d;
}

std::string CollapseWhitespace(std::string_view s)
{
    std::string out;
    bool blank = false;
    for (char c : s) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') { blank = true; continue; }
        if (blank && !out.empty()) out += ' ';
        blank = false;
        out += c;
    }
    return out;
}

std::string ReadWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot open " + path);
    std::ostringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

}  // namespace kivo::service
