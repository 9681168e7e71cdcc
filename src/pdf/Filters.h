#pragma once
// The standard PDF stream filters the writer encodes with, and the decoders the page importer needs.
// Byte data is held in std::string, one char per byte, as the writer holds stream data.

#include <cstdint>
#include <string>
#include <string_view>

namespace PdfFilters {

// Deflate effort 0-3 selects a row of the zlib reference configuration table:
// 0 -> row 1 (greedy, fastest), 1 -> row 4 (first lazy row), 2 -> row 6 (zlib's default),
// 3 -> row 7 (smaller than zlib's default output at about its speed). Rows 8 and 9 take two to
// four times longer for less than half a percent on PDF text, so no level uses them.
// Values above 3 act as 3.
int ConfigurationRowForLevel(int level);

// Raw deflate data (RFC 1951) of `data` using the given row (1-9) of the configuration table.
std::string Deflate(std::string_view data, int configurationRow);

// A zlib stream (RFC 1950): header 0x78 0x5E, deflate data, Adler-32 most significant byte first.
std::string FlateEncode(std::string_view data, int level);

uint32_t Adler32(std::string_view data, uint32_t adler = 1);

// Outcome of a decoder: on failure `error` says what is wrong and `data` is not meaningful.
struct DecodeResult {
    bool ok = false;
    std::string data;
    std::string error;
    size_t consumed = 0;  // input bytes used by the decoder (deflate: up to the end of the final block)
};

// Raw deflate decoder. Every malformation is reported; the decoder never reads past `input`.
DecodeResult Inflate(std::string_view input);

// A zlib stream: header checked, deflate data decoded, Adler-32 verified when present.
DecodeResult FlateDecode(std::string_view input);

// PNG / TIFF predictors of /DecodeParms (/Predictor 2 or 10-15), undone after Flate decoding.
DecodeResult UndoPredictor(std::string_view data, int predictor, int colors, int bitsPerComponent,
                           int columns);

std::string RunLengthEncode(std::string_view data);
// LZW with the PDF defaults (9-12 bit codes, /EarlyChange 1, clear code at the start and when full).
std::string LzwEncode(std::string_view data);
// Groups of four bytes as five characters ! to u, z for a zero group, ended by ~>.
std::string Ascii85Encode(std::string_view data);
// Two upper-case hexadecimal digits per byte, no separators, no end marker.
std::string AsciiHexEncode(std::string_view data);

}  // namespace PdfFilters
