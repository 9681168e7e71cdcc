#include "pdf/DeflateHuffman.h"

#include <algorithm>
#include <numeric>

namespace PdfFilters {
namespace {

// In-place minimum-redundancy code lengths (Moffat and Katajainen): `a` holds the frequencies in
// ascending order and receives the code length of each of those symbols.
void MinimumRedundancyLengths(std::vector<uint32_t>& a)
{
    const int n = static_cast<int>(a.size());
    if (n == 0) return;
    if (n == 1) { a[0] = 1; return; }
    a[0] += a[1];
    int root = 0, leaf = 2;
    for (int next = 1; next < n - 1; ++next) {
        if (leaf >= n || a[root] < a[leaf]) { a[next] = a[root]; a[root++] = next; }
        else a[next] = a[leaf++];
        if (leaf >= n || (root < next && a[root] < a[leaf])) { a[next] += a[root]; a[root++] = next; }
        else a[next] += a[leaf++];
    }
    a[n - 2] = 0;
    for (int next = n - 3; next >= 0; --next) a[next] = a[a[next]] + 1;
    int available = 1, used = 0, depth = 0;
    root = n - 2;
    int next = n - 1;
    while (available > 0) {
        while (root >= 0 && static_cast<int>(a[root]) == depth) { ++used; --root; }
        while (available > used) { a[next--] = depth; --available; }
        available = 2 * used;
        ++depth;
        used = 0;
    }
}

// Moves codes longer than `maxLength` up and lengthens shorter ones until the Kraft sum is exact.
void LimitLengths(std::vector<int>& countPerLength, int maxLength)
{
    for (size_t i = maxLength + 1; i < countPerLength.size(); ++i) {
        countPerLength[maxLength] += countPerLength[i];
        countPerLength[i] = 0;
    }
    uint32_t total = 0;
    for (int i = maxLength; i > 0; --i) total += static_cast<uint32_t>(countPerLength[i]) << (maxLength - i);
    while (total != (1u << maxLength)) {
        --countPerLength[maxLength];
        for (int i = maxLength - 1; i > 0; --i) {
            if (countPerLength[i] != 0) {
                --countPerLength[i];
                countPerLength[i + 1] += 2;
                break;
            }
        }
        --total;
    }
}

}  // namespace

std::vector<uint8_t> HuffmanCodeLengths(const std::vector<uint32_t>& freqs, int maxLength)
{
    std::vector<uint8_t> lengths(freqs.size(), 0);
    std::vector<int> used;
    for (size_t s = 0; s < freqs.size(); ++s)
        if (freqs[s] != 0) used.push_back(static_cast<int>(s));
    // A lone symbol still needs a one-bit code, and its partner keeps the code complete.
    for (int s = 0; used.size() < 2 && s < static_cast<int>(freqs.size()); ++s)
        if (std::find(used.begin(), used.end(), s) == used.end()) used.push_back(s);
    if (used.size() < 2) {
        for (int s : used) lengths[s] = 1;
        return lengths;
    }
    std::stable_sort(used.begin(), used.end(), [&](int a, int b) { return freqs[a] < freqs[b]; });
    std::vector<uint32_t> work(used.size());
    for (size_t i = 0; i < used.size(); ++i) work[i] = std::max<uint32_t>(freqs[used[i]], 1);
    MinimumRedundancyLengths(work);

    std::vector<int> countPerLength(33, 0);
    for (uint32_t len : work) ++countPerLength[std::min<uint32_t>(len, 32)];
    LimitLengths(countPerLength, maxLength);
    // Shortest codes go to the most frequent symbols (the end of the sorted list).
    size_t j = used.size();
    for (int len = 1; len <= maxLength; ++len)
        for (int c = countPerLength[len]; c > 0; --c) lengths[used[--j]] = static_cast<uint8_t>(len);
    return lengths;
}

std::vector<uint16_t> CanonicalCodesReversed(const std::vector<uint8_t>& lengths)
{
    int countPerLength[16] = {};
    for (uint8_t len : lengths) ++countPerLength[len];
    countPerLength[0] = 0;
    int nextCode[16] = {};
    int code = 0;
    for (int len = 1; len < 16; ++len) {
        code = (code + countPerLength[len - 1]) << 1;
        nextCode[len] = code;
    }
    std::vector<uint16_t> codes(lengths.size(), 0);
    for (size_t s = 0; s < lengths.size(); ++s) {
        const int len = lengths[s];
        if (len == 0) continue;
        unsigned c = static_cast<unsigned>(nextCode[len]++), reversed = 0;
        for (int i = 0; i < len; ++i, c >>= 1) reversed = (reversed << 1) | (c & 1);
        codes[s] = static_cast<uint16_t>(reversed);
    }
    return codes;
}

}  // namespace PdfFilters
