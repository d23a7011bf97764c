#include "rules/CheckerBoard.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace
{
// Counts complete moves with the public operations only, the way the view
// plays: a multi-jump is one move, continued only by the piece that captured.
std::uint64_t CountMoves(const CCheckerBoard& board, int depth);

std::uint64_t CountFrom(const CCheckerBoard& board, int r, int c, bool continuing, int depth)
{
    const bool black = board.m_side == CCheckerBoard::BlackSide;
    std::vector<int> rows, cols;
    if (continuing)
        black ? board.BlackJumps(r, c, rows, cols) : board.RedJumps(r, c, rows, cols);
    else
        black ? board.BlackMoves(r, c, rows, cols) : board.RedMoves(r, c, rows, cols);
    std::uint64_t count = 0;
    for (std::size_t i = 0; i < rows.size(); ++i)
    {
        CCheckerBoard next = board;
        const MoveResult result =
            black ? next.MoveBlack(r, c, rows[i], cols[i]) : next.MoveRed(r, c, rows[i], cols[i]);
        if (result == MoveCaptureAgain)
            count += CountFrom(next, rows[i], cols[i], true, depth);
        else if (result != MoveRefused)
            count += depth == 1 ? 1 : CountMoves(next, depth - 1);
    }
    return count;
}

std::uint64_t CountMoves(const CCheckerBoard& board, int depth)
{
    std::uint64_t count = 0;
    for (int square = 0; square < 64; ++square)
        count += CountFrom(board, square / 8, square % 8, false, depth);
    return count;
}
} // namespace

TEST(MoveCount, MatchesKnownCountsFromInitialPosition)
{
    const std::uint64_t expected[] = {7, 49, 302, 1469, 7361};
    for (int depth = 1; depth <= 5; ++depth)
        EXPECT_EQ(CountMoves(CCheckerBoard(), depth), expected[depth - 1]) << "depth " << depth;
}
