#pragma once
// One font loaded by the writer: a built-in family's metric set or a TrueType file.

#include <array>
#include <cstdint>
#include <string>

struct FontRecord {
    std::string Key;           // upper-cased lookup key
    std::string ResourceName;  // the name after "/" in Tf and in the /Font dictionaries
    bool IsTrueType = false;
    std::string BaseFont;
    std::array<std::uint16_t, 256> Widths{};  // by Windows-1252 code, 1/1000 of the font size
    int LineHeight = 0;                       // 1/1000 of the font size
    int Descent = 0;                          // 1/1000 of the font size, negative
    int Encoding = 0;                         // 0 Windows ANSI, 1 Mac Roman
};
