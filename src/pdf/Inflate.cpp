// Deflate decoder (stored, fixed and dynamic blocks). Huffman codes are decoded through a 10-bit
// primary table with second-level tables for longer codes. The bit reader never touches a byte past
// the input: once the input is used up it feeds zero bits and counts them, and any of those bits
// actually consumed makes the stream "truncated".

#include "pdf/DeflateTables.h"
#include "pdf/Filters.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

namespace PdfFilters {
namespace {

using namespace DeflateFormat;

constexpr int kPrimaryBits = 10;
// Entry layout: bits 0-7 code length, bits 8-11 second-level index bits, bit 12 second-level link,
// bit 13 no code here, bits 16-31 symbol or second-level table offset.
constexpr uint32_t kLink = 1u << 12;
constexpr uint32_t kInvalid = 1u << 13;

struct DecodeTable {
    std::array<uint32_t, 4096> entries;
    int maxLength = 0;
};

struct Failure {
    const char* message;
};

// Builds the decode table of a canonical code; incomplete codes are accepted only as a single
// one-bit code (allowed for distances), over-subscribed ones never.
void BuildTable(DecodeTable& table, const uint8_t* lengths, int count, bool allowSingleCode)
{
    int countPerLength[16] = {};
    for (int s = 0; s < count; ++s) ++countPerLength[lengths[s]];
    countPerLength[0] = 0;
    int left = 1, used = 0;
    for (int len = 1; len < 16; ++len) {
        left = (left << 1) - countPerLength[len];
        if (left < 0) throw Failure{"over-subscribed Huffman code"};
        used += countPerLength[len];
    }
    if (left > 0 && !(allowSingleCode && used <= 1 && countPerLength[1] == used))
        throw Failure{"incomplete Huffman code"};

    std::fill_n(table.entries.begin(), size_t(1) << kPrimaryBits, kInvalid);
    int nextCode[16] = {};
    for (int len = 1, code = 0; len < 16; ++len) {
        code = (code + countPerLength[len - 1]) << 1;
        nextCode[len] = code;
    }
    // First pass: reversed codes, and the depth each long-code prefix needs below the primary table.
    std::vector<uint32_t> reversed(count, 0);
    int subBits[1 << kPrimaryBits] = {};
    table.maxLength = 0;
    for (int s = 0; s < count; ++s) {
        const int len = lengths[s];
        if (len == 0) continue;
        unsigned c = unsigned(nextCode[len]++), r = 0;
        for (int i = 0; i < len; ++i, c >>= 1) r = (r << 1) | (c & 1);
        reversed[s] = r;
        table.maxLength = std::max(table.maxLength, len);
        if (len > kPrimaryBits) {
            int& bits = subBits[r & ((1u << kPrimaryBits) - 1)];
            bits = std::max(bits, len - kPrimaryBits);
        }
    }
    size_t nextFree = size_t(1) << kPrimaryBits;
    for (unsigned prefix = 0; prefix < (1u << kPrimaryBits); ++prefix) {
        if (subBits[prefix] == 0) continue;
        if (nextFree + (size_t(1) << subBits[prefix]) > table.entries.size()) throw Failure{"Huffman code too large"};
        table.entries[prefix] = uint32_t(nextFree) << 16 | kLink | uint32_t(subBits[prefix]) << 8;
        std::fill_n(table.entries.begin() + nextFree, size_t(1) << subBits[prefix], kInvalid);
        nextFree += size_t(1) << subBits[prefix];
    }
    for (int s = 0; s < count; ++s) {
        const int len = lengths[s];
        if (len == 0) continue;
        const uint32_t r = reversed[s];
        const uint32_t entry = uint32_t(s) << 16 | uint32_t(len);
        if (len <= kPrimaryBits) {
            for (uint32_t i = r; i < (1u << kPrimaryBits); i += 1u << len) table.entries[i] = entry;
            continue;
        }
        const uint32_t link = table.entries[r & ((1u << kPrimaryBits) - 1)];
        const uint32_t base = link >> 16, bits = (link >> 8) & 0xF;
        const int extra = len - kPrimaryBits;
        for (uint32_t i = r >> kPrimaryBits; i < (1u << bits); i += 1u << extra) table.entries[base + i] = entry;
    }
}

class Decoder {
public:
    explicit Decoder(std::string_view input)
        : in_(reinterpret_cast<const uint8_t*>(input.data())), size_(input.size())
    {
    }

    std::string Run()
    {
        Reserve(size_ * 4);  // text and content streams typically inflate three- to fivefold
        bool final = false;
        while (!final) {
            Refill();
            final = Take(1) != 0;
            const uint32_t type = Take(2);
            if (type == 0) StoredBlock();
            else if (type == 1) HuffmanBlock(FixedLitLen(), FixedDist());
            else if (type == 2) DynamicBlock();
            else throw Failure{"invalid block type"};
            CheckNotTruncated();
        }
        return std::string(out_.get(), written_);
    }

    // Input bytes used, up to the byte that holds the last bit of the final block.
    size_t Consumed() const { return ip_ - (bitCount_ / 8 - padBytes_); }

private:
    void Refill()
    {
        if (ip_ + 8 <= size_) {
            uint64_t word;
            std::memcpy(&word, in_ + ip_, 8);
            bits_ |= word << bitCount_;
            ip_ += size_t(63 - bitCount_) >> 3;
            bitCount_ |= 56;
            return;
        }
        while (bitCount_ <= 56) {
            if (ip_ < size_) bits_ |= uint64_t(in_[ip_++]) << bitCount_;
            else ++padBytes_;
            bitCount_ += 8;
        }
    }
    uint32_t Take(int count)
    {
        const uint32_t value = uint32_t(bits_ & ((uint64_t(1) << count) - 1));
        bits_ >>= count;
        bitCount_ -= count;
        return value;
    }
    void CheckNotTruncated() const
    {
        if (bitCount_ < 8 * padBytes_) throw Failure{"unexpected end of data (truncated stream)"};
    }
    int DecodeSymbol(const DecodeTable& table)
    {
        uint32_t e = table.entries[bits_ & ((1u << kPrimaryBits) - 1)];
        if (e & kLink) {
            const uint32_t sub = (e >> 8) & 0xF;
            e = table.entries[(e >> 16) + ((bits_ >> kPrimaryBits) & ((1u << sub) - 1))];
        }
        if (e & kInvalid) throw Failure{"invalid Huffman code"};
        Take(int(e & 0xFF));
        return int(e >> 16);
    }

    void Reserve(size_t extra)
    {
        if (written_ + extra <= capacity_) return;
        // Grown with realloc, which moves large blocks by remapping pages instead of copying and
        // leaves the new part uninitialised (a std::string would clear it first).
        const size_t wanted = std::max(capacity_ * 2, written_ + extra + 4096);
        char* grown = static_cast<char*>(std::realloc(out_.get(), wanted));
        if (!grown) throw std::bad_alloc();
        out_.release();
        out_.reset(grown);
        capacity_ = wanted;
    }

    void StoredBlock()
    {
        Take(bitCount_ & 7);
        const int buffered = bitCount_ / 8 - padBytes_;
        if (buffered < 0) throw Failure{"unexpected end of data (truncated stream)"};
        ip_ -= size_t(buffered);  // give whole buffered bytes back to the input
        bits_ = 0;
        bitCount_ = 0;
        padBytes_ = 0;
        if (size_ - ip_ < 4) throw Failure{"unexpected end of data (truncated stream)"};
        const unsigned len = in_[ip_] | in_[ip_ + 1] << 8;
        const unsigned nlen = in_[ip_ + 2] | in_[ip_ + 3] << 8;
        ip_ += 4;
        if (len != (~nlen & 0xFFFF)) throw Failure{"stored block length check failed"};
        if (size_ - ip_ < len) throw Failure{"unexpected end of data (truncated stream)"};
        Reserve(len);
        std::memcpy(out_.get() + written_, in_ + ip_, len);
        written_ += len;
        ip_ += len;
    }

    void DynamicBlock()
    {
        Refill();
        const int hlit = int(Take(5)) + 257, hdist = int(Take(5)) + 1, hclen = int(Take(4)) + 4;
        if (hlit > 286 || hdist > 30) throw Failure{"too many length or distance symbols"};
        uint8_t codeLengthLengths[19] = {};
        for (int i = 0; i < hclen; ++i) {
            Refill();
            codeLengthLengths[kCodeLengthOrder[i]] = uint8_t(Take(3));
        }
        DecodeTable codeLengthTable;
        BuildTable(codeLengthTable, codeLengthLengths, 19, false);

        uint8_t lengths[286 + 30] = {};
        for (int n = 0; n < hlit + hdist;) {
            Refill();
            CheckNotTruncated();
            const int symbol = DecodeSymbol(codeLengthTable);
            if (symbol < 16) { lengths[n++] = uint8_t(symbol); continue; }
            int repeat = 0;
            uint8_t value = 0;
            if (symbol == 16) {
                if (n == 0) throw Failure{"repeat of a code length with no previous length"};
                value = lengths[n - 1];
                repeat = 3 + int(Take(2));
            } else if (symbol == 17) {
                repeat = 3 + int(Take(3));
            } else {
                repeat = 11 + int(Take(7));
            }
            if (n + repeat > hlit + hdist) throw Failure{"too many code lengths"};
            while (repeat-- > 0) lengths[n++] = value;
        }
        CheckNotTruncated();
        if (lengths[kEndOfBlock] == 0) throw Failure{"missing end-of-block code"};
        BuildTable(dynamicLitLen_, lengths, hlit, true);
        BuildTable(dynamicDist_, lengths + hlit, hdist, true);
        HuffmanBlock(dynamicLitLen_, dynamicDist_);
    }

    // The hot loop keeps the bit reader and the output position in locals: stores through the
    // output's char pointer could otherwise alias the members and force them back to memory.
    void HuffmanBlock(const DecodeTable& litLen, const DecodeTable& dist)
    {
        constexpr size_t kSlack = kMaxMatch + 8;  // room for one match copied in 8-byte chunks
        uint64_t bits = bits_;
        int bitCount = bitCount_;
        size_t ip = ip_;
        Reserve(kSlack);
        char* out = out_.get();
        size_t written = written_, capacity = capacity_;
        auto save = [&] {
            bits_ = bits;
            bitCount_ = bitCount;
            ip_ = ip;
            written_ = written;
        };
        auto decode = [&](const DecodeTable& table) {
            uint32_t e = table.entries[bits & ((1u << kPrimaryBits) - 1)];
            if (e & kLink) e = table.entries[(e >> 16) + ((bits >> kPrimaryBits) & ((1u << ((e >> 8) & 0xF)) - 1))];
            if (e & kInvalid) throw Failure{"invalid Huffman code"};
            const int length = int(e & 0xFF);
            bits >>= length;
            bitCount -= length;
            return int(e >> 16);
        };
        auto take = [&](int count) {
            const uint32_t value = uint32_t(bits & ((uint64_t(1) << count) - 1));
            bits >>= count;
            bitCount -= count;
            return value;
        };
        for (;;) {
            if (ip + 8 <= size_) {
                uint64_t word;
                std::memcpy(&word, in_ + ip, 8);
                bits |= word << bitCount;
                ip += size_t(63 - bitCount) >> 3;
                bitCount |= 56;
            } else {
                save();
                Refill();
                CheckNotTruncated();
                bits = bits_;
                bitCount = bitCount_;
                ip = ip_;
            }
            if (capacity - written < kSlack) {
                save();
                Reserve(kSlack);
                out = out_.get();
                capacity = capacity_;
            }
            int symbol = decode(litLen);
            if (symbol < 256) {
                out[written++] = char(symbol);
                // A refill leaves at least 56 bits: room for two more literal codes of up to 15 bits.
                if (bitCount < 2 * 15) continue;
                symbol = decode(litLen);
                if (symbol < 256) {
                    out[written++] = char(symbol);
                    continue;
                }
                if (bitCount < 15 + 5 + 15 + 13) {  // not enough left for a whole match: refill first
                    if (symbol == kEndOfBlock) break;
                    save();
                    Refill();
                    CheckNotTruncated();
                    bits = bits_;
                    bitCount = bitCount_;
                    ip = ip_;
                }
            }
            if (symbol == kEndOfBlock) break;
            const int lc = symbol - 257;
            if (lc >= kLengthCodes) throw Failure{"invalid literal/length symbol"};
            const size_t length = kLengthBase[lc] + take(kLengthExtra[lc]);
            const int dc = decode(dist);
            if (dc >= kDistanceCodes) throw Failure{"invalid distance symbol"};
            const size_t distance = kDistanceBase[dc] + take(kDistanceExtra[dc]);
            if (distance > written) {
                save();
                CheckNotTruncated();
                throw Failure{"distance too far back"};
            }
            CopyMatch(out + written, distance, length);
            written += length;
        }
        save();
        CheckNotTruncated();
    }

    // Chunks may run up to 7 bytes past the match; the slack reserved before each symbol covers
    // them and later output overwrites them.
    static void CopyMatch(char* dst, size_t distance, size_t length)
    {
        const char* src = dst - distance;
        if (distance >= 8) {
            for (size_t done = 0; done < length; done += 8) std::memcpy(dst + done, src + done, 8);
        } else if (distance == 1) {
            std::memset(dst, *src, length);
        } else {
            for (size_t i = 0; i < length; ++i) dst[i] = src[i];
        }
    }

    static const DecodeTable& FixedLitLen()
    {
        static const DecodeTable table = [] {
            uint8_t lengths[kLitLenSymbols];
            for (int s = 0; s < kLitLenSymbols; ++s) lengths[s] = FixedLitLenLength(s);
            DecodeTable t;
            BuildTable(t, lengths, kLitLenSymbols, false);
            return t;
        }();
        return table;
    }
    static const DecodeTable& FixedDist()
    {
        static const DecodeTable table = [] {
            uint8_t lengths[32];
            std::memset(lengths, 5, sizeof lengths);
            DecodeTable t;
            BuildTable(t, lengths, 32, false);
            return t;
        }();
        return table;
    }

    const uint8_t* in_;
    size_t size_;
    size_t ip_ = 0;
    uint64_t bits_ = 0;
    int bitCount_ = 0;
    int padBytes_ = 0;
    struct FreeBuffer {
        void operator()(char* p) const { std::free(p); }
    };
    std::unique_ptr<char, FreeBuffer> out_;
    size_t capacity_ = 0;
    size_t written_ = 0;
    DecodeTable dynamicLitLen_, dynamicDist_;
};

}  // namespace

DecodeResult Inflate(std::string_view input)
{
    DecodeResult result;
    try {
        Decoder decoder(input);
        result.data = decoder.Run();
        result.consumed = decoder.Consumed();
        result.ok = true;
    } catch (const Failure& failure) {
        result.error = failure.message;
    }
    return result;
}

}  // namespace PdfFilters
