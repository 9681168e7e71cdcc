#pragma once
// Search-text normalisation shared by the lists and the queries.
//
// The client sends its search element upper-cased with only A-Z, 0-9 and blanks kept (by their
// Windows-1252 codes), so accented letters and punctuation vanish. List names are indexed in that
// same form and in a folded form (accents to their base letter, punctuation and apostrophes to
// blanks), so that DELL'AQUILA is found as DELLAQUILA and as DELL AQUILA, with or without accents.

#include <string>
#include <string_view>
#include <vector>

namespace kivo::service {

// Exactly the client's rule: upper case, then keep only A-Z, 0-9 and blank; blanks stay as they are.
std::string NormaliseLikeClient(std::string_view utf8);

// Accents folded to their base letters (É -> E, ß -> SS, Ø -> O), every other character that is not
// a letter or digit becomes a blank; upper case.
std::string FoldToAscii(std::string_view utf8);

// Words of a normalised text, split at blanks, empty ones skipped.
std::vector<std::string> SplitTokens(std::string_view text);

// The words joined by single blanks.
std::string JoinTokens(const std::vector<std::string>& tokens);

// Only A-Z and 0-9 of a normalised or folded text: the key of identity-document numbers.
std::string IdentifierKey(std::string_view utf8);

// Decodes one UTF-8 sequence at pos (advancing it); malformed bytes decode as U+FFFD.
char32_t NextCodePoint(std::string_view text, std::size_t& pos);

}  // namespace kivo::service
