#include "CsvReader.h"

#include "StringUtil.h"

namespace kivo::service {

namespace {

std::string CleanField(std::string field, bool quoted)
{
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
            else field += c;
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
