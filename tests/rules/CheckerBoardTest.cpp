#include "rules/CheckerBoard.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string_view>
#include <utility>
#include <vector>

namespace
{
using Squares = std::vector<std::pair<int, int>>;

// A position drawn with the saved-game letters, row 7 first, column 0 on the left.
CCheckerBoard Diagram(std::string_view text, std::int32_t side = CCheckerBoard::BlackSide)
{
    CCheckerBoard board;
    int i = 0;
    for (const char letter : text)
    {
        if (std::isspace(static_cast<unsigned char>(letter)))
            continue;
        const std::int32_t code = CCheckerBoard::CodeOf(letter);
        if (code < 0 || i >= 64)
            return ADD_FAILURE() << "bad diagram at letter " << i, board;
        board.m_cells[8 * (7 - i / 8) + i % 8] = code;
        ++i;
    }
    EXPECT_EQ(i, 64) << "a diagram has 64 letters";
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
const char* const kRefusalPosition = R"(
    X _ X _ X _ X _
    _ X _ X _ X _ X
    X _ X _ X _ X _
    r X _ X _ X _ X
    X r X _ X b X _
    _ X b X B X _ X
    X R X _ X _ X _
    _ X _ X _ X _ X)";
} // namespace

// The starting cells themselves are pinned by the saved-game bytes and the
// move counts.
TEST(CheckerBoard, BlackMovesFirstAndResetRestoresTheStart)
{
    CCheckerBoard board;
    const CCheckerBoard start = board;
    EXPECT_EQ(board.MoveRed(5, 1, 4, 0), MoveRefused) << "black moves first";
    EXPECT_EQ(board.MoveBlack(2, 0, 3, 1), MoveTurnPassed);
    EXPECT_EQ(board.m_cells[8 * 2], CCheckerBoard::Empty);
    EXPECT_EQ(board.m_cells[8 * 3 + 1], CCheckerBoard::BlackMan);
    EXPECT_EQ(board.m_side, CCheckerBoard::RedSide);
    board.Reset();
    EXPECT_EQ(board, start);
}

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
        const CCheckerBoard before =
            red ? Mirror(Diagram(kRefusalPosition)) : Diagram(kRefusalPosition);
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

TEST(CheckerBoard, CaptureIsCompulsoryForEveryPiece)
{
    CCheckerBoard board = Diagram(kRefusalPosition, CCheckerBoard::RedSide);
    const CCheckerBoard before = board;
    EXPECT_EQ(board.MoveBlack(2, 2, 3, 3), MoveRefused) << "not black's turn";
    EXPECT_EQ(board.MoveRed(1, 1, 2, 0), MoveRefused) << "another piece can capture";
    EXPECT_EQ(board.MoveRed(3, 1, 2, 0), MoveRefused) << "this piece can capture";
    EXPECT_EQ(board, before);
    EXPECT_EQ(board.MoveRed(3, 1, 1, 3), MoveTurnPassed);
    EXPECT_EQ(board.m_cells[8 * 2 + 2], CCheckerBoard::Empty);
}

TEST(CheckerBoard, MultiJumpCrownsMidwayAndGoesOnBackwardAsKing)
{
    const CCheckerBoard start = Diagram(R"(
        X r X _ X _ X _
        _ X _ X r X r X
        X _ X _ X _ X _
        _ X r X _ X _ X
        X b X _ X _ X _
        _ X _ X _ X _ X
        X _ X _ X _ X _
        _ X _ X _ X _ X)");
    CCheckerBoard board = start;
    EXPECT_EQ(board.MoveBlack(3, 1, 5, 3), MoveCaptureAgain);
    EXPECT_EQ(board.MoveBlack(5, 3, 7, 5), MoveCaptureAgain);
    EXPECT_EQ(board.m_cells[8 * 7 + 5], CCheckerBoard::BlackKing);
    EXPECT_EQ(board.m_side, CCheckerBoard::BlackSide);
    EXPECT_EQ(MoveList(board, false, 7, 5), (Squares{{5, 7}, {6, 4}}));
    EXPECT_EQ(board.MoveBlack(7, 5, 5, 7), MoveTurnPassed);
    EXPECT_EQ(board.m_side, CCheckerBoard::RedSide);

    // Without the red man on (7, 1) the last capture takes the last red piece.
    board = start;
    board.m_cells[8 * 7 + 1] = CCheckerBoard::Empty;
    board.MoveBlack(3, 1, 5, 3);
    board.MoveBlack(5, 3, 7, 5);
    EXPECT_EQ(board.MoveBlack(7, 5, 5, 7), MoveGameOver);
    EXPECT_EQ(board.m_side, CCheckerBoard::BlackSide) << "the capturer keeps the move";
    EXPECT_EQ(board.MoveBlack(5, 7, 6, 6), MoveGameOver) << "moves are still accepted";
}

TEST(CheckerBoard, StepLeavingEitherSideWithoutMoveEndsTheGame)
{
    CCheckerBoard blocksRed = Diagram(R"(
        X _ X _ X _ X _
        _ X _ X _ X _ X
        X _ X _ X _ X _
        _ X _ X _ X _ X
        X _ X _ X _ X _
        _ X _ X _ X _ X
        X _ X _ X B X r
        _ X _ X _ X _ X)");
    EXPECT_EQ(blocksRed.MoveBlack(1, 5, 0, 6), MoveGameOver);
    EXPECT_EQ(blocksRed.m_side, CCheckerBoard::RedSide);
    EXPECT_FALSE(blocksRed.RedHasMove());

    CCheckerBoard blocksItself = Diagram(R"(
        X r X _ X _ X _
        _ X _ X _ X _ X
        X b X _ X _ X _
        _ X _ X _ X _ X
        X _ X _ X _ X _
        _ X _ X _ X _ X
        X _ X _ X _ X _
        _ X _ X _ X _ X)");
    EXPECT_EQ(blocksItself.MoveBlack(5, 1, 6, 0), MoveGameOver);
    EXPECT_EQ(blocksItself.m_side, CCheckerBoard::RedSide);
    EXPECT_FALSE(blocksItself.BlackHasMove());
    EXPECT_EQ(blocksItself.MoveRed(7, 1, 6, 2), MoveTurnPassed) << "red can still move";
}

TEST(CheckerBoard, ScansListCapturesFirstThenStepsInDirectionOrder)
{
    const CCheckerBoard king = Diagram(R"(
        X _ X _ X _ X _
        _ X _ X _ X _ X
        X _ X _ X _ X _
        _ X _ X r X _ X
        X _ X B X _ X _
        _ X r X _ X _ X
        X _ X _ X _ X _
        _ X _ X _ X _ X)");
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
