#include "engine/Bench.h"

#include <ostream>

#include "engine/Search.h"
#include "notation/Fen.h"

namespace
{
// The start, a middle game, kings on both sides and a won ending.
constexpr const char* kPositions[] = {
    "B:W21,22,23,24,25,26,27,28,29,30,31,32:B1,2,3,4,5,6,7,8,9,10,11,12",
    "B:W17,22,24,26,28,29,30,31,32:B1,2,3,4,6,9,12,15,16",
    "W:W18,20,23,K26,27,31:B2,5,K8,11,13,16",
    "B:W26,K30,31:BK14,K19,20,K23",
};
} // namespace

BenchReport RunBench(int depth, std::ostream* log)
{
    BenchReport report;
    const std::atomic<bool> never{false};
    SearchLimits limits;
    limits.depth = depth;
    for (const char* text : kPositions)
    {
        CSearch search;
        const SearchResult result =
            search.Run(CPosition::FromFen(ParseFen(text).value()), limits, never);
        report.nodes += result.info.nodes;
        report.timeMs += result.info.timeMs;
        if (log)
            *log << text << "  " << PrintMove(result.move) << "  nodes " << result.info.nodes
                 << '\n';
    }
    return report;
}
