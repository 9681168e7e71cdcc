#include "CsvReader.h"

#include "StringUtil.h"
#include "TextNormalise.h"

#include <algorithm>

namespace kivo::service {

namespace {

// The code points of Windows-1252 bytes 0x80-0x9F; the other bytes are Latin-1.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,
    0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) out += static_cast<char>(cp);
    else if (cp < 0x800) { out += static_cast<char>(0xC0 | (cp >> 6)); out += static_cast<char>(0x80 | (cp & 0x3F)); }
    else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool IsUtf8(std::string_view text)
{
    if (std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) return true;
    for (std::size_t pos = 0; pos < text.size();)
        if (NextCodePoint(text, pos) == 0xFFFD) return false;
    return true;
}

std::string FromWindows1252(std::string_view text)
{
    std::string out;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        AppendUtf8(out, byte >= 0x80 && byte < 0xA0 ? kCp1252High[byte - 0x80] : byte);
    }
    return out;
}

std::string CleanField(std::string field, bool quoted)
{
    if (!IsUtf8(field)) field = FromWindows1252(field);
    if (quoted) return field;
    field = Trim(field);
    return field == "-0-" ? std::string() : field;
}

bool RowHasContent(const CsvRow& row)
{
    for (const auto& f : row)
        if (!f.empty()) return true;
    return false;
}

}  // namespace

std::vector<CsvRow> ParseOfacCsv(std::string_view text)
{
    std::vector<CsvRow> rows;
    CsvRow row;
    std::string field;
    bool quoted = false;     // the current field began with a quote
    bool inQuotes = false;   // inside the quotes right now
    const auto endField = [&] {
        row.push_back(CleanField(std::move(field), quoted));
        field.clear();
        quoted = false;
    };
    const auto endRow = [&] {
        endField();
        if (RowHasContent(row)) rows.push_back(std::move(row));
        row.clear();
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inQuotes) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') { field += '"'; ++i; }
            else if (c == '"') inQuotes = false;
            else {
                // The text up to the next quote in one piece: most of the file is quoted text.
                const std::size_t quote = std::min(text.find('"', i), text.size());
                field.append(text.substr(i, quote - i));
                i = quote - 1;
            }
            continue;
        }
        switch (c) {
        case '"':
            if (field.find_first_not_of(" \t") == std::string::npos) { field.clear(); quoted = inQuotes = true; }
            else field += c;
            break;
        case ',': endField(); break;
        case '\r': break;
        case '\n': endRow(); break;
        case '\x1A': break;  // DOS end-of-file mark
        default: field += c;
        }
    }
    if (!field.empty() || !row.empty()) endRow();
    return rows;
}

}  // namespace kivo::service
