#pragma once
// Reads what the writer needs of a TrueType file: its name, the descriptor values and the
// advance widths of the Windows-1252 codes, all in 1/1000 em.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pdf {

struct TrueTypeMetrics {
    std::string name;                 // PostScript name (or full name), without blanks
    std::array<int, 4> bbox{};        // xMin yMin xMax yMax
    float italicAngle = 0;
    int weight = 400;
    bool fixedPitch = false;
    bool symbolic = false;            // the font maps its glyphs through the (3,0) symbol cmap
    int ascent = 0;
    int descent = 0;
    int capHeight = 0;
    int averageWidth = 0;
    int maxWidth = 0;
    int missingWidth = 0;             // advance of glyph 0
    std::array<std::uint16_t, 256> widths{};
};

// Parses the file's bytes; returns nothing when a required table is missing or the data are
// truncated or inconsistent. Every read is bounds-checked.
std::optional<TrueTypeMetrics> ReadTrueTypeMetrics(std::string_view file);

}  // namespace pdf
