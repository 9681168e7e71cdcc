#pragma once
// The values of the PDF syntax as the page importer reads them, and their parser and writer.
// Numbers, names and strings keep their source text, so a copied object is written back with the
// same bytes apart from the references, which the importer renumbers.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace pdf {

struct PdfValue {
    enum class Kind { Null, Boolean, Number, String, Name, Array, Dictionary, Reference, Keyword };

    Kind kind = Kind::Null;
    std::string text;  // source text of numbers, booleans, names (with "/"), strings (with delimiters), keywords
    double number = 0;
    int objectNumber = 0, generation = 0;  // references
    std::vector<PdfValue> items;                               // arrays
    std::vector<std::pair<std::string, PdfValue>> entries;     // dictionaries, keys without "/"

    bool Is(Kind k) const { return kind == k; }
    // The value of a dictionary key, or nullptr.
    const PdfValue* Get(std::string_view key) const;
    PdfValue* Get(std::string_view key);
    bool IsName(std::string_view name) const { return kind == Kind::Name && text.size() > 1 && std::string_view(text).substr(1) == name; }
    std::string_view NameText() const { return kind == Kind::Name ? std::string_view(text).substr(1) : std::string_view(); }
};

// The bytes a string token stands for (escapes of literal strings resolved, hexadecimal decoded).
std::string StringBytes(const PdfValue& value);

// Reads PDF tokens from a byte range; positions are offsets into that range.
class PdfParser {
public:
    explicit PdfParser(std::string_view data, size_t position = 0) : data_(data), pos_(position) {}

    // One value; a reference "n g R" becomes a Reference. Fails (returns false) on malformed input.
    bool ParseValue(PdfValue& out);
    // "n g obj": reads the three tokens, returns false when they are not there.
    bool ParseObjectHeader(int& number, int& generation);
    void SkipWhitespace();
    // The next token when it is a keyword (letters), consumed; empty otherwise (nothing consumed).
    std::string_view PeekKeyword() const;
    bool TakeKeyword(std::string_view keyword);
    bool ReadInteger(long long& value);
    size_t Position() const { return pos_; }
    void SetPosition(size_t position) { pos_ = position; }
    bool AtEnd() const { return pos_ >= data_.size(); }

private:
    bool ParseValue(PdfValue& out, int depth);
    bool ParseNumberOrReference(PdfValue& out);
    bool ParseLiteralString(PdfValue& out);
    bool ParseHexString(PdfValue& out);
    bool ParseName(PdfValue& out);
    std::string_view Token() const;

    std::string_view data_;
    size_t pos_;
};

// The value written back as PDF text, each reference passed through `mapReference`, which returns
// the text to write in its place ("12 0 R" or "null").
std::string SerializeValue(const PdfValue& value, const std::function<std::string(const PdfValue&)>& mapReference);

bool IsPdfWhitespace(char c);
bool IsPdfDelimiter(char c);

}  // namespace pdf
