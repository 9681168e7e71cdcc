// Undoing the TIFF (2) and PNG (10-15) predictors that PDF producers apply before Flate, as in
// cross-reference and object streams written with /DecodeParms << /Predictor 12 /Columns n >>.

#include "pdf/Filters.h"

#include <cstdlib>
#include <vector>

namespace PdfFilters {
namespace {

uint8_t Paeth(int a, int b, int c)
{
    const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    return uint8_t(pa <= pb && pa <= pc ? a : pb <= pc ? b : c);
}

DecodeResult UndoPng(std::string_view data, size_t rowBytes, size_t pixelBytes)
{
    DecodeResult result;
    std::vector<uint8_t> previous(rowBytes, 0), row(rowBytes);
    result.data.reserve(data.size());
    for (size_t at = 0; at < data.size(); at += rowBytes + 1) {
        const int type = uint8_t(data[at]);
        const size_t available = std::min(rowBytes, data.size() - at - 1);
        for (size_t i = 0; i < rowBytes; ++i) {
            const int x = i < available ? uint8_t(data[at + 1 + i]) : 0;
            const int a = i >= pixelBytes ? row[i - pixelBytes] : 0, b = previous[i];
            const int c = i >= pixelBytes ? previous[i - pixelBytes] : 0;
            switch (type) {
            case 0: row[i] = uint8_t(x); break;
            case 1: row[i] = uint8_t(x + a); break;
            case 2: row[i] = uint8_t(x + b); break;
            case 3: row[i] = uint8_t(x + (a + b) / 2); break;
            case 4: row[i] = uint8_t(x + Paeth(a, b, c)); break;
            default: result.error = "invalid PNG predictor row type"; return result;
            }
        }
        result.data.append(reinterpret_cast<const char*>(row.data()), available);
        previous = row;
    }
    result.ok = true;
    return result;
}

DecodeResult UndoTiff(std::string_view data, size_t rowBytes, size_t pixelBytes)
{
    DecodeResult result;
    result.data.assign(data);
    for (size_t start = 0; start < result.data.size(); start += rowBytes)
        for (size_t i = start + pixelBytes; i < std::min(start + rowBytes, result.data.size()); ++i)
            result.data[i] = char(uint8_t(result.data[i]) + uint8_t(result.data[i - pixelBytes]));
    result.ok = true;
    return result;
}

}  // namespace

DecodeResult UndoPredictor(std::string_view data, int predictor, int colors, int bitsPerComponent, int columns)
{
    if (predictor <= 1) return {true, std::string(data), {}, data.size()};
    DecodeResult result;
    if (colors < 1 || colors > 32 || bitsPerComponent < 1 || bitsPerComponent > 16 || columns < 1 || columns > (1 << 24)) {
        result.error = "invalid predictor parameters";
        return result;
    }
    const size_t bitsPerPixel = size_t(colors) * size_t(bitsPerComponent);
    const size_t rowBytes = (bitsPerPixel * size_t(columns) + 7) / 8;
    const size_t pixelBytes = (bitsPerPixel + 7) / 8;
    if (predictor == 2) {
        if (bitsPerComponent != 8) {
            result.error = "TIFF predictor supported for 8-bit components only";
            return result;
        }
        return UndoTiff(data, rowBytes, pixelBytes);
    }
    if (predictor >= 10 && predictor <= 15) return UndoPng(data, rowBytes, pixelBytes);
    result.error = "unknown predictor";
    return result;
}

}  // namespace PdfFilters
