#pragma once
// Number and string forms of the PDF syntax the writer produces.

#include <string>
#include <string_view>

namespace pdf {

// Rounds half away from zero to 3 decimals, keeps the result as a 32-bit float and prints it in
// the shortest plain decimal form with at most 7 significant digits, whatever the locale:
// 0.5, -0.25, 12, 595.276.
std::string FormatNumber(double value);
void AppendNumber(std::string& out, double value);

// The text of a PDF name (what follows the "/"): bytes that are blanks, delimiters, "#" or
// outside printable ASCII are written as #XX, so a name taken from the caller or from a font
// file can never break the syntax around it.
std::string PdfName(std::string_view name);

// Escapes a string for a PDF literal: backslash, parentheses, CR and LF.
std::string EscapeLiteral(std::string_view bytes);
void AppendEscaped(std::string& out, std::string_view bytes);

}  // namespace pdf
