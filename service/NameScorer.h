#pragma once
// How close a searched name is to a listed name, token by token.
//
// Each searched token is paired with at most one listed token and vice versa, taking the most
// similar pairs first (Jaro-Winkler, with an edit-distance cap so that ROSSI does not pair with
// ROSSINI). The score is the length-weighted mean similarity of the pairs, where a searched token
// left unpaired counts fully against the match (the searched person has a name the listed one has
// not) and a listed token left unpaired counts only a little (middle names are often missing). A
// name with no token spelled exactly as searched is marked down.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kivo::service {

// Similarity of two tokens in [0, 1]: 1 when equal, 0 when too different to be the same name
// (short tokens must be equal; longer ones must start with a letter of the same sound, may differ
// by a few edits when they sound alike or by one typo when long, never only in their final vowel,
// and must reach a Jaro-Winkler floor).
double TokenSimilarity(std::string_view searched, std::string_view listed);

// Lengths are the tokens' lengths; similarity[i * listedLengths.size() + j] is that of searched
// token i and listed token j (computed by the caller, who usually caches it per token).
double ScoreTokens(std::span<const std::uint32_t> searchedLengths, std::span<const std::uint32_t> listedLengths,
                   std::span<const float> similarity);

// Convenience for plain strings (tests, tools).
double ScoreNames(const std::vector<std::string>& searched, const std::vector<std::string>& listed);

}  // namespace kivo::service
