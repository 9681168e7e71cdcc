#pragma once
// Huffman code construction for the deflate encoder: length-limited code lengths and canonical codes.

#include <cstdint>
#include <vector>

namespace PdfFilters {

// Code lengths (0 = unused) of an optimal prefix code for `freqs`, none longer than `maxLength`.
// At least two symbols always get a code, so that every code is complete as decoders expect.
std::vector<uint8_t> HuffmanCodeLengths(const std::vector<uint32_t>& freqs, int maxLength);

// Canonical codes (RFC 1951 3.2.2) for `lengths`, bit-reversed so they can be written LSB first.
std::vector<uint16_t> CanonicalCodesReversed(const std::vector<uint8_t>& lengths);

}  // namespace PdfFilters
