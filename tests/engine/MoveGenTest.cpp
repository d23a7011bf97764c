#include "engine/MoveGen.h"
#include "engine/Perft.h"
#include "notation/BoardMoves.h"
#include "notation/Fen.h"
#include "notation/Squares.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>

namespace
{
// The same count through the rules' own operations; a finished game has no
// moves (the board would still take them).
std::uint64_t RulesPerft(const CCheckerBoard& board, int depth)
{
    const std::vector<NotatedMove> moves =
        board.IsGameOver() ? std::vector<NotatedMove>() : ListLegalMoves(board);
    if (depth == 1)
        return moves.size();
    std::uint64_t count = 0;
    for (const NotatedMove& move : moves)
    {
        CCheckerBoard next = board;
        PlayMove(next, move);
        count += RulesPerft(next, depth - 1);
    }
    return count;
}

// The engine and the rules agree on `board`: whether the game is over, and
// if not, every move and the position each one leads to.
void ExpectSameAsRules(const CCheckerBoard& board)
{
    const CPosition position = CPosition::FromBoard(board);
    ASSERT_EQ(position.IsOver(), board.IsGameOver()) << board;
    if (board.IsGameOver())
        return;
    std::set<std::string> engine, rules;
    for (const NotatedMove& move : ListLegalMoves(board))
        rules.insert(PrintMove(move));
    CMoveList list;
    GenerateMoves(position, list);
    for (int i = 0; i < list.Size(); ++i)
    {
        engine.insert(PrintMove(ToNotated(list[i])));
        CCheckerBoard next = board;
        ASSERT_NE(PlayMove(next, ToNotated(list[i])), MoveRefused) << board;
        CPosition expected = CPosition::FromBoard(next);
        expected.m_side = position.m_side ^ 1; // the board keeps the turn after a final capture
        EXPECT_EQ(position.After(list[i]), expected) << board;
    }
    EXPECT_EQ(engine, rules) << board;
}
} // namespace

TEST(EngineMoves, EqualTheRulesInPerftAndInEveryKindOfPosition)
{
    const std::uint64_t known[] = {7, 49, 302, 1469, 7361};
    for (int depth = 1; depth <= 5; ++depth)
        EXPECT_EQ(Perft(CPosition::Start(), depth), known[depth - 1]) << "depth " << depth;
    EXPECT_EQ(Perft(CPosition::Start(), 7), RulesPerft(CCheckerBoard(), 7));
    EXPECT_FALSE(Perft(CPosition::Start(), 12, 1000)) << "over budget";

    const struct
    {
        const char* fen;
        int deadSquare; // 0: none
    } positions[] = {
        {"B:W16,24,28:B11,15,19", 0},    // the game-over cut ends the capture
        {"B:W26,27,19:B22", 0},          // crowned mid-capture, goes on as a king
        {"B:W6,7,14,15:B2", 0},          // two paths between the same squares
        {"W:W30:B25,26,5", 0},           // a choice of captures
        {"W:WK3,26:B7,K30", 0},          // kings of both colours
        {"B:W15,16,23,24,32:BK11", 0},   // a king round a ring of captures, both ways
        {"W:W5,7:B3,K14", 0},            // red men one step from crowning
        {"B:W4:B12", 0},                 // red blocked: over
        {"B:W15:B11", 0},                // the last piece can be taken
        {"B:W21,22,23,24:B9,10,11", 14}, // a dead square nothing steps onto
        {"W:W19:B15,K24", 10},           // a jump onto a dead square is no jump
    };
    for (const auto& p : positions)
    {
        CCheckerBoard board = BoardFromFen(ParseFen(p.fen).value());
        if (int row, col; SquareRowCol(p.deadSquare, row, col))
            board.m_cells[8 * row + col] = CCheckerBoard::Light;
        SCOPED_TRACE(p.fen);
        ExpectSameAsRules(board);
    }

    // And along random games, to their ends.
    std::mt19937 random(7);
    for (int game = 0; game < 30; ++game)
    {
        CCheckerBoard board;
        for (int ply = 0; ply < 300; ++ply)
        {
            ExpectSameAsRules(board);
            if (testing::Test::HasFatalFailure() || board.IsGameOver())
                break;
            const std::vector<NotatedMove> moves = ListLegalMoves(board);
            PlayMove(board, moves[random() % moves.size()]);
        }
    }
}
