#include "ListIndex.h"

#include "NameScorer.h"
#include "SoundKey.h"
#include "TextNormalise.h"

#include <algorithm>
#include <bit>
#include <functional>
#include <unordered_set>

namespace kivo::service {

namespace {

constexpr std::size_t kMaxSearchTokens = 16;
constexpr std::size_t kMinFuzzyLength = 4;       // shorter tokens are matched exactly only
constexpr std::size_t kMinIdentifierLength = 5;  // shorter numbers would match by chance

std::uint64_t HashText(std::string_view s) { return std::hash<std::string_view>{}(s); }

// Every text made by deleting one character of token.
std::vector<std::string> OneDeletions(const std::string& token)
{
    std::vector<std::string> out;
    out.reserve(token.size());
    for (std::size_t i = 0; i < token.size(); ++i) {
        std::string d = token;
        d.erase(i, 1);
        if (out.empty() || out.back() != d) out.push_back(std::move(d));
    }
    return out;
}

bool HasDigit(std::string_view s)
{
    return std::any_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The keys under which a document number is found. Lists write numbers with words around them
// ("Provisional passport No.: 28642163", "A 0139243"): the whole number, the part from its first
// word with a digit on, and every word with a digit are keys.
std::vector<std::string> IdentifierKeys(const std::string& number)
{
    std::vector<std::string> keys{IdentifierKey(number)};
    const std::vector<std::string> words = SplitTokens(FoldToAscii(number));
    std::string tail;
    for (const auto& word : words) {
        if (!tail.empty() || HasDigit(word)) tail += word;
        if (HasDigit(word)) keys.push_back(word);
    }
    keys.push_back(tail);
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    return keys;
}

bool IsParticle(const std::string& token)
{
    static const std::unordered_set<std::string> kParticles = {
        "AL", "EL", "UL", "BIN", "BEN", "IBN", "ABU", "ABD", "DE", "DI", "DA", "DEL", "DELLA", "DELLO",
        "LA", "LO", "LE", "VAN", "VON", "DOS", "DAS", "DU"};
    return kParticles.count(token) > 0;
}

// AL ZAWAHIRI -> ALZAWAHIRI, DE LUCA -> DELUCA: how such names are also written.
std::vector<std::string> WithParticlesJoined(const std::vector<std::string>& tokens)
{
    std::vector<std::string> joined;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (IsParticle(tokens[i]) && i + 1 < tokens.size()) {
            joined.push_back(tokens[i] + tokens[i + 1]);
            ++i;
        } else {
            joined.push_back(tokens[i]);
        }
    }
    return joined;
}

// The name forms under which a listed name is found: as the client would send it, folded, and
// each of these with its particles joined to the next word.
std::vector<std::vector<std::string>> NameForms(const std::string& name)
{
    std::vector<std::vector<std::string>> forms;
    const auto add = [&](std::vector<std::string> tokens) {
        if (!tokens.empty() && std::find(forms.begin(), forms.end(), tokens) == forms.end())
            forms.push_back(std::move(tokens));
    };
    for (auto tokens : {SplitTokens(NormaliseLikeClient(name)), SplitTokens(FoldToAscii(name))}) {
        add(WithParticlesJoined(tokens));
        add(std::move(tokens));
    }
    return forms;
}

}  // namespace

struct ListIndex::Query {
    std::vector<std::string> tokens;
    std::vector<std::uint32_t> lengths;
    // Per searched token: the listed tokens similar to it, with their similarity.
    std::vector<std::unordered_map<std::uint32_t, float>> similar;
    std::string normalised;
};

ListIndex::ListIndex(ListSet lists) : lists_(std::move(lists))
{
    variants_.reserve(lists_.entries.size() * 4);
    for (std::uint32_t i = 0; i < lists_.entries.size(); ++i) {
        AddEntry(i);
        AddIdentifiers(i);
        byListAndId_.emplace(lists_.entries[i].list + '\t' + lists_.entries[i].id, i);
    }
    BuildFallbacks();
}

void ListIndex::AddEntry(std::uint32_t entryIndex)
{
    const ListEntry& e = lists_.entries[entryIndex];
    std::vector<std::vector<std::string>> seen;
    const auto addForms = [&](const std::string& name) {
        for (auto& tokens : NameForms(name)) {
            if (std::find(seen.begin(), seen.end(), tokens) != seen.end()) continue;
            AddName(entryIndex, tokens);
            seen.push_back(std::move(tokens));
        }
    };
    addForms(e.name);
    for (const auto& alias : e.aliases) addForms(alias.name);
}

std::uint32_t ListIndex::TokenId(const std::string& token)
{
    const auto [it, added] = tokenIds_.emplace(token, static_cast<std::uint32_t>(vocabulary_.size()));
    if (added) {
        vocabulary_.push_back(token);
        tokenLengths_.push_back(static_cast<std::uint32_t>(token.size()));
        postings_.emplace_back();
    }
    return it->second;
}

void ListIndex::AddName(std::uint32_t entryIndex, const std::vector<std::string>& tokens)
{
    const auto variantId = static_cast<std::uint32_t>(variants_.size());
    variants_.push_back({entryIndex, static_cast<std::uint32_t>(variantTokens_.size()),
                         static_cast<std::uint32_t>(tokens.size())});
    for (const auto& token : tokens) {
        const std::uint32_t id = TokenId(token);
        variantTokens_.push_back(id);
        auto& posting = postings_[id];
        if (posting.empty() || posting.back() != variantId) posting.push_back(variantId);
    }
}

void ListIndex::BuildFallbacks()
{
    for (std::uint32_t id = 0; id < vocabulary_.size(); ++id) {
        const std::string& token = vocabulary_[id];
        if (token.size() < kMinFuzzyLength) continue;
        for (const auto& d : OneDeletions(token)) deletions_.emplace_back(HashText(d), id);
        soundKeys_.emplace_back(HashText(SoundKey(token)), id);
    }
    std::sort(deletions_.begin(), deletions_.end());
    std::sort(soundKeys_.begin(), soundKeys_.end());
}

void ListIndex::AddIdentifiers(std::uint32_t entryIndex)
{
    for (const auto& doc : lists_.entries[entryIndex].documents)
        for (const auto& key : IdentifierKeys(doc.number)) {
            if (key.size() < kMinIdentifierLength || !HasDigit(key)) continue;
            auto& owners = identifiers_[key];
            if (owners.empty() || owners.back() != entryIndex) owners.push_back(entryIndex);
        }
}

std::vector<std::uint32_t> ListIndex::CandidateTokens(const std::string& searched) const
{
    std::vector<std::uint32_t> found;
    if (const auto it = tokenIds_.find(searched); it != tokenIds_.end()) found.push_back(it->second);
    if (searched.size() < kMinFuzzyLength) return found;

    const auto addAll = [&](const HashedTokens& table, std::string_view key) {
        const std::uint64_t hash = HashText(key);
        auto it = std::lower_bound(table.begin(), table.end(), std::make_pair(hash, std::uint32_t{0}));
        for (; it != table.end() && it->first == hash; ++it) found.push_back(it->second);
    };
    // One listed token longer, or one character changed or swapped.
    addAll(deletions_, searched);
    for (const auto& d : OneDeletions(searched)) {
        if (const auto it = tokenIds_.find(d); it != tokenIds_.end()) found.push_back(it->second);
        addAll(deletions_, d);
    }
    // Transliterations that differ by more than one edit (MOHAMMED, MUHAMMAD).
    addAll(soundKeys_, SoundKey(searched));

    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    return found;
}

double ListIndex::ScoreVariant(const Query& query, const Variant& variant) const
{
    const std::size_t ns = query.tokens.size();
    const std::size_t nl = variant.tokenCount;
    thread_local std::vector<float> similarity;
    thread_local std::vector<std::uint32_t> listedLengths;
    similarity.assign(ns * nl, 0.0f);
    listedLengths.resize(nl);
    for (std::size_t j = 0; j < nl; ++j) {
        const std::uint32_t token = variantTokens_[variant.firstToken + j];
        listedLengths[j] = tokenLengths_[token];
        for (std::size_t i = 0; i < ns; ++i)
            if (const auto it = query.similar[i].find(token); it != query.similar[i].end())
                similarity[i * nl + j] = it->second;
    }
    return ScoreTokens(query.lengths, listedLengths, similarity);
}

void ListIndex::SearchIdentifiers(const Query& query, std::unordered_map<std::uint32_t, double>& best) const
{
    std::vector<std::string> keys{IdentifierKey(query.normalised)};
    for (const auto& t : query.tokens) keys.push_back(t);
    for (const auto& key : keys) {
        if (key.size() < kMinIdentifierLength || !HasDigit(key)) continue;
        if (const auto it = identifiers_.find(key); it != identifiers_.end())
            for (std::uint32_t entry : it->second) best[entry] = 1.0;
    }
}

std::vector<Hit> ListIndex::Rank(const std::unordered_map<std::uint32_t, double>& best, std::size_t maxHits) const
{
    std::vector<Hit> hits;
    hits.reserve(best.size());
    for (const auto& [entry, score] : best) hits.push_back({entry, score});
    std::sort(hits.begin(), hits.end(), [&](const Hit& a, const Hit& b) {
        if (a.score != b.score) return a.score > b.score;
        const ListEntry& ea = lists_.entries[a.entry];
        const ListEntry& eb = lists_.entries[b.entry];
        return std::tie(ea.list, ea.name, ea.id) < std::tie(eb.list, eb.name, eb.id);
    });
    if (hits.size() > maxHits) hits.resize(maxHits);
    return hits;
}

namespace {

// The best score that a name reached by these searched tokens could get: a paired listed token is
// at most three characters longer than its searched one (the edit cap), and every searched token
// that reached nothing counts against the name. Names that cannot pass the threshold are skipped.
double BestPossibleScore(std::uint32_t reachedMask, const std::vector<std::uint32_t>& lengths)
{
    double paired = 0.0;
    double unpaired = 0.0;
    for (std::size_t i = 0; i < lengths.size(); ++i) {
        if (reachedMask & (1u << i)) paired += 2.0 * lengths[i] + 3.0;
        else unpaired += 2.0 * lengths[i];
    }
    return paired / (paired + unpaired);
}

}  // namespace

ListIndex::Query ListIndex::PrepareQuery(std::string_view searched)
{
    Query query;
    query.normalised = NormaliseLikeClient(searched);
    query.tokens = SplitTokens(query.normalised);
    if (query.tokens.size() > kMaxSearchTokens) query.tokens.resize(kMaxSearchTokens);
    for (const auto& token : query.tokens) query.lengths.push_back(static_cast<std::uint32_t>(token.size()));
    query.similar.resize(query.tokens.size());
    return query;
}

void ListIndex::KeepIfAbove(const Query& query, const Variant& variant, double threshold,
                            std::unordered_map<std::uint32_t, double>& best) const
{
    const double score = ScoreVariant(query, variant);
    if (score < threshold) return;
    double& slot = best[variant.entry];
    slot = std::max(slot, score);
}

std::vector<Hit> ListIndex::Search(std::string_view searched, double threshold, std::size_t maxHits) const
{
    Query query = PrepareQuery(searched);
    std::unordered_map<std::uint32_t, double> best;
    SearchIdentifiers(query, best);

    std::unordered_map<std::uint32_t, std::uint32_t> reached;  // variant -> searched tokens reaching it
    for (std::size_t i = 0; i < query.tokens.size(); ++i)
        for (std::uint32_t token : CandidateTokens(query.tokens[i])) {
            const double s = TokenSimilarity(query.tokens[i], vocabulary_[token]);
            if (s <= 0.0) continue;
            query.similar[i].emplace(token, static_cast<float>(s));
            for (std::uint32_t variant : postings_[token]) reached[variant] |= 1u << i;
        }
    for (const auto& [variantId, mask] : reached)
        if (BestPossibleScore(mask, query.lengths) >= threshold) KeepIfAbove(query, variants_[variantId], threshold, best);
    return Rank(best, maxHits);
}

std::vector<Hit> ListIndex::ScanSearch(std::string_view searched, double threshold, std::size_t maxHits) const
{
    Query query = PrepareQuery(searched);
    std::unordered_map<std::uint32_t, double> best;
    SearchIdentifiers(query, best);

    // Every listed token is compared with every searched one: no index, no fallback.
    for (std::size_t i = 0; i < query.tokens.size(); ++i)
        for (std::uint32_t token = 0; token < vocabulary_.size(); ++token)
            if (const double s = TokenSimilarity(query.tokens[i], vocabulary_[token]); s > 0.0)
                query.similar[i].emplace(token, static_cast<float>(s));
    for (const Variant& variant : variants_) KeepIfAbove(query, variant, threshold, best);
    return Rank(best, maxHits);
}

const ListEntry* ListIndex::Find(std::string_view list, std::string_view id) const
{
    const auto it = byListAndId_.find(std::string(list) + '\t' + std::string(id));
    return it == byListAndId_.end() ? nullptr : &lists_.entries[it->second];
}

}  // namespace kivo::service
