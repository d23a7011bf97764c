#include "rules/CheckerBoard.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <tuple>
#include <utility>
#include <vector>

namespace
{
using Squares = std::vector<std::pair<int, int>>;

// Pieces by saved-game letter, row and column on an otherwise empty board.
CCheckerBoard Position(std::initializer_list<std::tuple<char, int, int>> pieces,
                       std::int32_t side = CCheckerBoard::BlackSide)
{
    CCheckerBoard board;
    for (std::int32_t& cell : board.m_cells)
        cell = cell == CCheckerBoard::Light ? cell : CCheckerBoard::Empty;
    for (const auto& [letter, r, c] : pieces)
        board.m_cells[8 * r + c] = CCheckerBoard::CodeOf(letter);
    board.m_side = side;
    return board;
}

// Half a turn with the colours swapped: the same game seen by the other side.
CCheckerBoard Mirror(const CCheckerBoard& board)
{
    static constexpr std::int32_t kSwapped[] = {0, 1, 4, 5, 2, 3};
    CCheckerBoard mirrored;
    for (int i = 0; i < 64; ++i)
        mirrored.m_cells[63 - i] = kSwapped[board.m_cells[i]];
    mirrored.m_side = 1 - board.m_side;
    return mirrored;
}

Squares MoveList(const CCheckerBoard& board, bool red, int r, int c)
{
    std::vector<int> rows{9}, cols{9, 9}; // junk the scan must clear
    red ? board.RedMoves(r, c, rows, cols) : board.BlackMoves(r, c, rows, cols);
    EXPECT_EQ(rows.size(), cols.size());
    Squares squares;
    for (std::size_t i = 0; i < std::min(rows.size(), cols.size()); ++i)
        squares.emplace_back(rows[i], cols[i]);
    return squares;
}

// No black capture anywhere, so each black refusal has its own reason; red
// (3, 1) can capture.
CCheckerBoard RefusalPosition(std::int32_t side = CCheckerBoard::BlackSide)
{
    return Position({{'r', 4, 0}, {'r', 3, 1}, {'b', 3, 5}, {'b', 2, 2}, {'B', 2, 4}, {'R', 1, 1}},
                    side);
}
} // namespace

TEST(CheckerBoard, RefusedMovesLeaveTheBoardUntouched)
{
    const int refusals[][4] = {
        {-1, 1, 0, 0}, {2, 2, 3, -1}, {8, 0, 7, 1}, // off the board
        {2, 3, 3, 4},  {5, 5, 6, 6},  {3, 1, 2, 0}, // from a light, empty or enemy square
        {2, 2, 3, 1},  {2, 2, 2, 2},                // onto a piece
        {2, 4, 5, 7},  {2, 4, 4, 4},  {2, 4, 2, 6}, // three rows, straight, sideways
        {2, 2, 1, 3},  {2, 2, 0, 0},                // a man backward
        {2, 4, 4, 6},  {2, 4, 4, 2},                // capture over an own piece, over nothing
    };
    // Red's rules are black's turned half round: each refusal holds for both.
    for (const bool red : {false, true})
    {
        const CCheckerBoard before = red ? Mirror(RefusalPosition()) : RefusalPosition();
        for (const auto& [fr, fc, tr, tc] : refusals)
        {
            SCOPED_TRACE(testing::Message() << (red ? "red " : "black ") << fr << fc << tr << tc);
            CCheckerBoard board = before;
            EXPECT_EQ(red ? board.MoveRed(7 - fr, 7 - fc, 7 - tr, 7 - tc)
                          : board.MoveBlack(fr, fc, tr, tc),
                      MoveRefused);
            EXPECT_EQ(board, before);
        }
        CCheckerBoard board = before;
        EXPECT_EQ(red ? board.MoveRed(5, 3, 6, 2) : board.MoveBlack(2, 4, 1, 5), MoveTurnPassed)
            << "a king steps backward";
    }
}

TEST(CheckerBoard, CaptureIsCompulsoryForEveryPieceAndResetRestoresTheStart)
{
    CCheckerBoard board = RefusalPosition(CCheckerBoard::RedSide);
    const CCheckerBoard before = board;
    EXPECT_EQ(board.MoveBlack(2, 2, 3, 3), MoveRefused) << "not black's turn";
    EXPECT_EQ(board.MoveRed(1, 1, 2, 0), MoveRefused) << "another piece can capture";
    EXPECT_EQ(board.MoveRed(3, 1, 2, 0), MoveRefused) << "this piece can capture";
    EXPECT_EQ(board, before);
    EXPECT_EQ(board.MoveRed(3, 1, 1, 3), MoveTurnPassed);
    EXPECT_EQ(board.m_cells[8 * 2 + 2], CCheckerBoard::Empty);
    // The start itself is pinned by the saved-game bytes and the move counts.
    board = before; // red to move
    board.Reset();
    EXPECT_EQ(board, CCheckerBoard());
}

TEST(CheckerBoard, MultiJumpCrownsMidwayAndGoesOnBackwardAsKing)
{
    const CCheckerBoard start =
        Position({{'r', 7, 1}, {'r', 6, 4}, {'r', 6, 6}, {'r', 4, 2}, {'b', 3, 1}});
    CCheckerBoard board = start;
    EXPECT_EQ(board.MoveBlack(3, 1, 5, 3), MoveCaptureAgain);
    EXPECT_EQ(board.MoveBlack(5, 3, 7, 5), MoveCaptureAgain);
    EXPECT_EQ(board.m_cells[8 * 7 + 5], CCheckerBoard::BlackKing);
    EXPECT_EQ(board.m_side, CCheckerBoard::BlackSide);
    EXPECT_EQ(MoveList(board, false, 7, 5), (Squares{{5, 7}, {6, 4}}));
    EXPECT_EQ(board.MoveBlack(7, 5, 5, 7), MoveTurnPassed);
    EXPECT_EQ(board.m_side, CCheckerBoard::RedSide);

    // Red crowns on row 0: the same captures turned half round.
    board = Mirror(start);
    board.MoveRed(4, 6, 2, 4);
    EXPECT_EQ(board.MoveRed(2, 4, 0, 2), MoveCaptureAgain);
    EXPECT_EQ(board.m_cells[2], CCheckerBoard::RedKing);

    // Without the red man on (7, 1) the last capture takes the last red piece.
    board = start;
    board.m_cells[8 * 7 + 1] = CCheckerBoard::Empty;
    board.MoveBlack(3, 1, 5, 3);
    board.MoveBlack(5, 3, 7, 5);
    EXPECT_EQ(board.MoveBlack(7, 5, 5, 7), MoveGameOver);
    EXPECT_EQ(board.m_side, CCheckerBoard::BlackSide) << "the capturer keeps the move";
    EXPECT_EQ(board.MoveBlack(5, 7, 6, 6), MoveGameOver) << "moves are still accepted";
}

TEST(CheckerBoard, StepCrownsOnTheFarRowOrEndsTheGameLeavingEitherSideWithoutMove)
{
    CCheckerBoard crowning = Position({{'b', 6, 2}, {'r', 2, 2}});
    EXPECT_EQ(crowning.MoveBlack(6, 2, 7, 3), MoveTurnPassed);
    EXPECT_EQ(crowning.m_cells[8 * 7 + 3], CCheckerBoard::BlackKing);

    CCheckerBoard blocksRed = Position({{'B', 1, 5}, {'r', 1, 7}});
    EXPECT_EQ(blocksRed.MoveBlack(1, 5, 0, 6), MoveGameOver);
    EXPECT_EQ(blocksRed.m_side, CCheckerBoard::RedSide);
    EXPECT_FALSE(blocksRed.RedHasMove());

    CCheckerBoard blocksItself = Position({{'r', 7, 1}, {'b', 5, 1}});
    EXPECT_EQ(blocksItself.MoveBlack(5, 1, 6, 0), MoveGameOver);
    EXPECT_EQ(blocksItself.m_side, CCheckerBoard::RedSide);
    EXPECT_FALSE(blocksItself.BlackHasMove());
    EXPECT_EQ(blocksItself.MoveRed(7, 1, 6, 2), MoveTurnPassed) << "red can still move";
}

TEST(CheckerBoard, ScansListCapturesFirstThenStepsInDirectionOrder)
{
    const CCheckerBoard king = Position({{'r', 4, 4}, {'B', 3, 3}, {'r', 2, 2}});
    EXPECT_EQ(MoveList(king, false, 3, 3), (Squares{{5, 5}, {1, 1}, {4, 2}, {2, 4}}));
    EXPECT_EQ(MoveList(Mirror(king), true, 4, 4), (Squares{{2, 2}, {6, 6}, {3, 5}, {5, 3}}));

    const CCheckerBoard start;
    EXPECT_EQ(MoveList(start, false, 2, 2), (Squares{{3, 3}, {3, 1}}));
    EXPECT_EQ(MoveList(start, true, 5, 1), (Squares{{4, 0}, {4, 2}}));
    for (const auto& [r, c] : Squares{{0, 0}, {-1, 0}, {8, 8}, {5, 1}, {3, 1}})
        EXPECT_EQ(MoveList(start, false, r, c), Squares{}) << r << ", " << c;

    std::vector<int> both;
    EXPECT_TRUE(king.BlackJumps(3, 3, both, both)) << "one list passed twice";
    EXPECT_EQ(both.size(), 4u);
}
