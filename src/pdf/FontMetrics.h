#pragma once
// Metric sets of the built-in font families.

#include "pdf/FontRecord.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace pdf {

using WidthTable = std::array<std::uint16_t, 256>;

namespace widths {
// Generated from the AFM files of fonts-urw-base35 (FontWidths.cpp, tools/afm-widths.py).
extern const WidthTable kHelvetica, kHelveticaBold, kHelveticaOblique, kHelveticaBoldOblique;
extern const WidthTable kTimesRoman, kTimesBold, kTimesItalic, kTimesBoldItalic;
extern const WidthTable kSymbol, kZapfDingbats;
}  // namespace widths

enum class FontFamily { Arial, CourierNew, TimesNewRoman, Symbol, ZapfDingbats, Other };

// The family a requested name maps to (spaces removed, compared upper-case); Other for names
// that are not built in, which are measured and shown as Arial.
FontFamily FamilyOf(std::string_view name);
// The family's own name ("TimesNewRoman", ...); empty for Other.
std::string_view FamilyName(FontFamily family);
// ",Bold", ",Italic", ",BoldItalic" or nothing, by style bits 0 (bold) and 1 (italic).
std::string StyleSuffix(int style);
// Fills the widths, line height, descent and base font of a record from a family's metric set.
void LoadFontMetrics(FontRecord& record, FontFamily family, int style);

}  // namespace pdf
