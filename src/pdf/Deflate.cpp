// Deflate encoder: hash-chain match search driven by the zlib configuration table (greedy for the
// fast rows, lazy evaluation for the others), blocks of up to 16K symbols each written as the
// cheapest of stored, fixed Huffman and dynamic Huffman.

#include "pdf/DeflateHuffman.h"
#include "pdf/DeflateTables.h"
#include "pdf/Filters.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace PdfFilters {
namespace {

using namespace DeflateFormat;

struct Configuration {
    int goodLength;  // a previous match this long cuts the chain search to a quarter
    int maxLazy;     // lazy rows: no lazy search after a match this long; greedy rows: insert limit
    int niceLength;  // stop searching once a match is this long
    int maxChain;    // chain links followed per search
    bool lazy;
};

// The configuration table of the zlib reference encoder, rows 0-9.
constexpr Configuration kConfiguration[10] = {
    {0, 0, 0, 0, false},          {4, 4, 8, 4, false},          {4, 5, 16, 8, false},
    {4, 6, 32, 32, false},        {4, 4, 16, 16, true},         {8, 16, 32, 32, true},
    {8, 16, 128, 128, true},      {8, 32, 128, 256, true},      {32, 128, 258, 1024, true},
    {32, 258, 258, 4096, true},
};

constexpr int kHashBits = 15;
// Chains link positions whose next four bytes hash alike: 3-byte matches are rarely worth their
// cost, and chains of 4-byte candidates waste far fewer steps on positions that cannot match.
constexpr size_t kHashedBytes = 4;
constexpr size_t kBlockSymbols = 16383;
constexpr int kTooFar = 4096;  // a 3-byte match further back than this costs more than literals

struct CodeTables {
    std::array<uint8_t, kMaxMatch + 1> lengthCode{};
    std::array<uint8_t, 512> distanceCode{};
    CodeTables()
    {
        for (int c = 0; c < kLengthCodes; ++c) {
            const int last = c + 1 < kLengthCodes ? kLengthBase[c + 1] - 1 : kMaxMatch;
            for (int len = kLengthBase[c]; len <= last && len <= kMaxMatch; ++len)
                lengthCode[len] = static_cast<uint8_t>(c);
        }
        lengthCode[kMaxMatch] = 28;  // 258 has its own code, not 284 with extra bits 31
        for (int c = 0; c < kDistanceCodes; ++c) {
            const int last = c + 1 < kDistanceCodes ? kDistanceBase[c + 1] - 1 : 32768;
            for (int d = kDistanceBase[c]; d <= last; ++d) {
                if (d <= 256) distanceCode[d - 1] = static_cast<uint8_t>(c);
                else distanceCode[256 + ((d - 1) >> 7)] = static_cast<uint8_t>(c);
            }
        }
    }
    int Distance(int d) const { return d <= 256 ? distanceCode[d - 1] : distanceCode[256 + ((d - 1) >> 7)]; }
};

const CodeTables& Codes()
{
    static const CodeTables tables;
    return tables;
}

class BitWriter {
public:
    explicit BitWriter(std::string& out) : out_(out) {}
    void Put(uint32_t bits, int count)
    {
        acc_ |= static_cast<uint64_t>(bits) << used_;
        used_ += count;
        if (used_ >= 32) {
            char b[4] = {char(acc_), char(acc_ >> 8), char(acc_ >> 16), char(acc_ >> 24)};
            out_.append(b, 4);
            acc_ >>= 32;
            used_ -= 32;
        }
    }
    void AlignToByte()
    {
        while (used_ > 0) {
            out_.push_back(static_cast<char>(acc_));
            acc_ >>= 8;
            used_ = std::max(0, used_ - 8);
        }
        acc_ = 0;
    }
    std::string& Bytes() { return out_; }

private:
    std::string& out_;
    uint64_t acc_ = 0;
    int used_ = 0;
};

struct Symbol {
    uint16_t litOrLength;  // a literal byte, or a match length when distance != 0
    uint16_t distance;
};

struct HuffmanCode {
    std::vector<uint8_t> lengths;
    std::vector<uint16_t> codes;
};

// Everything the dynamic block header needs, and what it costs.
struct DynamicHeader {
    int hlit = 257, hdist = 1, hclen = 4;
    std::vector<uint8_t> runSymbols, runExtra;  // code-length symbols and their extra-bit values
    HuffmanCode codeLengthCode;
    uint64_t bits = 0;
};

class BlockWriter {
public:
    explicit BlockWriter(std::string& out) : bits_(out) {}

    void Write(const std::vector<Symbol>& symbols, std::string_view raw, bool final)
    {
        std::vector<uint32_t> litFreq(286, 0), distFreq(kDistanceCodes, 0);
        for (const Symbol& s : symbols) {
            if (s.distance == 0) ++litFreq[s.litOrLength];
            else {
                ++litFreq[257 + Codes().lengthCode[s.litOrLength]];
                ++distFreq[Codes().Distance(s.distance)];
            }
        }
        litFreq[kEndOfBlock] = 1;

        HuffmanCode lit{HuffmanCodeLengths(litFreq, 15), {}};
        HuffmanCode dist{HuffmanCodeLengths(distFreq, 15), {}};
        DynamicHeader header = BuildHeader(lit.lengths, dist.lengths);

        const uint64_t extraBits = ExtraBits(litFreq, distFreq);
        const uint64_t dynamicBits = 3 + header.bits + Cost(litFreq, lit.lengths) + Cost(distFreq, dist.lengths) + extraBits;
        const uint64_t fixedBits = 3 + FixedCost(litFreq, distFreq) + extraBits;
        const uint64_t storedBits = StoredCost(raw.size());

        if (storedBits <= dynamicBits && storedBits <= fixedBits) {
            WriteStored(raw, final);
        } else if (fixedBits <= dynamicBits) {
            bits_.Put(final ? 1 : 0, 1);
            bits_.Put(1, 2);
            WriteSymbols(symbols, FixedLitLen(), FixedDist());
        } else {
            bits_.Put(final ? 1 : 0, 1);
            bits_.Put(2, 2);
            lit.codes = CanonicalCodesReversed(lit.lengths);
            dist.codes = CanonicalCodesReversed(dist.lengths);
            WriteHeader(header);
            WriteSymbols(symbols, lit, dist);
        }
    }

    void Finish() { bits_.AlignToByte(); }

private:
    static const HuffmanCode& FixedLitLen()
    {
        static const HuffmanCode code = [] {
            HuffmanCode c;
            for (int s = 0; s < kLitLenSymbols; ++s) c.lengths.push_back(FixedLitLenLength(s));
            c.codes = CanonicalCodesReversed(c.lengths);
            return c;
        }();
        return code;
    }
    static const HuffmanCode& FixedDist()
    {
        static const HuffmanCode code = [] {
            HuffmanCode c;
            c.lengths.assign(32, 5);
            c.codes = CanonicalCodesReversed(c.lengths);
            return c;
        }();
        return code;
    }

    static uint64_t Cost(const std::vector<uint32_t>& freqs, const std::vector<uint8_t>& lengths)
    {
        uint64_t bits = 0;
        for (size_t s = 0; s < freqs.size(); ++s) bits += uint64_t(freqs[s]) * lengths[s];
        return bits;
    }
    static uint64_t ExtraBits(const std::vector<uint32_t>& litFreq, const std::vector<uint32_t>& distFreq)
    {
        uint64_t bits = 0;
        for (int c = 0; c < kLengthCodes; ++c) bits += uint64_t(litFreq[257 + c]) * kLengthExtra[c];
        for (int c = 0; c < kDistanceCodes; ++c) bits += uint64_t(distFreq[c]) * kDistanceExtra[c];
        return bits;
    }
    static uint64_t FixedCost(const std::vector<uint32_t>& litFreq, const std::vector<uint32_t>& distFreq)
    {
        uint64_t bits = 0;
        for (size_t s = 0; s < litFreq.size(); ++s) bits += uint64_t(litFreq[s]) * FixedLitLenLength(int(s));
        for (uint32_t f : distFreq) bits += uint64_t(f) * 5;
        return bits;
    }
    static uint64_t StoredCost(size_t bytes)
    {
        const uint64_t pieces = std::max<uint64_t>(1, (bytes + 65534) / 65535);
        return 8 * uint64_t(bytes) + pieces * (3 + 7 + 32);
    }

    // Code lengths of both alphabets, run-length coded with symbols 16, 17 and 18.
    static DynamicHeader BuildHeader(const std::vector<uint8_t>& litLengths, const std::vector<uint8_t>& distLengths)
    {
        DynamicHeader h;
        h.hlit = 286;
        while (h.hlit > 257 && litLengths[h.hlit - 1] == 0) --h.hlit;
        h.hdist = kDistanceCodes;
        while (h.hdist > 1 && distLengths[h.hdist - 1] == 0) --h.hdist;

        std::vector<uint8_t> all(litLengths.begin(), litLengths.begin() + h.hlit);
        all.insert(all.end(), distLengths.begin(), distLengths.begin() + h.hdist);
        auto emit = [&](int symbol, int extra) {
            h.runSymbols.push_back(uint8_t(symbol));
            h.runExtra.push_back(uint8_t(extra));
        };
        for (size_t i = 0; i < all.size();) {
            const uint8_t len = all[i];
            size_t run = 1;
            while (i + run < all.size() && all[i + run] == len) ++run;
            i += run;
            if (len == 0) {
                while (run >= 11) { const size_t r = std::min<size_t>(run, 138); emit(18, int(r - 11)); run -= r; }
                if (run >= 3) { emit(17, int(run - 3)); run = 0; }
                while (run > 0) { emit(0, 0); --run; }
            } else {
                emit(len, 0);
                --run;
                while (run >= 3) { const size_t r = std::min<size_t>(run, 6); emit(16, int(r - 3)); run -= r; }
                while (run > 0) { emit(len, 0); --run; }
            }
        }
        std::vector<uint32_t> freq(19, 0);
        for (uint8_t s : h.runSymbols) ++freq[s];
        h.codeLengthCode.lengths = HuffmanCodeLengths(freq, 7);
        h.codeLengthCode.codes = CanonicalCodesReversed(h.codeLengthCode.lengths);
        h.hclen = 19;
        while (h.hclen > 4 && h.codeLengthCode.lengths[kCodeLengthOrder[h.hclen - 1]] == 0) --h.hclen;

        h.bits = 5 + 5 + 4 + 3 * uint64_t(h.hclen);
        for (size_t k = 0; k < h.runSymbols.size(); ++k) {
            const uint8_t s = h.runSymbols[k];
            h.bits += h.codeLengthCode.lengths[s] + (s == 16 ? 2 : s == 17 ? 3 : s == 18 ? 7 : 0);
        }
        return h;
    }

    void WriteHeader(const DynamicHeader& h)
    {
        bits_.Put(h.hlit - 257, 5);
        bits_.Put(h.hdist - 1, 5);
        bits_.Put(h.hclen - 4, 4);
        for (int i = 0; i < h.hclen; ++i) bits_.Put(h.codeLengthCode.lengths[kCodeLengthOrder[i]], 3);
        for (size_t k = 0; k < h.runSymbols.size(); ++k) {
            const uint8_t s = h.runSymbols[k];
            bits_.Put(h.codeLengthCode.codes[s], h.codeLengthCode.lengths[s]);
            if (s == 16) bits_.Put(h.runExtra[k], 2);
            else if (s == 17) bits_.Put(h.runExtra[k], 3);
            else if (s == 18) bits_.Put(h.runExtra[k], 7);
        }
    }

    void WriteSymbols(const std::vector<Symbol>& symbols, const HuffmanCode& lit, const HuffmanCode& dist)
    {
        const CodeTables& t = Codes();
        for (const Symbol& s : symbols) {
            if (s.distance == 0) {
                bits_.Put(lit.codes[s.litOrLength], lit.lengths[s.litOrLength]);
                continue;
            }
            const int lc = t.lengthCode[s.litOrLength];
            bits_.Put(lit.codes[257 + lc], lit.lengths[257 + lc]);
            bits_.Put(s.litOrLength - kLengthBase[lc], kLengthExtra[lc]);
            const int dc = t.Distance(s.distance);
            bits_.Put(dist.codes[dc], dist.lengths[dc]);
            bits_.Put(s.distance - kDistanceBase[dc], kDistanceExtra[dc]);
        }
        bits_.Put(lit.codes[kEndOfBlock], lit.lengths[kEndOfBlock]);
    }

    void WriteStored(std::string_view raw, bool final)
    {
        size_t offset = 0;
        do {
            const size_t piece = std::min<size_t>(65535, raw.size() - offset);
            const bool last = offset + piece == raw.size();
            bits_.Put(final && last ? 1 : 0, 1);
            bits_.Put(0, 2);
            bits_.AlignToByte();
            const char header[4] = {char(piece & 0xFF), char(piece >> 8), char(~piece & 0xFF), char((~piece >> 8) & 0xFF)};
            bits_.Bytes().append(header, 4);
            bits_.Bytes().append(raw.substr(offset, piece));
            offset += piece;
        } while (offset < raw.size());
    }

    BitWriter bits_;
};

class MatchFinder {
public:
    // Small inputs (most page content streams) get tables to their size: clearing 256 KB of
    // chains for a 1 KB stream would cost more than compressing it.
    MatchFinder(std::string_view data, const Configuration& config)
        : in_(reinterpret_cast<const uint8_t*>(data.data())), size_(data.size()), config_(config),
          hashBits_(BitsFor(data.size())), chainMask_(int((size_t(1) << std::min(BitsFor(data.size()) + 1, 15)) - 1)),
          head_(size_t(1) << hashBits_, -1), prev_(size_t(chainMask_) + 1, -1)
    {
    }

    // Adds `pos` to its hash chain and returns the previous chain head (-1 when none).
    int Insert(size_t pos)
    {
        if (pos + kHashedBytes > size_) return -1;
        const uint32_t h = Hash(pos);
        const int old = head_[h];
        prev_[pos & size_t(chainMask_)] = old;
        head_[h] = static_cast<int>(pos);
        return old;
    }

    // Longest match at `pos` starting from chain entry `candidate` that beats `prevLength`.
    // Returns its length (0 when none) and sets `distance`.
    int LongestMatch(size_t pos, int candidate, int prevLength, int& distance) const
    {
        const int maxLength = static_cast<int>(std::min<size_t>(kMaxMatch, size_ - pos));
        if (maxLength < kMinMatch) return 0;
        int chain = config_.maxChain;
        if (prevLength >= config_.goodLength) chain >>= 2;
        const int nice = std::min(config_.niceLength, maxLength);
        int best = std::max(prevLength, kMinMatch - 1);
        if (best >= maxLength) return 0;  // nothing longer fits before the end of the input
        int found = 0;
        const uint8_t* here = in_ + pos;
        while (candidate >= 0 && pos - size_t(candidate) <= size_t(kWindowSize) && chain-- > 0) {
            const uint8_t* there = in_ + candidate;
            if (there[best] == here[best] && there[0] == here[0] && there[1] == here[1]) {
                const int len = MatchLength(here, there, maxLength);
                if (len > best) {
                    best = len;
                    found = len;
                    distance = static_cast<int>(pos - size_t(candidate));
                    if (len >= nice) break;
                }
            }
            const int next = prev_[size_t(candidate) & size_t(chainMask_)];
            if (next >= candidate) break;  // the slot was reused by a newer position
            candidate = next;
        }
        return found;
    }

private:
    // Hash bits for an input: about one slot per byte, between 2^8 and 2^15 slots.
    static int BitsFor(size_t size)
    {
        int bits = 8;
        while (bits < kHashBits && (size_t(1) << bits) < size) ++bits;
        return bits;
    }
    uint32_t Hash(size_t pos) const
    {
        uint32_t v;
        std::memcpy(&v, in_ + pos, 4);
        return (v * 2654435761u) >> (32 - hashBits_);
    }
    static int MatchLength(const uint8_t* a, const uint8_t* b, int maxLength)
    {
        int len = 0;
        while (len + 8 <= maxLength) {
            uint64_t x, y;
            std::memcpy(&x, a + len, 8);
            std::memcpy(&y, b + len, 8);
            if (x != y) return len + (__builtin_ctzll(x ^ y) >> 3);
            len += 8;
        }
        while (len < maxLength && a[len] == b[len]) ++len;
        return len;
    }

    const uint8_t* in_;
    size_t size_;
    const Configuration& config_;
    int hashBits_;
    int chainMask_;  // chain slots - 1: the window, or less when the whole input is shorter
    std::vector<int> head_;
    std::vector<int> prev_;
};

class DeflateRun {
public:
    DeflateRun(std::string_view data, const Configuration& config, std::string& out)
        : data_(data), config_(config), finder_(data, config), blocks_(out)
    {
        symbols_.reserve(kBlockSymbols + 1);
    }

    void Run()
    {
        if (config_.lazy) RunLazy();
        else RunGreedy();
        FlushBlock(true);
        blocks_.Finish();
    }

private:
    void Literal(size_t pos)
    {
        symbols_.push_back({static_cast<uint8_t>(data_[pos]), 0});
        covered_ = pos + 1;
        if (symbols_.size() >= kBlockSymbols) FlushBlock(false);
    }
    void Match(size_t pos, int length, int distance)
    {
        symbols_.push_back({static_cast<uint16_t>(length), static_cast<uint16_t>(distance)});
        covered_ = pos + size_t(length);
        if (symbols_.size() >= kBlockSymbols) FlushBlock(false);
    }
    void FlushBlock(bool final)
    {
        blocks_.Write(symbols_, data_.substr(blockStart_, covered_ - blockStart_), final);
        symbols_.clear();
        blockStart_ = covered_;
    }
    bool Usable(int length, int distance) const { return length > kMinMatch || (length == kMinMatch && distance <= kTooFar); }

    // Rows 1-3: take the first good match; short matches still feed the hash chains.
    void RunGreedy()
    {
        size_t pos = 0;
        while (pos < data_.size()) {
            const int candidate = finder_.Insert(pos);
            int distance = 0;
            const int length = candidate >= 0 ? finder_.LongestMatch(pos, candidate, 0, distance) : 0;
            if (length >= kMinMatch && Usable(length, distance)) {
                Match(pos, length, distance);
                if (length <= config_.maxLazy)
                    for (size_t k = pos + 1; k < pos + size_t(length); ++k) finder_.Insert(k);
                pos += size_t(length);
            } else {
                Literal(pos);
                ++pos;
            }
        }
    }

    // Rows 4-9: a match is kept only when the match one byte further is not longer.
    void RunLazy()
    {
        size_t pos = 0;
        int length = 0, distance = 0;
        bool pending = false;  // the byte before pos awaits: literal or start of the previous match
        while (pos < data_.size()) {
            const int candidate = finder_.Insert(pos);
            const int prevLength = length, prevDistance = distance;
            length = 0;
            if (candidate >= 0 && prevLength < config_.maxLazy) {
                length = finder_.LongestMatch(pos, candidate, prevLength, distance);
                if (length > 0 && !Usable(length, distance)) length = 0;
            }
            if (prevLength >= kMinMatch && length <= prevLength) {
                Match(pos - 1, prevLength, prevDistance);
                const size_t end = pos - 1 + size_t(prevLength);
                for (size_t k = pos + 1; k < end; ++k) finder_.Insert(k);
                pos = end;
                pending = false;
                length = 0;
            } else if (pending) {
                Literal(pos - 1);
                ++pos;
            } else {
                pending = true;
                ++pos;
            }
        }
        if (pending) Literal(pos - 1);
    }

    std::string_view data_;
    const Configuration& config_;
    MatchFinder finder_;
    BlockWriter blocks_;
    std::vector<Symbol> symbols_;
    size_t blockStart_ = 0;
    size_t covered_ = 0;
};

}  // namespace

int ConfigurationRowForLevel(int level)
{
    static constexpr int kRows[4] = {1, 4, 6, 7};
    return kRows[std::clamp(level, 0, 3)];
}

std::string Deflate(std::string_view data, int configurationRow)
{
    std::string out;
    out.reserve(data.size() / 3 + 64);
    DeflateRun(data, kConfiguration[std::clamp(configurationRow, 1, 9)], out).Run();
    return out;
}

}  // namespace PdfFilters
