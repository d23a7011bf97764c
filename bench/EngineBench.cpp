// The engine's figures, on one core: perft 10 from the start (bulk counted
// at the last ply; target under 1 s), search speed from the start and from
// a middle game, the depth finished within one second from the start (aim:
// 18 plies), the time a fixed second and a game clock give a move, and the
// bench fingerprint. Medians of a few runs; a loaded machine shows in every
// figure.

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

#include "engine/Bench.h"
#include "engine/Perft.h"
#include "engine/Search.h"
#include "notation/Fen.h"

namespace
{
using Clock = std::chrono::steady_clock;

constexpr const char* kMiddleGame = "B:W17,22,24,26,28,29,30,31,32:B1,2,3,4,6,9,12,15,16";

double Seconds(Clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Searches `fen` with no limit until `ms` have passed; the depth finished by
// then and the nodes per second.
std::pair<int, double> SearchFor(const char* fen, int ms)
{
    CSearch search;
    std::atomic<bool> stop{false};
    int finished = 0;
    std::thread timer(
        [&]
        {
            std::this_thread::sleep_for(std::chrono::milliseconds(ms));
            stop = true;
        });
    const auto start = Clock::now();
    const SearchResult result =
        search.Run(CPosition::FromFen(ParseFen(fen).value()), SearchLimits{}, stop,
                   [&](const SearchInfo& info) { finished = info.depth; });
    const double seconds = Seconds(Clock::now() - start);
    timer.join();
    return {finished, static_cast<double>(result.info.nodes) / seconds};
}
} // namespace

int main()
{
    std::vector<double> perft;
    std::uint64_t count = 0;
    for (int run = 0; run < 3; ++run)
    {
        const auto start = Clock::now();
        count = Perft(CPosition::Start(), 10).value_or(0);
        perft.push_back(Seconds(Clock::now() - start));
    }
    std::printf("perft 10 from the start: %llu in %.3f s (median of 3; target under 1 s)\n",
                static_cast<unsigned long long>(count), Median(perft));

    const char* start = "B:W21,22,23,24,25,26,27,28,29,30,31,32:B1,2,3,4,5,6,7,8,9,10,11,12";
    for (const auto& [name, fen] :
         {std::pair{"start", start}, std::pair{"middle game", kMiddleGame}})
    {
        std::vector<double> nps, depths;
        for (int run = 0; run < 3; ++run)
        {
            const auto [depth, rate] = SearchFor(fen, 1000);
            nps.push_back(rate);
            depths.push_back(depth);
        }
        std::printf("search from the %s: %.2f M nodes/s, depth %d finished within 1 s"
                    " (medians of 3; aim 18 from the start)\n",
                    name, Median(nps) / 1e6, static_cast<int>(Median(depths)));
    }

    // Time use: how much of a fixed second a move is spent, and what a
    // five-minute clock with three seconds a move gives a middle-game move.
    for (const auto& [name, limits] :
         {std::pair{"a fixed second", SearchLimits{.timeMs = 1000}},
          std::pair{"5 min + 3 s on the clock",
                    SearchLimits{.clockMs = 300'000, .incrementMs = 3000}}})
    {
        std::vector<double> used;
        for (int run = 0; run < 3; ++run)
        {
            CSearch search;
            const std::atomic<bool> never{false};
            const auto begin = Clock::now();
            search.Run(CPosition::FromFen(ParseFen(kMiddleGame).value()), limits, never);
            used.push_back(Seconds(Clock::now() - begin) * 1000);
        }
        std::printf("middle-game move with %s: answered after %.0f ms (median of 3)\n", name,
                    Median(used));
    }

    const BenchReport report = RunBench(kBenchDepth, nullptr);
    std::printf("bench (depth %d): %llu nodes in %d ms, %.2f M nodes/s\n", kBenchDepth,
                static_cast<unsigned long long>(report.nodes), report.timeMs,
                report.timeMs ? static_cast<double>(report.nodes) / report.timeMs / 1e3 : 0.0);
    return 0;
}
