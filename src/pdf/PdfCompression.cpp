// Stream compression: the filter chain every stream of the writer passes through.

#include "pdf/Filters.h"
#include "pdf/PdfWriter.h"

void PdfWriter::SetCompression(int flags, int quality)
{
    compression_.flags = static_cast<std::uint8_t>(flags);
    compression_.level = static_cast<std::uint8_t>(quality > 3 ? 3 : quality < 0 ? 0 : quality);
}

std::string PdfWriter::EncodeStream(std::string_view data, std::string& filterEntry)
{
    enum : std::uint8_t { RunLength = 1, Flate = 2, Lzw = 4, Ascii85 = 8, AsciiHex = 16 };
    const std::uint8_t flags = compression_.flags;
    std::string bytes(data);
    // Each filter applied goes in front of the names already listed: /Filter lists decoding order.
    auto apply = [&](std::string encoded, const char* name) {
        bytes = std::move(encoded);
        filterEntry.insert(0, name);
    };
    // Streams that arrive already encoded (a preset filter) only get the text filters on top.
    if (filterEntry.empty()) {
        if (flags & RunLength) apply(PdfFilters::RunLengthEncode(bytes), "/RunLengthDecode ");
        if (flags & Flate) apply(PdfFilters::FlateEncode(bytes, compression_.level), "/FlateDecode ");
        if (flags & Lzw) apply(PdfFilters::LzwEncode(bytes), "/LZWDecode ");
    }
    if (flags & Ascii85) apply(PdfFilters::Ascii85Encode(bytes), "/ASCII85Decode ");
    if (flags & AsciiHex) apply(PdfFilters::AsciiHexEncode(bytes), "/ASCIIHexDecode ");
    return bytes;
}
