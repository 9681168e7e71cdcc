// LZWDecode data with the PDF defaults: codes of 9 to 12 bits, 256 clears the table, 257 ends the
// data, and the code width grows one code early (/EarlyChange 1).

#include "pdf/Filters.h"

#include <vector>

namespace PdfFilters {
namespace {

constexpr int kClear = 256;
constexpr int kEnd = 257;
constexpr int kFirstFree = 258;
constexpr int kTableLimit = 4095;  // with early change, a 12-bit decoder must be cleared before 4096

class CodeWriter {
public:
    explicit CodeWriter(std::string& out) : out_(out) {}
    void Put(int code, int width)
    {
        acc_ = acc_ << width | uint32_t(code);
        used_ += width;
        while (used_ >= 8) {
            used_ -= 8;
            out_.push_back(char(acc_ >> used_));
        }
        acc_ &= (1u << used_) - 1;
    }
    void Finish()
    {
        if (used_ > 0) out_.push_back(char(acc_ << (8 - used_)));
    }

private:
    std::string& out_;
    uint32_t acc_ = 0;
    int used_ = 0;
};

// Dictionary of (prefix code, next byte) -> code, open addressing.
class Dictionary {
public:
    Dictionary() : keys_(kSlots), codes_(kSlots) { Clear(); }
    void Clear() { std::fill(keys_.begin(), keys_.end(), kEmpty); }
    int Find(int prefix, uint8_t byte) const
    {
        const uint32_t key = uint32_t(prefix) << 8 | byte;
        for (uint32_t slot = Slot(key);; slot = (slot + 1) & (kSlots - 1)) {
            if (keys_[slot] == key) return codes_[slot];
            if (keys_[slot] == kEmpty) return -1;
        }
    }
    void Add(int prefix, uint8_t byte, int code)
    {
        const uint32_t key = uint32_t(prefix) << 8 | byte;
        uint32_t slot = Slot(key);
        while (keys_[slot] != kEmpty) slot = (slot + 1) & (kSlots - 1);
        keys_[slot] = key;
        codes_[slot] = uint16_t(code);
    }

private:
    static constexpr uint32_t kSlots = 8192;
    static constexpr uint32_t kEmpty = 0xFFFFFFFF;
    static uint32_t Slot(uint32_t key) { return (key * 2654435761u) >> 19; }
    std::vector<uint32_t> keys_;
    std::vector<uint16_t> codes_;
};

// The decoder adds its table entry one code later than the encoder, so with early change the width
// of a code is the bit length of the encoder's next free code.
int WidthFor(int nextCode)
{
    return nextCode < 512 ? 9 : nextCode < 1024 ? 10 : nextCode < 2048 ? 11 : 12;
}

}  // namespace

std::string LzwEncode(std::string_view data)
{
    std::string out;
    out.reserve(data.size() / 2 + 8);
    CodeWriter writer(out);
    Dictionary dictionary;
    int nextCode = kFirstFree;
    writer.Put(kClear, 9);
    int prefix = -1;
    for (const char c : data) {
        const auto byte = uint8_t(c);
        if (prefix < 0) {
            prefix = byte;
            continue;
        }
        const int found = dictionary.Find(prefix, byte);
        if (found >= 0) {
            prefix = found;
            continue;
        }
        writer.Put(prefix, WidthFor(nextCode));
        dictionary.Add(prefix, byte, nextCode++);
        if (nextCode == kTableLimit) {
            writer.Put(kClear, WidthFor(nextCode));
            dictionary.Clear();
            nextCode = kFirstFree;
        }
        prefix = byte;
    }
    if (prefix >= 0) {
        writer.Put(prefix, WidthFor(nextCode));
        ++nextCode;  // the decoder adds an entry for this code too before reading the end code
    }
    writer.Put(kEnd, WidthFor(nextCode));
    writer.Finish();
    return out;
}

}  // namespace PdfFilters
