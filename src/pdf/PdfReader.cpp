#include "pdf/PdfReader.h"

#include "pdf/Win1252.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>

namespace pdf {
namespace {

constexpr int kMaxSections = 64;       // /Prev links followed before the chain counts as a loop
constexpr int kMaxPageTreeDepth = 64;
constexpr int kMaxResolveDepth = 16;

long long IntegerOf(const PdfValue* value, long long fallback)
{
    return value && value->Is(PdfValue::Kind::Number) ? static_cast<long long>(value->number) : fallback;
}

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out.push_back(char(cp));
    } else if (cp < 0x800) {
        out.push_back(char(0xC0 | cp >> 6));
        out.push_back(char(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(char(0xE0 | cp >> 12));
        out.push_back(char(0x80 | (cp >> 6 & 0x3F)));
        out.push_back(char(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(char(0xF0 | cp >> 18));
        out.push_back(char(0x80 | (cp >> 12 & 0x3F)));
        out.push_back(char(0x80 | (cp >> 6 & 0x3F)));
        out.push_back(char(0x80 | (cp & 0x3F)));
    }
}

// Text strings are UTF-16BE when they start with the byte order mark, PDFDocEncoding otherwise
// (which agrees with Windows-1252 on every character a document title uses).
std::string TextStringToUtf8(const std::string& bytes)
{
    if (bytes.size() < 2 || uint8_t(bytes[0]) != 0xFE || uint8_t(bytes[1]) != 0xFF) return Win1252ToUtf8(bytes);
    std::string out;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
        char32_t unit = char32_t(uint8_t(bytes[i])) << 8 | uint8_t(bytes[i + 1]);
        if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < bytes.size()) {
            const char32_t low = char32_t(uint8_t(bytes[i + 2])) << 8 | uint8_t(bytes[i + 3]);
            if (low >= 0xDC00 && low < 0xE000) {
                unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        AppendUtf8(out, unit);
    }
    return out;
}

}  // namespace

bool PdfReader::Fail(std::string message)
{
    error_ = std::move(message);
    return false;
}

bool PdfReader::Open(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return Fail("cannot open " + path);
    std::ostringstream content;
    content << in.rdbuf();
    return Load(std::move(content).str());
}

bool PdfReader::Load(std::string bytes)
{
    bytes_ = std::move(bytes);
    // The header may follow some junk; readers accept it within the first kilobyte.
    const size_t header = bytes_.find("%PDF-");
    if (header == std::string::npos || header > 1024 || header + 7 >= bytes_.size()) return Fail("no PDF header");
    if (header != 0) bytes_.erase(0, header);  // offsets in the file count from the header
    if (bytes_[5] >= '1' && bytes_[5] <= '9' && bytes_[6] == '.' && bytes_[7] >= '0' && bytes_[7] <= '9')
        minorVersion_ = bytes_[5] == '1' ? bytes_[7] - '0' : 7;
    return ReadCrossReferences();
}

bool PdfReader::ReadCrossReferences()
{
    const size_t tailStart = bytes_.size() > 1024 ? bytes_.size() - 1024 : 0;
    const size_t at = bytes_.rfind("startxref");
    if (at == std::string::npos || at < tailStart) return Fail("no startxref");
    PdfParser parser(bytes_, at + 9);
    long long offset = 0;
    if (!parser.ReadInteger(offset) || offset < 0 || size_t(offset) >= bytes_.size())
        return Fail("invalid startxref offset");
    if (!ReadSection(offset, 0)) return false;
    if (!trailer_.Get("Root")) return Fail("trailer without /Root");
    return true;
}

void PdfReader::AddEntry(int number, const XrefEntry& entry)
{
    // Sections are read newest first: an object already known keeps its newer entry.
    xref_.try_emplace(number, entry);
}

void PdfReader::MergeTrailer(const PdfValue& dictionary)
{
    if (trailer_.kind != PdfValue::Kind::Dictionary) trailer_.kind = PdfValue::Kind::Dictionary;
    for (const auto& [key, value] : dictionary.entries)
        if (key != "Prev" && key != "XRefStm" && !trailer_.Get(key)) trailer_.entries.emplace_back(key, value);
}

bool PdfReader::ReadSection(long long offset, int depth)
{
    if (depth > kMaxSections) return Fail("cross-reference chain too long or looping");
    if (offset < 0 || size_t(offset) >= bytes_.size()) return Fail("cross-reference offset outside the file");
    PdfParser parser(bytes_, size_t(offset));
    if (parser.TakeKeyword("xref")) return ReadTable(parser, depth);
    return ReadStreamSection(offset, depth);
}

bool PdfReader::ReadTable(PdfParser& parser, int depth)
{
    for (;;) {
        parser.SkipWhitespace();
        if (parser.PeekKeyword() == "trailer") break;
        long long start = 0, count = 0;
        if (!parser.ReadInteger(start) || !parser.ReadInteger(count) || start < 0 || count < 0 ||
            count > 10'000'000)
            return Fail("damaged cross-reference table");
        for (long long i = 0; i < count; ++i) {
            long long entryOffset = 0, generation = 0;
            if (!parser.ReadInteger(entryOffset) || !parser.ReadInteger(generation))
                return Fail("damaged cross-reference entry");
            parser.SkipWhitespace();
            const std::string_view kind = parser.PeekKeyword();
            if (kind != "n" && kind != "f") return Fail("damaged cross-reference entry");
            parser.TakeKeyword(kind);
            const long long number = start + i;
            if (number <= 0 || number > 0x7FFFFFFF) continue;
            if (kind == "n") AddEntry(int(number), {1, entryOffset, 0});
            else AddEntry(int(number), {0, 0, 0});
        }
    }
    parser.TakeKeyword("trailer");
    PdfValue trailer;
    if (!parser.ParseValue(trailer) || !trailer.Is(PdfValue::Kind::Dictionary)) return Fail("damaged trailer");
    MergeTrailer(trailer);
    // A hybrid file lists its compressed objects in a cross-reference stream beside the table.
    if (const PdfValue* stream = trailer.Get("XRefStm"); stream && stream->Is(PdfValue::Kind::Number))
        if (!ReadStreamSection(static_cast<long long>(stream->number), depth + 1)) return false;
    if (const PdfValue* prev = trailer.Get("Prev"); prev && prev->Is(PdfValue::Kind::Number))
        return ReadSection(static_cast<long long>(prev->number), depth + 1);
    return true;
}

bool PdfReader::ReadStreamSection(long long offset, int depth)
{
    const std::optional<PdfIndirectObject> object = ReadObjectAt(offset, 0);
    if (!object || !object->hasStream || !object->value.Is(PdfValue::Kind::Dictionary) ||
        !object->value.Get("Type") || !object->value.Get("Type")->IsName("XRef"))
        return Fail("no cross-reference table or stream at the startxref offset");
    const PdfValue& dict = object->value;
    const PdfFilters::DecodeResult decoded = DecodeStream(*object);
    if (!decoded.ok) return Fail("cross-reference stream: " + decoded.error);

    const PdfValue* w = dict.Get("W");
    if (!w || !w->Is(PdfValue::Kind::Array) || w->items.size() < 3) return Fail("cross-reference stream without /W");
    int widths[3];
    for (int i = 0; i < 3; ++i) {
        widths[i] = int(IntegerOf(&w->items[size_t(i)], -1));
        if (widths[i] < 0 || widths[i] > 8) return Fail("cross-reference stream with invalid /W");
    }
    const size_t entrySize = size_t(widths[0] + widths[1] + widths[2]);
    if (entrySize == 0) return Fail("cross-reference stream with invalid /W");

    std::vector<long long> index;
    if (const PdfValue* idx = dict.Get("Index"); idx && idx->Is(PdfValue::Kind::Array))
        for (const PdfValue& v : idx->items) index.push_back(IntegerOf(&v, 0));
    else
        index = {0, IntegerOf(dict.Get("Size"), 0)};

    const std::string& data = decoded.data;
    size_t at = 0;
    auto field = [&](int width, long long fallback) {
        if (width == 0) return fallback;
        long long v = 0;
        for (int k = 0; k < width; ++k) v = v << 8 | uint8_t(data[at++]);
        return v;
    };
    for (size_t s = 0; s + 1 < index.size(); s += 2) {
        for (long long i = 0; i < index[s + 1]; ++i) {
            if (at + entrySize > data.size()) return Fail("cross-reference stream shorter than its /Index");
            const long long type = field(widths[0], 1), second = field(widths[1], 0), third = field(widths[2], 0);
            const long long number = index[s] + i;
            if (number <= 0 || number > 0x7FFFFFFF) continue;
            if (type == 1) AddEntry(int(number), {1, second, 0});
            else if (type == 2) AddEntry(int(number), {2, second, int(third)});
            else AddEntry(int(number), {0, 0, 0});
        }
    }
    MergeTrailer(dict);
    if (const PdfValue* prev = dict.Get("Prev"); prev && prev->Is(PdfValue::Kind::Number))
        return ReadSection(static_cast<long long>(prev->number), depth + 1);
    return true;
}

std::optional<long long> PdfReader::StreamLength(const PdfValue& dictionary)
{
    const PdfValue* length = dictionary.Get("Length");
    if (!length) return std::nullopt;
    const std::optional<PdfValue> resolved = Resolve(*length);
    if (!resolved || !resolved->Is(PdfValue::Kind::Number) || resolved->number < 0) return std::nullopt;
    return static_cast<long long>(resolved->number);
}

std::optional<PdfIndirectObject> PdfReader::ReadObjectAt(long long offset, int expectedNumber)
{
    if (offset < 0 || size_t(offset) >= bytes_.size()) return std::nullopt;
    PdfParser parser(bytes_, size_t(offset));
    int number = 0, generation = 0;
    if (!parser.ParseObjectHeader(number, generation)) return std::nullopt;
    if (expectedNumber != 0 && number != expectedNumber) return std::nullopt;
    PdfIndirectObject object;
    if (!parser.ParseValue(object.value)) return std::nullopt;
    if (!object.value.Is(PdfValue::Kind::Dictionary) || !parser.TakeKeyword("stream")) return object;

    // The data starts after the end of line that follows "stream" (CR LF or LF; a lone CR is tolerated).
    size_t start = parser.Position();
    if (start < bytes_.size() && bytes_[start] == '\r') ++start;
    if (start < bytes_.size() && bytes_[start] == '\n') ++start;
    const std::optional<long long> length = StreamLength(object.value);
    size_t end = std::string::npos;
    if (length && size_t(*length) <= bytes_.size() - start) {
        PdfParser check(bytes_, start + size_t(*length));
        if (check.TakeKeyword("endstream")) end = start + size_t(*length);
    }
    // A missing or wrong /Length: the data runs up to the end of line before "endstream".
    if (end == std::string::npos) {
        end = bytes_.find("endstream", start);
        if (end == std::string::npos) return std::nullopt;
        if (end > start && bytes_[end - 1] == '\n') --end;
        if (end > start && bytes_[end - 1] == '\r') --end;
    }
    object.hasStream = true;
    object.streamData = bytes_.substr(start, end - start);
    return object;
}

std::optional<PdfIndirectObject> PdfReader::ReadCompressedObject(int streamNumber, int index, int number)
{
    std::shared_ptr<ObjectStream>& cached = objectStreams_[streamNumber];
    if (!cached) {
        const auto it = xref_.find(streamNumber);
        if (it == xref_.end() || it->second.type != 1) return std::nullopt;
        const std::optional<PdfIndirectObject> holder = ReadObjectAt(it->second.offset, streamNumber);
        if (!holder || !holder->hasStream) return std::nullopt;
        PdfFilters::DecodeResult decoded = DecodeStream(*holder);
        if (!decoded.ok) return std::nullopt;
        auto stream = std::make_shared<ObjectStream>();
        stream->data = std::move(decoded.data);
        const long long count = IntegerOf(holder->value.Get("N"), 0), first = IntegerOf(holder->value.Get("First"), 0);
        if (first < 0 || size_t(first) > stream->data.size()) return std::nullopt;
        PdfParser header(stream->data);
        for (long long i = 0; i < count; ++i) {
            long long objectNumber = 0, objectOffset = 0;
            if (!header.ReadInteger(objectNumber) || !header.ReadInteger(objectOffset)) break;
            stream->objects.emplace_back(int(objectNumber), size_t(first + objectOffset));
        }
        cached = std::move(stream);
    }
    if (index < 0 || size_t(index) >= cached->objects.size() || cached->objects[size_t(index)].first != number)
        return std::nullopt;
    PdfParser parser(cached->data, cached->objects[size_t(index)].second);
    PdfIndirectObject object;
    if (!parser.ParseValue(object.value)) return std::nullopt;
    return object;
}

std::optional<PdfIndirectObject> PdfReader::ReadObject(int number)
{
    const auto it = xref_.find(number);
    if (it == xref_.end()) return std::nullopt;
    if (it->second.type == 1) return ReadObjectAt(it->second.offset, number);
    if (it->second.type == 2) return ReadCompressedObject(int(it->second.offset), it->second.index, number);
    return std::nullopt;
}

std::optional<PdfValue> PdfReader::Resolve(const PdfValue& value)
{
    if (!value.Is(PdfValue::Kind::Reference)) return value;
    if (resolveDepth_ >= kMaxResolveDepth) return std::nullopt;
    ++resolveDepth_;
    std::optional<PdfValue> result;
    if (std::optional<PdfIndirectObject> object = ReadObject(value.objectNumber)) result = Resolve(object->value);
    --resolveDepth_;
    return result;
}

PdfFilters::DecodeResult PdfReader::DecodeStream(const PdfIndirectObject& object)
{
    std::vector<std::string> filters;
    if (const PdfValue* filter = object.value.Get("Filter")) {
        const std::optional<PdfValue> f = Resolve(*filter);
        if (f && f->Is(PdfValue::Kind::Name)) filters.emplace_back(f->NameText());
        if (f && f->Is(PdfValue::Kind::Array))
            for (const PdfValue& item : f->items) filters.emplace_back(item.NameText());
    }
    if (filters.empty()) return {true, object.streamData, {}, object.streamData.size()};
    if (filters.size() != 1 || (filters[0] != "FlateDecode" && filters[0] != "Fl"))
        return {false, {}, "unsupported filter " + filters[0], 0};
    PdfFilters::DecodeResult result = PdfFilters::FlateDecode(object.streamData);
    if (!result.ok) return result;
    std::optional<PdfValue> parms;
    if (const PdfValue* p = object.value.Get("DecodeParms")) parms = Resolve(*p);
    if (parms && parms->Is(PdfValue::Kind::Array) && !parms->items.empty()) parms = parms->items[0];
    if (!parms || !parms->Is(PdfValue::Kind::Dictionary)) return result;
    const int predictor = int(IntegerOf(parms->Get("Predictor"), 1));
    return PdfFilters::UndoPredictor(result.data, predictor, int(IntegerOf(parms->Get("Colors"), 1)),
                                     int(IntegerOf(parms->Get("BitsPerComponent"), 8)),
                                     int(IntegerOf(parms->Get("Columns"), 1)));
}

const std::vector<int>& PdfReader::Pages()
{
    if (pages_) return *pages_;
    pages_.emplace();
    const PdfValue* root = trailer_.Get("Root");
    const std::optional<PdfValue> catalog = root ? Resolve(*root) : std::nullopt;
    const PdfValue* pagesRef = catalog ? catalog->Get("Pages") : nullptr;
    if (!pagesRef || !pagesRef->Is(PdfValue::Kind::Reference)) return *pages_;
    const std::optional<PdfIndirectObject> top = ReadObject(pagesRef->objectNumber);
    if (!top) return *pages_;
    std::vector<int> visited;
    WalkPageTree(top->value, pagesRef->objectNumber, 0, visited);
    return *pages_;
}

void PdfReader::WalkPageTree(const PdfValue& node, int nodeNumber, int depth, std::vector<int>& visited)
{
    if (depth > kMaxPageTreeDepth || std::find(visited.begin(), visited.end(), nodeNumber) != visited.end()) return;
    visited.push_back(nodeNumber);
    const PdfValue* type = node.Get("Type");
    const PdfValue* kids = node.Get("Kids");
    // Some producers leave /Type out of leaves; a node without /Kids is a page.
    if ((type && type->IsName("Page")) || !kids) {
        pages_->push_back(nodeNumber);
        return;
    }
    const std::optional<PdfValue> kidArray = Resolve(*kids);
    if (!kidArray || !kidArray->Is(PdfValue::Kind::Array)) return;
    for (const PdfValue& kid : kidArray->items) {
        if (!kid.Is(PdfValue::Kind::Reference)) continue;
        if (const std::optional<PdfIndirectObject> child = ReadObject(kid.objectNumber))
            WalkPageTree(child->value, kid.objectNumber, depth + 1, visited);
    }
}

std::optional<PdfValue> PdfReader::InheritedAttribute(int pageObject, std::string_view key)
{
    int number = pageObject;
    for (int depth = 0; depth <= kMaxPageTreeDepth && number > 0; ++depth) {
        const std::optional<PdfIndirectObject> node = ReadObject(number);
        if (!node) return std::nullopt;
        if (const PdfValue* value = node->value.Get(key)) return Resolve(*value);
        const PdfValue* parent = node->value.Get("Parent");
        number = parent && parent->Is(PdfValue::Kind::Reference) ? parent->objectNumber : 0;
    }
    return std::nullopt;
}

bool PdfReader::IsPageTreeNode(int number)
{
    const std::optional<PdfIndirectObject> object = ReadObject(number);
    if (!object) return false;
    const PdfValue* type = object->value.Get("Type");
    return type && (type->IsName("Page") || type->IsName("Pages"));
}

std::string PdfReader::InfoText(std::string_view key)
{
    const PdfValue* infoRef = trailer_.Get("Info");
    const std::optional<PdfValue> info = infoRef ? Resolve(*infoRef) : std::nullopt;
    const PdfValue* entry = info ? info->Get(key) : nullptr;
    const std::optional<PdfValue> value = entry ? Resolve(*entry) : std::nullopt;
    if (!value || !value->Is(PdfValue::Kind::String)) return {};
    return TextStringToUtf8(StringBytes(*value));
}

}  // namespace pdf
