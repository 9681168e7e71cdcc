// A small, bounds-checked reader of the TrueType tables behind AddFont.

#include "pdf/TrueTypeFont.h"

#include "pdf/Win1252.h"

#include <cmath>
#include <map>
#include <vector>

namespace pdf {

namespace {

class Reader {
public:
    explicit Reader(std::string_view data) : data_(data) {}
    bool Has(std::size_t at, std::size_t count) const { return at <= data_.size() && count <= data_.size() - at; }
    std::uint32_t U8(std::size_t at) const { return Has(at, 1) ? static_cast<unsigned char>(data_[at]) : 0; }
    std::uint32_t U16(std::size_t at) const { return (U8(at) << 8) | U8(at + 1); }
    std::int32_t S16(std::size_t at) const { return static_cast<std::int16_t>(U16(at)); }
    std::uint32_t U32(std::size_t at) const { return (U16(at) << 16) | U16(at + 2); }
    std::string_view Bytes(std::size_t at, std::size_t count) const
    {
        return Has(at, count) ? data_.substr(at, count) : std::string_view{};
    }

private:
    std::string_view data_;
};

struct Table {
    std::size_t offset = 0;
    std::size_t length = 0;
};

using TableDirectory = std::map<std::string, Table, std::less<>>;

std::optional<TableDirectory> ReadTableDirectory(const Reader& in)
{
    const std::uint32_t version = in.U32(0);
    if (version != 0x00010000 && version != 0x74727565)  // 1.0 or 'true'
        return std::nullopt;
    const std::uint32_t count = in.U16(4);
    if (!in.Has(12, count * 16ull))
        return std::nullopt;
    TableDirectory tables;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t entry = 12 + i * 16;
        const Table table{in.U32(entry + 8), in.U32(entry + 12)};
        if (!in.Has(table.offset, table.length))
            return std::nullopt;
        tables[std::string(in.Bytes(entry, 4))] = table;
    }
    return tables;
}

// Glyph index of a code point through a format 4 subtable, 0 when unmapped.
std::uint32_t GlyphFormat4(const Reader& in, std::size_t sub, std::uint32_t cp)
{
    const std::uint32_t segments = in.U16(sub + 6) / 2;
    const std::size_t ends = sub + 14, starts = ends + segments * 2 + 2, deltas = starts + segments * 2,
                      ranges = deltas + segments * 2;
    for (std::uint32_t s = 0; s < segments; ++s) {
        if (cp > in.U16(ends + s * 2))
            continue;
        const std::uint32_t start = in.U16(starts + s * 2);
        if (cp < start)
            return 0;
        const std::uint32_t delta = in.U16(deltas + s * 2);
        const std::uint32_t rangeOffset = in.U16(ranges + s * 2);
        if (rangeOffset == 0)
            return (cp + delta) & 0xFFFF;
        const std::size_t at = ranges + s * 2 + rangeOffset + (cp - start) * 2;
        const std::uint32_t glyph = in.U16(at);
        return glyph == 0 ? 0 : (glyph + delta) & 0xFFFF;
    }
    return 0;
}

struct CharacterMap {
    std::size_t subtable = 0;
    std::uint32_t format = 0;
    bool symbol = false;
};

std::optional<CharacterMap> ChooseCharacterMap(const Reader& in, const Table& cmap)
{
    const std::uint32_t count = in.U16(cmap.offset + 2);
    std::optional<CharacterMap> chosen;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t record = cmap.offset + 4 + i * 8;
        const std::uint32_t platform = in.U16(record), encoding = in.U16(record + 2);
        const std::size_t sub = cmap.offset + in.U32(record + 4);
        const std::uint32_t format = in.U16(sub);
        if (format != 4 && format != 0)
            continue;
        if (platform == 3 && encoding == 1 && format == 4)
            return CharacterMap{sub, format, false};  // Unicode BMP: the best choice
        if (platform == 3 && encoding == 0 && format == 4)
            chosen = CharacterMap{sub, format, true};
        else if (!chosen && platform == 1 && encoding == 0 && format == 0)
            chosen = CharacterMap{sub, format, false};
    }
    return chosen;
}

std::uint32_t GlyphOf(const Reader& in, const CharacterMap& map, unsigned char code)
{
    if (map.format == 0)
        return in.U8(map.subtable + 6 + code);
    if (map.symbol) {
        // Symbol fonts put their glyphs at U+F000 + code.
        const std::uint32_t glyph = GlyphFormat4(in, map.subtable, 0xF000 + code);
        return glyph != 0 ? glyph : GlyphFormat4(in, map.subtable, code);
    }
    return GlyphFormat4(in, map.subtable, Win1252ToUnicode(code));
}

std::string ReadName(const Reader& in, const Table& nameTable)
{
    const std::uint32_t count = in.U16(nameTable.offset + 2);
    const std::size_t strings = nameTable.offset + in.U16(nameTable.offset + 4);
    std::string best;
    int bestRank = 0;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t record = nameTable.offset + 6 + i * 12;
        const std::uint32_t platform = in.U16(record), nameId = in.U16(record + 6);
        if (nameId != 6 && nameId != 4)
            continue;
        const int rank = (nameId == 6 ? 2 : 0) + (platform == 3 ? 1 : 0) + 1;
        if (rank <= bestRank)
            continue;
        const std::string_view raw = in.Bytes(strings + in.U16(record + 10), in.U16(record + 8));
        std::string text;
        if (platform == 3 || platform == 0) {
            for (std::size_t k = 0; k + 1 < raw.size(); k += 2)
                if (raw[k] == 0 && raw[k + 1] != ' ')
                    text.push_back(raw[k + 1]);
        } else {
            for (char c : raw)
                if (c != ' ')
                    text.push_back(c);
        }
        if (!text.empty()) {
            best = text;
            bestRank = rank;
        }
    }
    return best;
}

}  // namespace

std::optional<TrueTypeMetrics> ReadTrueTypeMetrics(std::string_view file)
{
    const Reader in(file);
    const auto tables = ReadTableDirectory(in);
    if (!tables)
        return std::nullopt;
    for (const char* required : {"head", "hhea", "hmtx", "cmap"})
        if (tables->find(required) == tables->end())
            return std::nullopt;
    const Table head = tables->at("head"), hhea = tables->at("hhea"), hmtx = tables->at("hmtx");
    if (head.length < 54 || hhea.length < 36)
        return std::nullopt;
    const double unitsPerEm = in.U16(head.offset + 18);
    if (unitsPerEm < 16)
        return std::nullopt;
    auto em = [&](double value) { return static_cast<int>(std::lround(value * 1000 / unitsPerEm)); };

    TrueTypeMetrics m;
    m.bbox = {em(in.S16(head.offset + 36)), em(in.S16(head.offset + 38)), em(in.S16(head.offset + 40)),
              em(in.S16(head.offset + 42))};
    m.ascent = em(in.S16(hhea.offset + 4));
    m.descent = em(in.S16(hhea.offset + 6));
    m.maxWidth = em(in.U16(hhea.offset + 10));
    m.capHeight = m.ascent;
    const std::uint32_t metricsCount = in.U16(hhea.offset + 34);
    if (metricsCount == 0 || hmtx.length < metricsCount * 4ull)
        return std::nullopt;
    auto advance = [&](std::uint32_t glyph) {
        return em(in.U16(hmtx.offset + std::min(glyph, metricsCount - 1) * 4));
    };
    m.missingWidth = advance(0);

    if (auto os2 = tables->find("OS/2"); os2 != tables->end() && os2->second.length >= 78) {
        m.averageWidth = em(in.S16(os2->second.offset + 2));
        m.weight = static_cast<int>(in.U16(os2->second.offset + 4));
        if (in.U16(os2->second.offset) >= 2 && os2->second.length >= 90)
            m.capHeight = em(in.S16(os2->second.offset + 88));
    }
    if (auto post = tables->find("post"); post != tables->end() && post->second.length >= 16) {
        m.italicAngle = static_cast<float>(static_cast<std::int32_t>(in.U32(post->second.offset + 4)) / 65536.0);
        m.fixedPitch = in.U32(post->second.offset + 12) != 0;
    }
    if (auto name = tables->find("name"); name != tables->end())
        m.name = ReadName(in, name->second);
    if (m.name.empty())
        m.name = "TrueTypeFont";

    const auto map = ChooseCharacterMap(in, tables->at("cmap"));
    if (!map)
        return std::nullopt;
    m.symbolic = map->symbol;
    for (int code = 0; code < 256; ++code) {
        const std::uint32_t glyph = GlyphOf(in, *map, static_cast<unsigned char>(code));
        m.widths[static_cast<std::size_t>(code)] = static_cast<std::uint16_t>(glyph == 0 ? m.missingWidth : advance(glyph));
    }
    if (m.averageWidth == 0)
        m.averageWidth = m.missingWidth;
    return m;
}

}  // namespace pdf
