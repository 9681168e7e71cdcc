#pragma once
// The searchable form of the loaded lists: every listed name and alias as token ids, an inverted
// index from token to names, a typo and transliteration fallback (one-deletion neighbours and a
// sound key of every token) and an index of identity-document numbers.
//
// Immutable once built, so any number of request threads can search it at once.

#include "ListEntry.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kivo::service {

struct Hit {
    std::uint32_t entry;  // index into lists().entries
    double score;         // 1 for an identifier found exactly
};

class ListIndex {
public:
    explicit ListIndex(ListSet lists);

    const ListSet& lists() const { return lists_; }

    // The entries whose names reach the threshold, or whose identity-document number is the
    // searched element; best first, at most maxHits.
    std::vector<Hit> Search(std::string_view searched, double threshold, std::size_t maxHits) const;

    // The same result found by scoring every listed name (no index): the reference for tests and
    // benchmarks.
    std::vector<Hit> ScanSearch(std::string_view searched, double threshold, std::size_t maxHits) const;

    // The entry of a list with this identifier, or nullptr.
    const ListEntry* Find(std::string_view list, std::string_view id) const;

    std::size_t nameCount() const { return variants_.size(); }
    std::size_t tokenCount() const { return vocabulary_.size(); }

private:
    struct Variant {
        std::uint32_t entry;
        std::uint32_t firstToken;  // into variantTokens_
        std::uint32_t tokenCount;
    };
    struct Query;

    void AddEntry(std::uint32_t entryIndex);
    void AddName(std::uint32_t entryIndex, const std::vector<std::string>& tokens);
    std::uint32_t TokenId(const std::string& token);
    void BuildFallbacks();
    void AddIdentifiers(std::uint32_t entryIndex);

    static Query PrepareQuery(std::string_view searched);
    std::vector<std::uint32_t> CandidateTokens(const std::string& searchedToken) const;
    void KeepIfAbove(const Query& query, const Variant& variant, double threshold,
                     std::unordered_map<std::uint32_t, double>& best) const;
    void SearchIdentifiers(const Query& query, std::unordered_map<std::uint32_t, double>& best) const;
    double ScoreVariant(const Query& query, const Variant& variant) const;
    std::vector<Hit> Rank(const std::unordered_map<std::uint32_t, double>& best, std::size_t maxHits) const;

    ListSet lists_;
    std::vector<Variant> variants_;
    std::vector<std::uint32_t> variantTokens_;
    std::vector<std::string> vocabulary_;
    std::vector<std::uint32_t> tokenLengths_;
    std::unordered_map<std::string, std::uint32_t> tokenIds_;
    std::vector<std::vector<std::uint32_t>> postings_;                        // token -> variants
    // Hash of a one-deletion, or of a sound key, with a token that has it; sorted by hash. Flat
    // sorted arrays build several times faster than maps of vectors and take less memory.
    using HashedTokens = std::vector<std::pair<std::uint64_t, std::uint32_t>>;
    HashedTokens deletions_;
    HashedTokens soundKeys_;
    std::unordered_map<std::string, std::vector<std::uint32_t>> identifiers_;  // document number -> entries
    std::unordered_map<std::string, std::uint32_t> byListAndId_;
};

}  // namespace kivo::service
