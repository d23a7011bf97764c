// plaxen_egdb: builds the engine's endgame database into a folder, or
// checks the files there.
//
//   plaxen_egdb [--pieces N] [--dir FOLDER]            build every slice of up to N pieces
//   plaxen_egdb --verify [--pieces N] [--dir FOLDER]   read them back and check each value
//   plaxen_egdb --probe FEN [--dir FOLDER]             the value of one position
//
// N is 5 unless given; FOLDER is the user's cache folder ($XDG_CACHE_HOME/plaxen,
// else ~/.cache/plaxen), where the game looks. Building prints one line a
// slice with its size and time; checking compares every position's value
// with a one-move search over the other values and exits 1 on any mismatch.

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

#include "engine/EndgameCheck.h"
#include "engine/EndgameFiles.h"
#include "engine/EndgameSolver.h"
#include "notation/Fen.h"

namespace
{
using Clock = std::chrono::steady_clock;

std::string Name(const EndgameMaterial& m)
{
    return CEndgameTable::FileName(m);
}

double Since(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

int Build(const std::filesystem::path& folder, int pieces)
{
    std::filesystem::create_directories(folder);
    CEndgameTable table;
    CEndgameSolver solver(table);
    const Clock::time_point start = Clock::now();
    std::uint64_t positions = 0, bytes = 0;
    bool failed = false;
    solver.SolveUpTo(
        pieces,
        [&](const EndgameSliceReport& report)
        {
            const EndgameMaterial& m = report.material;
            // Written under another name first: a build stopped half way
            // leaves no file the game would take for a whole one.
            const std::filesystem::path file = folder / Name(m);
            const std::filesystem::path partial = file.string() + ".part";
            std::ofstream out(partial, std::ios::binary);
            table.Write(m, out);
            out.close();
            if (!out)
            {
                std::fprintf(stderr, "cannot write %s\n", partial.c_str());
                failed = true;
                return;
            }
            std::filesystem::rename(partial, file);
            const std::uint64_t size = std::filesystem::file_size(file);
            positions += report.positions;
            bytes += size;
            std::printf("%-18s %11llu positions  %5.1f%% won %5.1f%% lost %5.1f%% drawn  longest "
                        "%3d plies  %10llu bytes  %7.2f s  (all %7.1f s)\n",
                        Name(m).c_str(), static_cast<unsigned long long>(report.positions),
                        100.0 * report.wins / report.positions,
                        100.0 * report.losses / report.positions,
                        100.0 * report.draws / report.positions, report.longestPlies,
                        static_cast<unsigned long long>(size), report.seconds, Since(start));
            std::fflush(stdout);
        });
    std::printf("%llu positions in %llu bytes, %.1f s, into %s\n",
                static_cast<unsigned long long>(positions), static_cast<unsigned long long>(bytes),
                Since(start), folder.c_str());
    return failed ? 1 : 0;
}

int Verify(const std::filesystem::path& folder, int pieces)
{
    CEndgameTable table;
    std::vector<std::string> problems;
    const int slices = table.ReadFolder(folder, pieces, &problems);
    for (const std::string& problem : problems)
        std::printf("%s\n", problem.c_str());
    const int complete = table.CompletePieces();
    std::printf("%d slices read from %s; complete up to %d pieces\n", slices, folder.c_str(),
                complete);
    std::uint64_t checked = 0, mismatches = 0;
    const Clock::time_point start = Clock::now();
    for (int total = 2; total <= std::min(pieces, complete); ++total)
        for (const EndgameMaterial& m : MaterialsOf(total))
        {
            const CEndgameSlice& slice = *table.Slice(m);
            std::uint64_t wrong = 0;
            for (std::uint64_t i = 0; i < slice.Size(); ++i)
            {
                const EndgameValue held = table.ValueAt(m, i, true);
                const EndgameValue searched = ValueByOneMove(table, slice.PositionAt(i));
                const bool same =
                    held.outcome == searched.outcome &&
                    (held.plies < 0 || searched.plies < 0 || held.plies == searched.plies);
                if (!same && wrong++ < 3)
                    std::printf("%s: position %llu (%s) holds %d/%d, one move finds %d/%d\n",
                                Name(m).c_str(), static_cast<unsigned long long>(i),
                                PrintFen(slice.PositionAt(i).ToFen()).c_str(),
                                static_cast<int>(held.outcome), held.plies,
                                static_cast<int>(searched.outcome), searched.plies);
            }
            checked += slice.Size();
            mismatches += wrong;
            std::printf("%-18s %11llu positions checked, %llu wrong  (%.1f s)\n", Name(m).c_str(),
                        static_cast<unsigned long long>(slice.Size()),
                        static_cast<unsigned long long>(wrong), Since(start));
            std::fflush(stdout);
        }
    std::printf("%llu positions checked, %llu wrong\n", static_cast<unsigned long long>(checked),
                static_cast<unsigned long long>(mismatches));
    return mismatches || !problems.empty() || complete < std::min(pieces, 2) ? 1 : 0;
}
int Probe(const std::filesystem::path& folder, const std::string& fen)
{
    std::string error;
    const std::optional<FenPosition> position = ParseFen(fen, &error);
    if (!position)
    {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 2;
    }
    CEndgameTable table;
    CEndgameSolver(table).SolveUpTo(kBuiltInEndgamePieces);
    table.ReadFolder(folder, CEndgameTable::kMaxPieces);
    const EndgameValue value = table.Probe(CPosition::FromFen(*position), true);
    constexpr const char* kOutcomes[] = {"not in the database", "draw", "win", "loss"};
    std::printf("%s: %s", PrintFen(*position).c_str(), kOutcomes[static_cast<int>(value.outcome)]);
    if (value.plies > 0)
        std::printf(" in %d plies", value.plies);
    std::printf(" for the side to move\n");
    return 0;
}
} // namespace

int main(int argc, char** argv)
{
    bool verify = false;
    std::string probe;
    int pieces = kDefaultEndgamePieces;
    std::filesystem::path folder = EndgameCacheFolder();
    for (int i = 1; i < argc; ++i)
    {
        const std::string arg = argv[i];
        if (arg == "--verify")
            verify = true;
        else if (arg == "--probe" && i + 1 < argc)
            probe = argv[++i];
        else if (arg == "--pieces" && i + 1 < argc)
            pieces = std::atoi(argv[++i]);
        else if (arg == "--dir" && i + 1 < argc)
            folder = argv[++i];
        else
        {
            std::fprintf(stderr, "usage: plaxen_egdb [--verify | --probe FEN] [--pieces N] "
                                 "[--dir FOLDER]\n");
            return 2;
        }
    }
    if (pieces < 2 || pieces > CEndgameTable::kMaxPieces)
    {
        std::fprintf(stderr, "--pieces must be 2 to %d\n", CEndgameTable::kMaxPieces);
        return 2;
    }
    if (folder.empty())
    {
        std::fprintf(stderr, "no folder: set XDG_CACHE_HOME or HOME, or give --dir\n");
        return 2;
    }
    if (!probe.empty())
        return Probe(folder, probe);
    return verify ? Verify(folder, pieces) : Build(folder, pieces);
}
