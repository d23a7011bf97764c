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

// The boards of a game from `fen` through `moves`, each after a whole move.
std::vector<CCheckerBoard> Game(const char* fen, const std::vector<const char*>& moves)
{
    std::vector<CCheckerBoard> game{BoardFromFen(ParseFen(fen).value())};
    for (const char* text : moves)
    {
        CCheckerBoard next = game.back();
        EXPECT_NE(PlayMove(next, ParseMove(text).value()), MoveRefused) << text;
        game.push_back(next);
    }
    return game;
}

// A made-up game of `quiet` king moves before a position where black, with
// one king against two, is to move: only the counts matter, so the
// positions need not follow from one another, and none repeats.
std::vector<CPosition> QuietGame(int quiet)
{
    std::vector<CPosition> game;
    for (int i = 80 - quiet - 1; i < 80; ++i)
    {
        CPosition position;
        position.m_black = bitboard::Bit(i % 12);
        position.m_red = bitboard::Bit(20 + i / 12) | bitboard::Bit(31);
        position.m_kings = position.m_black | position.m_red;
        position.m_side = (i + 1) % 2 == 0 ? CPosition::Black : CPosition::Red;
        game.push_back(position);
    }
    return game;
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
        {"B:W18,23,25,26:B9,13,14,16", 7, "16-19", 0, 100}, // give one, take three
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

    // On a game clock the answer comes well before the clock runs out,
    // even with the clock nearly gone.
    for (int clockMs : {1000, 30})
    {
        start = Clock::now();
        EXPECT_TRUE(Search(CCheckerBoard(), {.clockMs = clockMs}).hasMove);
        EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(clockMs * 3 / 5 + 300));
    }
}

TEST(EngineSearch, ScoresTheDrawsAPlayerCouldClaim)
{
    // Black's king against two red kings goes back and forth between 1 and
    // 6 while one red king does the same between 30 and 26.
    const char* start = "B:WK30,K31:BK1";
    const std::vector<const char*> cycle = {"1-6",   "30-26", "6-1",   "26-30", "1-6",
                                            "30-26", "6-1",   "26-30", "1-6",   "30-26"};
    const std::atomic<bool> stop{false};
    const SearchLimits limits{.depth = 9};
    // Alone, the position is worse for black by a king...
    const CCheckerBoard root = Game(start, cycle).back();
    EXPECT_LT(CSearch(1).Run(root, limits, stop).info.score, -10);
    // ...but after this game 6-1 makes a position's third occurrence.
    const SearchResult drawn = CSearch(1).Run(Game(start, cycle), limits, stop);
    EXPECT_EQ(drawn.info.score, 0);
    // Red, ahead, does not walk into the draw one move earlier (26-30 would
    // make the third occurrence); it keeps its advantage.
    std::vector<const char*> shorter(cycle.begin(), cycle.end() - 1);
    const SearchResult ahead = CSearch(1).Run(Game(start, shorter), limits, stop);
    EXPECT_NE(PrintMove(ahead.move), "26-30");
    EXPECT_GT(ahead.info.score, 10);

    // 79 quiet plies: any black move makes the 80th, a claimable draw.
    EXPECT_EQ(CSearch(1).Run(QuietGame(79), limits, stop).info.score, 0);
    // Far from the claim the lead counts, though less the longer nothing happens.
    const int fresh = CSearch(1).Run(QuietGame(0), limits, stop).info.score;
    const int stale = CSearch(1).Run(QuietGame(60), limits, stop).info.score;
    EXPECT_LT(fresh, stale);
    EXPECT_LT(stale, 0);

    EXPECT_FALSE(CSearch(1).Run(std::vector<CCheckerBoard>{}, limits, stop).hasMove);
}

TEST(EngineSearch, ReportsEveryIterationAndKeepsToANodeBudget)
{
    const std::atomic<bool> stop{false};
    std::vector<SearchInfo> reports;
    const SearchResult result =
        CSearch(1).Run(CCheckerBoard(), {.nodes = 60'000}, stop,
                       [&](const SearchInfo& info) { reports.push_back(info); });
    ASSERT_FALSE(reports.empty());
    for (std::size_t i = 0; i < reports.size(); ++i)
    {
        EXPECT_EQ(reports[i].depth, static_cast<int>(i) + 1);
        EXPECT_FALSE(reports[i].pv.empty());
        EXPECT_LE(reports[i].nodes, 60'000u);
    }
    // The budget is checked every 512 nodes, so it overshoots by less.
    EXPECT_GE(result.info.nodes, 60'000u);
    EXPECT_LT(result.info.nodes, 60'000u + 512);
    EXPECT_TRUE(result.info.nodesPerSecond > 0 || result.info.timeMs == 0);
    // Node budgets do not depend on the machine: the same search again
    // gives the same move and count.
    const SearchResult again = CSearch(1).Run(CCheckerBoard(), {.nodes = 60'000}, stop);
    EXPECT_EQ(again.move, result.move);
    EXPECT_EQ(again.info.nodes, result.info.nodes);
}

TEST(EngineSearch, JudgesWhetherItCanStillWinFromItsOwnScore)
{
    // A king each is level for both sides; two kings against one win for
    // the two, and the one cannot win. A forced win found counts whatever
    // the estimate says.
    const std::atomic<bool> stop{false};
    const auto cannotWin = [&](const char* fen)
    {
        const SearchInfo info =
            Search(BoardFromFen(ParseFen(fen).value()), LimitsForJudging(EngineLevel::Expert), stop)
                .info;
        return CannotWin(info.score, info.winMoves);
    };
    EXPECT_TRUE(cannotWin("B:WK32:BK1"));
    EXPECT_TRUE(cannotWin("W:WK32:BK1"));
    EXPECT_TRUE(cannotWin("B:WK30,K31:BK1"));
    EXPECT_FALSE(cannotWin("W:WK30,K31:BK1"));
    EXPECT_FALSE(CannotWin(kLevelMargin, 12));
}
