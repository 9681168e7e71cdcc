#pragma once
// String similarity of single name tokens.

#include <string_view>

namespace kivo::service {

// Jaro-Winkler similarity in [0, 1]: prefix scale 0.1 over at most four common leading characters.
double JaroWinkler(std::string_view a, std::string_view b);

// Levenshtein distance, or limit + 1 as soon as it is known to exceed limit.
int BoundedEditDistance(std::string_view a, std::string_view b, int limit);

}  // namespace kivo::service
