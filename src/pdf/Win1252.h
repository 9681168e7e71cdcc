#pragma once
// The single-byte text of PDF strings: UTF-8 at the writer's interface, Windows-1252 in the file.

#include <string>
#include <string_view>

namespace pdf {

// A character with no Windows-1252 code (or a malformed UTF-8 sequence) becomes "?", so the
// string written stays well formed and keeps its length in characters.
std::string Utf8ToWin1252(std::string_view utf8);
std::string Win1252ToUtf8(std::string_view bytes);
char32_t Win1252ToUnicode(unsigned char code);
// The same characters as Mac Roman bytes, for fonts that declare MacRomanEncoding; characters
// that Mac Roman lacks become "?".
std::string Win1252ToMacRoman(std::string_view bytes);

}  // namespace pdf
