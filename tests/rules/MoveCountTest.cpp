#include "rules/CheckerBoard.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace
{
// Counts complete moves with the public operations only, as the view plays
// them: a multi-jump is one move, continued only by captures of the piece
// that made the previous one.

bool Scan(const CCheckerBoard& board, bool jumpsOnly, int r, int c, std::vector<int>& rows,
          std::vector<int>& cols)
{
    if (board.m_side == CCheckerBoard::BlackSide)
        return jumpsOnly ? board.BlackJumps(r, c, rows, cols) : board.BlackMoves(r, c, rows, cols);
    return jumpsOnly ? board.RedJumps(r, c, rows, cols) : board.RedMoves(r, c, rows, cols);
}

MoveResult Play(CCheckerBoard& board, int fr, int fc, int tr, int tc)
{
    return board.m_side == CCheckerBoard::BlackSide ? board.MoveBlack(fr, fc, tr, tc)
                                                    : board.MoveRed(fr, fc, tr, tc);
}

std::uint64_t CountMoves(const CCheckerBoard& board, int depth);

std::uint64_t CountFrom(const CCheckerBoard& board, int r, int c, bool jumpsOnly, int depth)
{
    std::vector<int> rows;
    std::vector<int> cols;
    Scan(board, jumpsOnly, r, c, rows, cols);
    std::uint64_t count = 0;
    for (std::size_t i = 0; i < rows.size(); ++i)
    {
        CCheckerBoard next = board;
        const MoveResult result = Play(next, r, c, rows[i], cols[i]);
        if (result == MoveCaptureAgain)
            count += CountFrom(next, rows[i], cols[i], true, depth);
        else if (result != MoveRefused)
            count += CountMoves(next, depth - 1);
    }
    return count;
}

std::uint64_t CountMoves(const CCheckerBoard& board, int depth)
{
    if (depth == 0)
        return 1;
    std::uint64_t count = 0;
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c)
            count += CountFrom(board, r, c, false, depth);
    return count;
}
} // namespace

TEST(MoveCount, MatchesKnownCountsFromInitialPosition)
{
    const CCheckerBoard start;
    const std::uint64_t expected[] = {7, 49, 302, 1469, 7361};
    for (int depth = 1; depth <= 5; ++depth)
        EXPECT_EQ(CountMoves(start, depth), expected[depth - 1]) << "depth " << depth;
}
