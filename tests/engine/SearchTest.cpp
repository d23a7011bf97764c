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
CCheckerBoard Board(const char* fen)
{
    return BoardFromFen(ParseFen(fen).value());
}

SearchResult SearchDepth(const CCheckerBoard& board, int depth)
{
    CSearch search(1);
    const std::atomic<bool> stop{false};
    SearchLimits limits;
    limits.depth = depth;
    return search.Run(board, limits, stop);
}

int Ms(std::chrono::steady_clock::duration d)
{
    return static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(d).count());
}
} // namespace

TEST(EngineSearch, FindsForcedWinsShotsAndGameEnds)
{
    const struct
    {
        const char* fen;
        int depth;
        const char* move; // nullptr: any
        int winMoves;     // > 0 a win in that many moves, < 0 a loss, 0 none forced
        int minScore;     // the least score expected
    } cases[] = {
        {"B:W15:B11", 3, "11x18", 1, 0},                    // take the last piece
        {"B:W28:B19,20", 3, "20-24", 1, 0},                 // block the last piece
        {"B:W27,28,31:B20", 3, "20-24", -1, -kWinScore},    // the only move leaves black stuck
        {"B:W24:B19,32", 3, "19x28", -1, -kWinScore},       // the last piece taken, both stuck:
                                                            // the capturer keeps the turn and loses
        {"B:W14,16,22:B1,3,7", 7, "7-11", 2, 0},            // give one, take all three
        {"B:W18,23,25,26:B9,13,14,16", 7, "16-19", 0, 150}, // give one, take three
    };
    for (const auto& c : cases)
    {
        const SearchResult result = SearchDepth(Board(c.fen), c.depth);
        ASSERT_TRUE(result.hasMove) << c.fen;
        EXPECT_EQ(PrintMove(result.move), c.move) << c.fen;
        EXPECT_EQ(result.info.winMoves, c.winMoves) << c.fen;
        EXPECT_GE(result.info.score, c.minScore) << c.fen;
    }
    // Two kings catch one in its double corner.
    EXPECT_GT(SearchDepth(Board("B:WK32:BK14,K19"), 24).info.winMoves, 0);

    // Over: the side to move is stuck, the other side is stuck, or has nothing left.
    for (const char* over : {"W:W4:B12", "B:W4:B12", "B:W15"})
        EXPECT_FALSE(SearchDepth(Board(over), 5).hasMove) << over;
}

TEST(EngineSearch, EveryMoveItReturnsIsLegal)
{
    std::mt19937 random(11);
    for (int game = 0; game < 6; ++game)
    {
        CCheckerBoard board;
        for (int ply = 0; ply < 120 && !board.IsGameOver(); ++ply)
        {
            const SearchResult result = SearchDepth(board, 1 + ply % 4);
            ASSERT_TRUE(result.hasMove) << board;
            CCheckerBoard played = board;
            ASSERT_NE(PlayMove(played, result.move), MoveRefused)
                << board << PrintMove(result.move);
            // Half the time a random move instead, for positions the engine would avoid.
            const std::vector<NotatedMove> moves = ListLegalMoves(board);
            PlayMove(board, random() % 2 ? result.move : moves[random() % moves.size()]);
        }
    }
}

TEST(EngineSearch, BeginnerVariesBySeedAndRepeatsItself)
{
    const CCheckerBoard start;
    std::set<std::string> chosen;
    for (std::uint64_t seed = 0; seed < 12; ++seed)
    {
        const SearchLimits limits = LimitsForLevel(EngineLevel::Beginner, seed);
        const std::atomic<bool> stop{false};
        CSearch first(1), second(1);
        const std::string move = PrintMove(first.Run(start, limits, stop).move);
        EXPECT_EQ(PrintMove(second.Run(start, limits, stop).move), move) << "seed " << seed;
        chosen.insert(move);
    }
    EXPECT_GE(chosen.size(), 2u);
}

TEST(EngineSearch, StopsWhenToldAndKeepsToItsTime)
{
    CSearch search(1);
    std::atomic<bool> stop{false};
    const auto started = std::chrono::steady_clock::now();
    std::thread stopper(
        [&]
        {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            stop = true;
        });
    const SearchResult endless = search.Run(CCheckerBoard(), SearchLimits{}, stop);
    stopper.join();
    EXPECT_TRUE(endless.hasMove);
    EXPECT_LT(Ms(std::chrono::steady_clock::now() - started), 100 + 2000);

    stop = false;
    SearchLimits limits;
    limits.timeMs = 300;
    const auto timed = std::chrono::steady_clock::now();
    EXPECT_TRUE(search.Run(CCheckerBoard(), limits, stop).hasMove);
    EXPECT_LT(Ms(std::chrono::steady_clock::now() - timed), 300 + 1000);
}
