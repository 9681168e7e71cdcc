#include "pdf/PdfObjects.h"

#include <charconv>
#include <cstdlib>

namespace pdf {
namespace {

// Deeper nesting than this only comes from damaged or hostile files.
constexpr int kMaxDepth = 256;

bool IsDigitOrSign(char c)
{
    return (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
}

// An optional sign, digits and at most one decimal point, with at least one digit.
bool IsNumberToken(std::string_view token)
{
    size_t i = !token.empty() && (token[0] == '+' || token[0] == '-') ? 1 : 0;
    bool digit = false, point = false;
    for (; i < token.size(); ++i) {
        if (token[i] >= '0' && token[i] <= '9') digit = true;
        else if (token[i] == '.' && !point) point = true;
        else return false;
    }
    return digit;
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

bool IsPdfWhitespace(char c)
{
    return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f' || c == '\0';
}

bool IsPdfDelimiter(char c)
{
    return c == '(' || c == ')' || c == '<' || c == '>' || c == '[' || c == ']' || c == '{' || c == '}' ||
           c == '/' || c == '%';
}

const PdfValue* PdfValue::Get(std::string_view key) const
{
    for (const auto& [k, v] : entries)
        if (k == key) return &v;
    return nullptr;
}

PdfValue* PdfValue::Get(std::string_view key)
{
    for (auto& [k, v] : entries)
        if (k == key) return &v;
    return nullptr;
}

void PdfParser::SkipWhitespace()
{
    while (pos_ < data_.size()) {
        const char c = data_[pos_];
        if (IsPdfWhitespace(c)) {
            ++pos_;
        } else if (c == '%') {
            while (pos_ < data_.size() && data_[pos_] != '\n' && data_[pos_] != '\r') ++pos_;
        } else {
            break;
        }
    }
}

std::string_view PdfParser::Token() const
{
    size_t end = pos_;
    while (end < data_.size() && !IsPdfWhitespace(data_[end]) && !IsPdfDelimiter(data_[end])) ++end;
    return data_.substr(pos_, end - pos_);
}

std::string_view PdfParser::PeekKeyword() const
{
    const std::string_view token = Token();
    for (char c : token)
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))) return {};
    return token;
}

bool PdfParser::TakeKeyword(std::string_view keyword)
{
    SkipWhitespace();
    if (Token() != keyword) return false;
    pos_ += keyword.size();
    return true;
}

bool PdfParser::ReadInteger(long long& value)
{
    SkipWhitespace();
    const std::string_view token = Token();
    if (token.empty()) return false;
    const auto [end, ec] = std::from_chars(token.data(), token.data() + token.size(), value);
    if (ec != std::errc() || end != token.data() + token.size()) return false;
    pos_ += token.size();
    return true;
}

bool PdfParser::ParseObjectHeader(int& number, int& generation)
{
    long long n = 0, g = 0;
    if (!ReadInteger(n) || !ReadInteger(g) || !TakeKeyword("obj")) return false;
    if (n <= 0 || n > 0x7FFFFFFF || g < 0 || g > 65535) return false;
    number = int(n);
    generation = int(g);
    return true;
}

bool PdfParser::ParseValue(PdfValue& out)
{
    return ParseValue(out, 0);
}

bool PdfParser::ParseValue(PdfValue& out, int depth)
{
    if (depth > kMaxDepth) return false;
    SkipWhitespace();
    if (pos_ >= data_.size()) return false;
    out = PdfValue{};
    const char c = data_[pos_];
    if (c == '/') return ParseName(out);
    if (c == '(') return ParseLiteralString(out);
    if (c == '<' && pos_ + 1 < data_.size() && data_[pos_ + 1] == '<') {
        pos_ += 2;
        out.kind = PdfValue::Kind::Dictionary;
        for (;;) {
            SkipWhitespace();
            if (pos_ + 1 < data_.size() && data_[pos_] == '>' && data_[pos_ + 1] == '>') {
                pos_ += 2;
                return true;
            }
            PdfValue key;
            if (pos_ >= data_.size() || data_[pos_] != '/' || !ParseName(key)) return false;
            PdfValue value;
            if (!ParseValue(value, depth + 1)) return false;
            out.entries.emplace_back(key.text.substr(1), std::move(value));
        }
    }
    if (c == '<') return ParseHexString(out);
    if (c == '[') {
        ++pos_;
        out.kind = PdfValue::Kind::Array;
        for (;;) {
            SkipWhitespace();
            if (pos_ >= data_.size()) return false;
            if (data_[pos_] == ']') {
                ++pos_;
                return true;
            }
            PdfValue item;
            if (!ParseValue(item, depth + 1)) return false;
            out.items.push_back(std::move(item));
        }
    }
    if (IsDigitOrSign(c)) return ParseNumberOrReference(out);
    const std::string_view token = Token();
    if (token.empty()) return false;  // a stray delimiter such as ")" or ">"
    pos_ += token.size();
    out.text = std::string(token);
    if (token == "true" || token == "false") out.kind = PdfValue::Kind::Boolean;
    else if (token == "null") out.kind = PdfValue::Kind::Null;
    else out.kind = PdfValue::Kind::Keyword;
    return true;
}

bool PdfParser::ParseNumberOrReference(PdfValue& out)
{
    const std::string_view token = Token();
    out.text = std::string(token);
    if (!IsNumberToken(token)) {  // damage such as "66\x837": keep the parser going, write no number
        out.kind = PdfValue::Kind::Keyword;
        pos_ += token.size();
        return true;
    }
    out.kind = PdfValue::Kind::Number;
    out.number = std::strtod(out.text.c_str(), nullptr);
    pos_ += token.size();
    // "n g R": two unsigned integers followed by the keyword R.
    const bool unsignedInteger = !token.empty() && token.find_first_not_of("0123456789") == std::string_view::npos;
    if (!unsignedInteger) return true;
    const size_t afterFirst = pos_;
    long long generation = 0;
    if (ReadInteger(generation) && generation >= 0 && TakeKeyword("R")) {
        out.kind = PdfValue::Kind::Reference;
        out.objectNumber = int(std::min(out.number, 2147483647.0));
        out.generation = int(std::min(generation, 65535LL));
        out.text.clear();
        return true;
    }
    pos_ = afterFirst;
    return true;
}

bool PdfParser::ParseName(PdfValue& out)
{
    size_t end = pos_ + 1;
    while (end < data_.size() && !IsPdfWhitespace(data_[end]) && !IsPdfDelimiter(data_[end])) ++end;
    out.kind = PdfValue::Kind::Name;
    out.text = std::string(data_.substr(pos_, end - pos_));
    pos_ = end;
    return true;
}

bool PdfParser::ParseLiteralString(PdfValue& out)
{
    const size_t start = pos_;
    int nesting = 0;
    for (; pos_ < data_.size(); ++pos_) {
        const char c = data_[pos_];
        if (c == '\\') {
            ++pos_;  // the escaped character never opens or closes
        } else if (c == '(') {
            ++nesting;
        } else if (c == ')' && --nesting == 0) {
            ++pos_;
            out.kind = PdfValue::Kind::String;
            out.text = std::string(data_.substr(start, pos_ - start));
            return true;
        }
    }
    return false;
}

bool PdfParser::ParseHexString(PdfValue& out)
{
    const size_t end = data_.find('>', pos_);
    if (end == std::string_view::npos) return false;
    out.kind = PdfValue::Kind::String;
    out.text = std::string(data_.substr(pos_, end + 1 - pos_));
    pos_ = end + 1;
    return true;
}

std::string StringBytes(const PdfValue& value)
{
    std::string out;
    const std::string& t = value.text;
    if (value.kind != PdfValue::Kind::String || t.size() < 2) return out;
    if (t.front() == '<') {
        int high = -1;
        for (size_t i = 1; i + 1 < t.size(); ++i) {
            const int v = HexValue(t[i]);
            if (v < 0) continue;
            if (high < 0) high = v;
            else { out.push_back(char(high << 4 | v)); high = -1; }
        }
        if (high >= 0) out.push_back(char(high << 4));
        return out;
    }
    for (size_t i = 1; i + 1 < t.size(); ++i) {
        char c = t[i];
        if (c == '\r') {  // an unescaped end of line reads as a single LF
            if (i + 2 < t.size() && t[i + 1] == '\n') ++i;
            out.push_back('\n');
            continue;
        }
        if (c != '\\' || i + 2 >= t.size()) {
            out.push_back(c);
            continue;
        }
        c = t[++i];
        switch (c) {
        case 'n': out.push_back('\n'); break;
        case 'r': out.push_back('\r'); break;
        case 't': out.push_back('\t'); break;
        case 'b': out.push_back('\b'); break;
        case 'f': out.push_back('\f'); break;
        case '\r': if (i + 2 < t.size() && t[i + 1] == '\n') ++i; break;  // line continuation
        case '\n': break;
        default:
            if (c >= '0' && c <= '7') {
                int v = c - '0';
                for (int k = 0; k < 2 && i + 2 < t.size() && t[i + 1] >= '0' && t[i + 1] <= '7'; ++k) v = v * 8 + (t[++i] - '0');
                out.push_back(char(v));
            } else {
                out.push_back(c);
            }
        }
    }
    return out;
}

std::string SerializeValue(const PdfValue& value, const std::function<std::string(const PdfValue&)>& mapReference)
{
    switch (value.kind) {
    case PdfValue::Kind::Reference:
        return mapReference(value);
    case PdfValue::Kind::Array: {
        std::string s = "[";
        for (size_t i = 0; i < value.items.size(); ++i) {
            if (i > 0) s += ' ';
            s += SerializeValue(value.items[i], mapReference);
        }
        return s + "]";
    }
    case PdfValue::Kind::Dictionary: {
        std::string s = "<<";
        for (const auto& [key, v] : value.entries) {
            s += " /";
            s += key;
            s += ' ';
            s += SerializeValue(v, mapReference);
        }
        return s + " >>";
    }
    case PdfValue::Kind::Name: {
        // Bytes outside the printable range are only valid in a name as #xx.
        std::string s;
        for (const char c : value.text) {
            const auto b = uint8_t(c);
            if (b >= 0x21 && b <= 0x7E) {
                s.push_back(c);
            } else {
                static constexpr char kHex[] = "0123456789ABCDEF";
                s += {'#', kHex[b >> 4], kHex[b & 15]};
            }
        }
        return s;
    }
    case PdfValue::Kind::Null:
    case PdfValue::Kind::Keyword:  // no keyword is a value: only a damaged object holds one
        return "null";
    default:
        return value.text;
    }
}

}  // namespace pdf
