#pragma once
// One font loaded by the writer: a built-in family's metric set or a TrueType file.

#include <array>
#include <cctype>
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
    int Object = 0;                           // font object number, 0 until written

    // Symbol and ZapfDingbats use their own built-in encoding whatever is asked.
    bool IsSymbolic() const
    {
        std::string upper = BaseFont;
        for (char& c : upper)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        return upper == "SYMBOL" || upper == "ZAPFDINGBATS";
    }
};
