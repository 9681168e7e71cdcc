// RunLengthDecode data: a length byte 0-127 copies the next 1-128 bytes, 257 - n repeats the next
// byte 2-128 times, 128 ends the data.

#include "pdf/Filters.h"

namespace PdfFilters {

std::string RunLengthEncode(std::string_view data)
{
    std::string out;
    out.reserve(data.size() + data.size() / 128 + 2);
    size_t i = 0, literalStart = 0;
    auto flushLiterals = [&](size_t end) {
        while (literalStart < end) {
            const size_t n = std::min<size_t>(128, end - literalStart);
            out.push_back(char(n - 1));
            out.append(data.substr(literalStart, n));
            literalStart += n;
        }
    };
    while (i < data.size()) {
        size_t run = 1;
        while (i + run < data.size() && run < 128 && data[i + run] == data[i]) ++run;
        // Two equal bytes inside literals cost the same either way; three or more pay off as a run.
        if (run >= 3 || (run == 2 && literalStart == i)) {
            flushLiterals(i);
            out.push_back(char(257 - run));
            out.push_back(data[i]);
            i += run;
            literalStart = i;
        } else {
            i += run;
        }
    }
    flushLiterals(data.size());
    out.push_back(char(128));
    return out;
}

}  // namespace PdfFilters
