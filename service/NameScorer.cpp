#include "NameScorer.h"

#include "JaroWinkler.h"
#include "SoundKey.h"

#include <algorithm>

namespace kivo::service {

namespace {

constexpr double kTokenFloor = 0.84;          // below this two tokens are different names
constexpr double kUnpairedListedWeight = 0.1;  // a missing middle name or patronymic costs little
// A name whose every token differs a little from the searched ones (LUCA MARINO, LUCIA MARIN) is
// less likely the same person than one with a token spelled the same: it needs a higher score.
constexpr double kAllFuzzyFactor = 0.95;
constexpr std::size_t kMaxTokens = 64;
constexpr std::size_t kMinTypoLength = 6;      // shorter tokens that sound different are different names         // tokens beyond this are not scored

int AllowedEdits(std::size_t shorterLength)
{
    if (shorterLength <= 5) return 1;
    if (shorterLength <= 9) return 2;
    return 3;
}

bool IsVowel(char c) { return c == 'A' || c == 'E' || c == 'I' || c == 'O' || c == 'U'; }

// RICCI and RICCIO, MARINO and MARINI, FERRARA and FERRARI: Italian surnames that differ only in
// their final vowel are different names, however close Jaro-Winkler finds them.
bool DifferOnlyInFinalVowel(std::string_view a, std::string_view b)
{
    if (a.size() > b.size()) std::swap(a, b);
    if (b.size() == a.size() + 1) return IsVowel(b.back()) && b.substr(0, a.size()) == a;
    return a.size() == b.size() && IsVowel(a.back()) && IsVowel(b.back()) &&
           a.substr(0, a.size() - 1) == b.substr(0, b.size() - 1);
}

struct Pair {
    double similarity;
    std::uint8_t searched;
    std::uint8_t listed;
};

}  // namespace

double TokenSimilarity(std::string_view searched, std::string_view listed)
{
    if (searched == listed) return 1.0;
    const std::size_t shorter = std::min(searched.size(), listed.size());
    if (shorter <= 3) return 0.0;
    // Transliterations keep the sound of the first letter (OSAMA/USAMA, QADHAFI/GADDAFI);
    // MARINI and ABRINI are not one name.
    if (SoundGroup(searched.front()) != SoundGroup(listed.front())) return 0.0;
    if (DifferOnlyInFinalVowel(searched, listed)) return 0.0;
    const int allowed = AllowedEdits(shorter);
    const int distance = BoundedEditDistance(searched, listed, allowed);
    if (distance > allowed) return 0.0;
    // Tokens that sound alike (MOHAMMED/MUHAMMAD, LADEN/LADIN) are transliterations and may differ
    // by a few edits; otherwise the difference must be one typo in a long token (SERRA/SERNA and
    // MARIANI/MARTINI are different names).
    if (SoundKey(searched) != SoundKey(listed) && (distance > 1 || shorter < kMinTypoLength)) return 0.0;
    const double jw = JaroWinkler(searched, listed);
    return jw >= kTokenFloor ? jw : 0.0;
}

double ScoreTokens(std::span<const std::uint32_t> searchedLengths, std::span<const std::uint32_t> listedLengths,
                   std::span<const float> similarity)
{
    const std::size_t ns = std::min(searchedLengths.size(), kMaxTokens);
    const std::size_t nl = std::min(listedLengths.size(), kMaxTokens);
    if (ns == 0 || nl == 0) return 0.0;

    std::vector<Pair> pairs;
    for (std::size_t i = 0; i < ns; ++i)
        for (std::size_t j = 0; j < nl; ++j)
            if (const double s = similarity[i * listedLengths.size() + j]; s > 0.0)
                pairs.push_back({s, static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(j)});
    if (pairs.empty()) return 0.0;
    std::stable_sort(pairs.begin(), pairs.end(), [](const Pair& a, const Pair& b) { return a.similarity > b.similarity; });

    std::uint64_t searchedUsed = 0;
    std::uint64_t listedUsed = 0;
    double matched = 0.0;
    double total = 0.0;
    bool anyExact = false;
    for (const Pair& p : pairs) {
        const std::uint64_t sBit = std::uint64_t{1} << p.searched;
        const std::uint64_t lBit = std::uint64_t{1} << p.listed;
        if ((searchedUsed & sBit) || (listedUsed & lBit)) continue;
        searchedUsed |= sBit;
        listedUsed |= lBit;
        const double weight = searchedLengths[p.searched] + listedLengths[p.listed];
        matched += p.similarity * weight;
        anyExact = anyExact || p.similarity >= 1.0;
        total += weight;
    }
    for (std::size_t i = 0; i < ns; ++i)
        if (!(searchedUsed & (std::uint64_t{1} << i))) total += 2.0 * searchedLengths[i];
    for (std::size_t j = 0; j < nl; ++j)
        if (!(listedUsed & (std::uint64_t{1} << j))) total += kUnpairedListedWeight * listedLengths[j];
    return anyExact ? matched / total : kAllFuzzyFactor * matched / total;
}

double ScoreNames(const std::vector<std::string>& searched, const std::vector<std::string>& listed)
{
    std::vector<std::uint32_t> sl;
    std::vector<std::uint32_t> ll;
    for (const auto& t : searched) sl.push_back(static_cast<std::uint32_t>(t.size()));
    for (const auto& t : listed) ll.push_back(static_cast<std::uint32_t>(t.size()));
    std::vector<float> similarity;
    for (const auto& s : searched)
        for (const auto& l : listed) similarity.push_back(static_cast<float>(TokenSimilarity(s, l)));
    return ScoreTokens(sl, ll, similarity);
}

}  // namespace kivo::service
