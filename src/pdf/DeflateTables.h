#pragma once
// The fixed tables of the deflate format (RFC 1951 3.2.5 - 3.2.7), shared by encoder and decoder.

#include <cstdint>

namespace PdfFilters::DeflateFormat {

constexpr int kLengthCodes = 29;  // symbols 257..285
constexpr uint16_t kLengthBase[kLengthCodes] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,
                                                15, 17, 19, 23, 27, 31, 35, 43, 51,  59,
                                                67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr uint8_t kLengthExtra[kLengthCodes] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};

constexpr int kDistanceCodes = 30;
constexpr uint16_t kDistanceBase[kDistanceCodes] = {
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr uint8_t kDistanceExtra[kDistanceCodes] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                                    6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

// Order in which the code-length code lengths are sent.
constexpr uint8_t kCodeLengthOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};

constexpr int kEndOfBlock = 256;
constexpr int kLitLenSymbols = 288;  // 286 and 287 take part in the fixed code but never occur
constexpr int kMinMatch = 3;
constexpr int kMaxMatch = 258;
constexpr int kWindowSize = 32768;

// Fixed Huffman code lengths of the literal/length alphabet.
constexpr uint8_t FixedLitLenLength(int symbol)
{
    return symbol < 144 ? 8 : symbol < 256 ? 9 : symbol < 280 ? 7 : 8;
}

}  // namespace PdfFilters::DeflateFormat
