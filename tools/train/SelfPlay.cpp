// plaxen_selfplay: the engine plays itself fast games and keeps their quiet
// positions with each game's result, the evaluation's training data.
//
//   plaxen_selfplay <out file> [games] [nodes a move] [seed] [jobs]
//
// Game g of seed s always plays the same way: a few random moves from the
// start (drawn from s and g), then the engine at a fixed node budget with
// a fresh search. Games end by the rules, by a claimable draw or drawn at
// 300 plies. The file is the same whatever the number of jobs.

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <thread>
#include <vector>

#include "engine/DrawClaims.h"
#include "engine/MoveGen.h"
#include "engine/Search.h"
#include "tools/train/TrainingData.h"

namespace
{
constexpr int kMaxPlies = 300;

std::uint64_t Mix(std::uint64_t x)
{
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

EngineMove FindMove(const CPosition& position, const NotatedMove& notated)
{
    CMoveList list;
    GenerateMoves(position, list);
    for (int i = 0; i < list.Size(); ++i)
        if (ToNotated(list[i]) == notated)
            return list[i];
    return list[0];
}

std::vector<TrainingPosition> PlayGame(CSearch& search, std::uint64_t seed, std::uint64_t nodes)
{
    std::mt19937_64 random(seed);
    search.Clear();
    std::vector<CPosition> game{CPosition::Start()};
    CDrawClaims draws(game.back());
    std::vector<TrainingPosition> kept;
    const int randomPlies = 4 + static_cast<int>(random() % 6);
    int result = 1; // drawn unless the rules end it
    const std::atomic<bool> never{false};
    for (int ply = 0; ply < kMaxPlies; ++ply)
    {
        const CPosition& position = game.back();
        if (position.IsOver())
        {
            // The side with no move loses; with neither able, the side to move.
            const bool blackStuck = !position.HasMove(CPosition::Black);
            const bool redStuck = !position.HasMove(CPosition::Red);
            const int loser = blackStuck && redStuck ? position.m_side
                              : blackStuck           ? CPosition::Black
                                                     : CPosition::Red;
            result = loser == CPosition::Black ? 0 : 2;
            break;
        }
        if (draws.Claimable() != DrawClaim::None)
            break;
        CMoveList list;
        GenerateMoves(position, list);
        EngineMove move;
        if (ply < randomPlies)
            move = list[static_cast<int>(random() % static_cast<std::uint64_t>(list.Size()))];
        else
        {
            if (!position.HasCapture(position.m_side))
                kept.push_back({position.m_black, position.m_red, position.m_kings,
                                static_cast<std::uint8_t>(position.m_side), 1,
                                static_cast<std::uint16_t>(ply)});
            const SearchResult answer = search.Run(game, {.nodes = nodes}, never);
            move = FindMove(position, answer.move);
        }
        game.push_back(position.After(move));
        draws.Played(game.back());
    }
    for (TrainingPosition& p : kept)
        p.result = static_cast<std::uint8_t>(result);
    return kept;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
    {
        std::fprintf(stderr, "usage: plaxen_selfplay <out file> [games] [nodes] [seed] [jobs]\n");
        return 2;
    }
    const int games = argc > 2 ? std::atoi(argv[2]) : 10000;
    const std::uint64_t nodes = argc > 3 ? std::strtoull(argv[3], nullptr, 10) : 2000;
    const std::uint64_t seed = argc > 4 ? std::strtoull(argv[4], nullptr, 10) : 1;
    const int jobs = argc > 5 ? std::atoi(argv[5]) : 2;

    std::vector<std::vector<TrainingPosition>> perGame(static_cast<std::size_t>(games));
    std::atomic<int> next{0}, done{0};
    auto worker = [&]
    {
        CSearch search(4);
        for (int g; (g = next++) < games;)
        {
            perGame[static_cast<std::size_t>(g)] =
                PlayGame(search, Mix(seed * 1'000'003 + static_cast<std::uint64_t>(g)), nodes);
            if (++done % 500 == 0)
                std::fprintf(stderr, "%d games\n", done.load());
        }
    };
    std::vector<std::thread> threads;
    for (int j = 0; j < std::max(1, jobs); ++j)
        threads.emplace_back(worker);
    for (std::thread& t : threads)
        t.join();

    std::vector<TrainingPosition> all;
    int results[3] = {};
    for (const auto& g : perGame)
    {
        if (!g.empty())
            ++results[g.front().result];
        all.insert(all.end(), g.begin(), g.end());
    }
    std::ofstream out(argv[1], std::ios::binary);
    if (!WriteTrainingData(out, all))
    {
        std::fprintf(stderr, "plaxen_selfplay: cannot write %s\n", argv[1]);
        return 1;
    }
    std::printf("%d games (black won %d, drawn %d, red won %d), %zu positions in %s\n", games,
                results[2], results[1], results[0], all.size(), argv[1]);
    return 0;
}
