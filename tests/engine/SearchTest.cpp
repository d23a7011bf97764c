#include "engine/Search.h"
#include "notation/BoardMoves.h"
#include "notation/Fen.h"

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <set>
#include <thread>

namespace
{
SearchResult Search(const CCheckerBoard& board, SearchLimits limits,
                    const std::atomic<bool>& stop = false)
{
    return CSearch(1).Run(board, limits, stop);
}

SearchResult SearchFen(const char* fen, int depth)
{
    return Search(BoardFromFen(ParseFen(fen).value()), {.depth = depth});
}

using Clock = std::chrono::steady_clock;
} // namespace

TEST(EngineSearch, FindsForcedWinsShotsAndGameEnds)
{
    const struct
    {
        const char* fen;
        int depth;
        const char* move;
        int winMoves; // > 0 a win in that many moves, < 0 a loss, 0 none forced
        int minScore;
    } cases[] = {
        {"B:W15:B11", 3, "11x18", 1, 0},                 // take the last piece
        {"B:W28:B19,20", 3, "20-24", 1, 0},              // block the last piece
        {"B:W27,28,31:B20", 3, "20-24", -1, -kWinScore}, // the only move leaves black stuck
        // The last piece taken with both sides stuck: the capturer keeps the turn and loses.
        {"B:W24:B19,32", 3, "19x28", -1, -kWinScore},
        {"B:W14,16,22:B1,3,7", 7, "7-11", 2, 0},            // give one, take all three
        {"B:W18,23,25,26:B9,13,14,16", 7, "16-19", 0, 150}, // give one, take three
    };
    for (const auto& c : cases)
    {
        const SearchResult result = SearchFen(c.fen, c.depth);
        EXPECT_EQ(PrintMove(result.move), c.move) << c.fen;
        EXPECT_EQ(result.info.winMoves, c.winMoves) << c.fen;
        EXPECT_GE(result.info.score, c.minScore) << c.fen;
    }
    // Two kings catch one in its double corner.
    EXPECT_GT(SearchFen("B:WK32:BK14,K19", 24).info.winMoves, 0);
    // Over: the side to move is stuck, the other side is, or has nothing left.
    for (const char* over : {"W:W4:B12", "B:W4:B12", "B:W15"})
        EXPECT_FALSE(SearchFen(over, 5).hasMove) << over;
}

TEST(EngineSearch, EveryMoveItReturnsIsLegalAndBeginnerRepeatsItsDraws)
{
    std::mt19937 random(11);
    CSearch search(1);
    const std::atomic<bool> stop{false};
    for (int game = 0; game < 4; ++game)
    {
        CCheckerBoard board;
        for (int ply = 0; ply < 100 && !board.IsGameOver(); ++ply)
        {
            const SearchLimits limits = ply % 3 ? SearchLimits{.depth = 1 + ply % 5}
                                                : LimitsForLevel(EngineLevel::Beginner, ply);
            const SearchResult result = search.Run(board, limits, stop);
            CCheckerBoard played = board;
            ASSERT_TRUE(result.hasMove && PlayMove(played, result.move) != MoveRefused) << board;
            EXPECT_TRUE(limits.randomMargin == 0 ||
                        Search(board, limits).move == Search(board, limits).move)
                << board; // Beginner draws the same move again
            // Every other move at random, for positions the engine would avoid.
            const std::vector<NotatedMove> moves = ListLegalMoves(board);
            PlayMove(board, random() % 2 ? result.move : moves[random() % moves.size()]);
        }
    }
    std::set<std::string> chosen; // by Beginner from the start, seed by seed
    for (std::uint64_t seed = 0; seed < 12; ++seed)
        chosen.insert(
            PrintMove(Search(CCheckerBoard(), LimitsForLevel(EngineLevel::Beginner, seed)).move));
    EXPECT_GE(chosen.size(), 2u);
}

TEST(EngineSearch, StopsWhenToldAndKeepsToItsTime)
{
    // The margins are wide: sanitizers and a busy machine slow everything.
    std::atomic<bool> stop{false};
    std::thread stopper(
        [&]
        {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            stop = true;
        });
    auto start = Clock::now();
    EXPECT_TRUE(Search(CCheckerBoard(), {}, stop).hasMove);
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(100 + 2000));
    stopper.join();

    start = Clock::now();
    EXPECT_TRUE(Search(CCheckerBoard(), {.timeMs = 300}).hasMove);
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(300 + 1000));
}
