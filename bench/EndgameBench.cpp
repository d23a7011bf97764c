// The endgame database's figures, on one core: what loading the files
// costs (time, memory held), how fast a probe is, and how the search fares
// in endings with and without probing (nodes a second, depth reached in a
// fixed time, and the score it finds).
//
//   plaxen_bench_endgame [FOLDER]     (the cache folder unless given)

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <random>
#include <thread>

#include "engine/EndgameFiles.h"
#include "engine/EndgameSolver.h"
#include "engine/Search.h"
#include "notation/Fen.h"

namespace
{
using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

// Endings of five to eight pieces: the search reaches the database from all
// of them, at the root or a few captures on.
constexpr const char* kEndings[] = {
    "B:W26,K30,31:BK14,K19,20,K23",  // the bench's won ending
    "W:WK18,K27:B6,K15,20",          // five pieces, kings on both sides
    "B:W21,22,K31:B5,9,K12",         // six pieces
    "W:W20,24,27,28:B5,10,11,13",    // eight men
    "B:W18,23,26,K31:B3,K14,16,K27", // eight pieces with kings
};

void SearchEnding(const char* fen, const CEndgameTable* table, int ms)
{
    CSearch search(16);
    search.SetEndgameTable(table);
    std::atomic<bool> stop{false};
    std::thread timer(
        [&]
        {
            std::this_thread::sleep_for(std::chrono::milliseconds(ms));
            stop = true;
        });
    const SearchResult result =
        search.Run(CPosition::FromFen(ParseFen(fen).value()), {.depth = 100}, stop);
    stop = true;
    timer.join();
    const double seconds = std::max(result.info.timeMs, 1) / 1000.0;
    std::printf("  %-8s depth %3d  score %6d  win in %4d  %9.0f nodes/s  %s\n",
                table ? "probing" : "without", result.info.depth, result.info.score,
                result.info.winMoves, result.info.nodes / seconds, fen);
}
} // namespace

int main(int argc, char** argv)
{
    const std::filesystem::path folder = argc >= 2 ? argv[1] : EndgameCacheFolder();
    Clock::time_point start = Clock::now();
    CEndgameTable table;
    const int read = table.ReadFolder(folder, kDefaultEndgamePieces);
    const double readSeconds = Seconds(Clock::now() - start);
    start = Clock::now();
    CEndgameSolver(table).SolveUpTo(kBuiltInEndgamePieces);
    std::printf("read %d slices from %s in %.2f s; solving the rest up to %d pieces %.2f s; "
                "complete up to %d pieces, %.1f MB held, %.1f MB mapped\n",
                read, folder.c_str(), readSeconds, kBuiltInEndgamePieces,
                Seconds(Clock::now() - start), table.CompletePieces(), table.Bytes() / 1e6,
                table.MappedBytes() / 1e6);

    // Probes of positions spread over every slice held, in a random order
    // so that the caches see what a search makes them see.
    std::vector<CPosition> positions;
    std::mt19937_64 random(1);
    for (int pieces = 2; pieces <= CEndgameTable::kMaxPieces; ++pieces)
        for (const EndgameMaterial& m : MaterialsOf(pieces))
            if (const CEndgameSlice* slice = table.Slice(m))
                for (int i = 0; i < 20000; ++i)
                    positions.push_back(slice->PositionAt(random() % slice->Size()));
    std::shuffle(positions.begin(), positions.end(), random);
    start = Clock::now();
    int known = 0;
    for (const CPosition& position : positions)
        known += table.Probe(position).outcome != EndgameValue::Outcome::Unknown;
    const double probeSeconds = Seconds(Clock::now() - start);
    start = Clock::now();
    for (const CPosition& position : positions)
        known += table.Probe(position, true).outcome != EndgameValue::Outcome::Unknown;
    const double distanceSeconds = Seconds(Clock::now() - start);
    std::printf("%zu probes, %d answered: %.0f ns a probe, %.0f ns with distances from the files\n",
                positions.size(), known / 2,
                1e9 * probeSeconds / static_cast<double>(positions.size()),
                1e9 * distanceSeconds / static_cast<double>(positions.size()));

    for (const char* fen : kEndings)
    {
        SearchEnding(fen, nullptr, 1000);
        SearchEnding(fen, &table, 1000);
    }
    return 0;
}
