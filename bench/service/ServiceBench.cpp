// Benchmarks of the list search service.
//
//   kivo_service_bench index LISTS_DIR
//       loads the lists (timed, with the resident memory it adds) and times every query of the mix
//       through the index and through a full scan of every listed name; prints the ratio.
//   kivo_service_bench http HOST PORT SECONDS CONNECTIONS
//       posts cerca_indice requests of the mix over kept-alive connections for SECONDS; prints
//       throughput and latency percentiles.

#include "ListFolder.h"
#include "ListIndex.h"
#include "SoapRequestText.h"
#include "TextNormalise.h"

#include <httplib.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

using namespace kivo::service;
using Clock = std::chrono::steady_clock;

namespace {

// The query mix of queries.txt: half hitting (listed names, reordered, transliterated, typed
// wrong, document numbers), half common Italian names that hit nothing.
std::vector<std::string> LoadQueries()
{
    std::vector<std::string> queries;
    std::ifstream in(KIVO_BENCH_QUERIES);
    for (std::string line; std::getline(in, line);)
        if (!line.empty()) queries.push_back(line);
    if (queries.empty()) throw std::runtime_error("no queries in " KIVO_BENCH_QUERIES);
    return queries;
}

const std::vector<std::string> kQueries = LoadQueries();

long ResidentKilobytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    return -1;
}

double Milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

template <class F>
double MedianMs(int repeats, F&& run)
{
    std::vector<double> times;
    for (int i = 0; i < repeats; ++i) {
        const auto start = Clock::now();
        run();
        times.push_back(Milliseconds(Clock::now() - start));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// A listed name with one typo or transliteration change in its longest word.
std::string Damaged(const std::string& name, int how)
{
    std::vector<std::string> tokens = SplitTokens(NormaliseLikeClient(name));
    if (tokens.empty()) return name;
    auto longest = std::max_element(tokens.begin(), tokens.end(), [](auto& a, auto& b) { return a.size() < b.size(); });
    std::string& t = *longest;
    if (t.size() < 5) return JoinTokens(tokens);
    const std::size_t at = t.size() / 2;
    switch (how % 3) {
    case 0: t.erase(at, 1); break;                  // a letter left out
    case 1: std::swap(t[at], t[at - 1]); break;     // two letters swapped
    default:                                       // a vowel written another way
        for (std::size_t i = 1; i < t.size(); ++i)
            if (std::string_view("AEIOU").find(t[i]) != std::string_view::npos) { t[i] = t[i] == 'I' ? 'E' : 'I'; break; }
    }
    return JoinTokens(tokens);
}

// How many of the entries that the full scan finds for damaged listed names the index finds too.
void IndexRecall(const ListIndex& index)
{
    std::size_t scanFound = 0;
    std::size_t indexFound = 0;
    std::size_t queries = 0;
    for (std::size_t e = 0; e < index.lists().entries.size(); e += 23) {
        const std::string query = Damaged(index.lists().entries[e].name, static_cast<int>(e));
        ++queries;
        std::vector<std::uint32_t> fromIndex;
        for (const Hit& h : index.Search(query, 0.90, 1000)) fromIndex.push_back(h.entry);
        for (const Hit& h : index.ScanSearch(query, 0.90, 1000)) {
            ++scanFound;
            if (std::find(fromIndex.begin(), fromIndex.end(), h.entry) != fromIndex.end()) ++indexFound;
        }
    }
    std::printf("recall on %zu damaged listed names: the index finds %zu of the %zu hits of the full scan (%.2f%%)\n",
                queries, indexFound, scanFound, 100.0 * indexFound / std::max<std::size_t>(1, scanFound));
}

int IndexBench(const std::string& folder)
{
    const long rssBefore = ResidentKilobytes();
    const auto start = Clock::now();
    const ListIndex index(LoadListFolder({folder, SampleListsFolder(), {}}).lists);
    const double loadMs = Milliseconds(Clock::now() - start);
    std::printf("load+index: %.0f ms, +%ld KiB resident, %zu entries, %zu names, %zu distinct tokens\n", loadMs,
                ResidentKilobytes() - rssBefore, index.lists().entries.size(), index.nameCount(), index.tokenCount());

    double indexTotal = 0.0;
    double scanTotal = 0.0;
    std::size_t disagreements = 0;
    std::printf("%-28s %6s %10s %10s %8s\n", "query", "hits", "index ms", "scan ms", "ratio");
    for (const auto& q : kQueries) {
        const auto hits = index.Search(q, 0.90, 200);
        const auto scanHits = index.ScanSearch(q, 0.90, 200);
        if (hits.size() != scanHits.size()) ++disagreements;
        const double i = MedianMs(21, [&] { (void)index.Search(q, 0.90, 200); });
        const double s = MedianMs(5, [&] { (void)index.ScanSearch(q, 0.90, 200); });
        indexTotal += i;
        scanTotal += s;
        std::printf("%-28s %6zu %10.3f %10.3f %8.0f\n", q.c_str(), hits.size(), i, s, s / i);
    }
    std::printf("mean per query: index %.3f ms, full scan %.3f ms, index %.0fx faster; %zu queries where the hit "
                "counts differ\n",
                indexTotal / kQueries.size(), scanTotal / kQueries.size(), scanTotal / indexTotal, disagreements);
    IndexRecall(index);
    return 0;
}

int HttpBench(const std::string& host, int port, int seconds, int connections)
{
    std::vector<std::string> bodies;
    for (const auto& q : kQueries) bodies.push_back(SearchRequestText("http://kivo.local/ricerca/", q));
    std::atomic<bool> stop{false};
    std::atomic<long> errors{0};
    std::vector<std::vector<double>> latencies(connections);
    std::vector<std::thread> threads;
    for (int c = 0; c < connections; ++c)
        threads.emplace_back([&, c] {
            httplib::Client client(host, port);
            client.set_keep_alive(true);
            client.set_tcp_nodelay(true);
            std::size_t next = c;
            while (!stop) {
                const auto start = Clock::now();
                const auto res = client.Post("/ask_kivo.asmx", bodies[next++ % bodies.size()],
                                             "application/soap+xml; charset=utf-8");
                if (!res || res->status != 200) ++errors;
                latencies[c].push_back(Milliseconds(Clock::now() - start));
            }
        });
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    stop = true;
    for (auto& t : threads) t.join();
    std::vector<double> all;
    for (auto& l : latencies) all.insert(all.end(), l.begin(), l.end());
    std::sort(all.begin(), all.end());
    if (all.empty()) return 1;
    const auto pct = [&](double p) { return all[std::min(all.size() - 1, static_cast<std::size_t>(p * all.size()))]; };
    std::printf("cerca_indice over loopback, %d kept-alive connections, %d s: %zu requests, %.0f requests/s, "
                "p50 %.3f ms, p99 %.3f ms, max %.3f ms, %ld errors\n",
                connections, seconds, all.size(), all.size() / static_cast<double>(seconds), pct(0.50), pct(0.99),
                all.back(), errors.load());
    return errors.load() == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 2 && args[0] == "index") return IndexBench(args[1]);
    if (args.size() == 5 && args[0] == "http")
        return HttpBench(args[1], std::stoi(args[2]), std::stoi(args[3]), std::stoi(args[4]));
    std::fprintf(stderr, "usage: kivo_service_bench index LISTS_DIR | http HOST PORT SECONDS CONNECTIONS\n");
    return 2;
}
