#pragma once
// Colours given by name, as #RRGGBB, as a grey percentage ("%50"), as CMYK or RGB ("@c;m;y;k",
// "@r;g;b"), or as the name of a pattern with an optional second colour ("Hatch;Red").

#include <string>
#include <string_view>

namespace pdf {

struct ParsedColor {
    std::string colour;  // "#RRGGBB", a pattern name (upper case), or empty
    std::string extra;   // second part of a pattern colour, or empty
};

ParsedColor ParseColor(std::string_view colour);
// "#RRGGBB" -> "r g b" with each component in 0..1 through FormatNumber.
std::string RgbOperands(std::string_view colour);

}  // namespace pdf
