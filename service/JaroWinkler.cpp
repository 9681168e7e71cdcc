#include "JaroWinkler.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace kivo::service {

namespace {
constexpr std::size_t kMaxToken = 64;  // longer tokens are compared on their first 64 characters
}

double JaroWinkler(std::string_view a, std::string_view b)
{
    a = a.substr(0, std::min(a.size(), kMaxToken));
    b = b.substr(0, std::min(b.size(), kMaxToken));
    if (a.empty() || b.empty()) return a.empty() && b.empty() ? 1.0 : 0.0;
    if (a == b) return 1.0;

    const int la = static_cast<int>(a.size());
    const int lb = static_cast<int>(b.size());
    const int window = std::max(0, std::max(la, lb) / 2 - 1);
    std::array<bool, kMaxToken> usedA{};
    std::array<bool, kMaxToken> usedB{};
    int matches = 0;
    for (int i = 0; i < la; ++i) {
        const int from = std::max(0, i - window);
        const int to = std::min(lb - 1, i + window);
        for (int j = from; j <= to; ++j) {
            if (!usedB[j] && a[i] == b[j]) {
                usedA[i] = usedB[j] = true;
                ++matches;
                break;
            }
        }
    }
    if (matches == 0) return 0.0;

    int transpositions = 0;
    for (int i = 0, j = 0; i < la; ++i) {
        if (!usedA[i]) continue;
        while (!usedB[j]) ++j;
        if (a[i] != b[j]) ++transpositions;
        ++j;
    }
    const double m = matches;
    const double jaro = (m / la + m / lb + (m - transpositions / 2.0) / m) / 3.0;

    int prefix = 0;
    while (prefix < 4 && prefix < la && prefix < lb && a[prefix] == b[prefix]) ++prefix;
    return jaro + prefix * 0.1 * (1.0 - jaro);
}

int BoundedEditDistance(std::string_view a, std::string_view b, int limit)
{
    const int la = static_cast<int>(a.size());
    const int lb = static_cast<int>(b.size());
    if (std::abs(la - lb) > limit) return limit + 1;
    if (la > static_cast<int>(kMaxToken) || lb > static_cast<int>(kMaxToken))
        return a == b ? 0 : limit + 1;
    std::array<int, kMaxToken + 1> prev{};
    std::array<int, kMaxToken + 1> cur{};
    for (int j = 0; j <= lb; ++j) prev[j] = j;
    for (int i = 1; i <= la; ++i) {
        cur[0] = i;
        int rowMin = cur[0];
        for (int j = 1; j <= lb; ++j) {
            const int substitute = prev[j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1);
            cur[j] = std::min({prev[j] + 1, cur[j - 1] + 1, substitute});
            rowMin = std::min(rowMin, cur[j]);
        }
        if (rowMin > limit) return limit + 1;
        std::swap(prev, cur);
    }
    return prev[lb] > limit ? limit + 1 : prev[lb];
}

}  // namespace kivo::service
