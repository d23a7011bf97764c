// Whole games played through the view's mouse handlers: the board record,
// the chips in the scene and the camera after every move.

#include <chrono>

#include <gtest/gtest.h>

#include "PlayTestSupport.h"
#include "scene/SGRotationTranslation.h"

namespace
{
// The camera's two ends: side 0 (black) looks from +X, side 1 from -X.
constexpr double kEyeX = 20.0;
constexpr double kEyeY = 12.0;

const CSGRotationTranslation& Node(const CSGPtr& node)
{
    return static_cast<const CSGRotationTranslation&>(*node);
}

// The chip's inner transform lifts it by its height: 0.3 for a king.
double ChipHeight(const CChildView& view, int row, int col)
{
    const auto& outer = Node(view.m_chipNodes[8 * (7 - col) + row]);
    return static_cast<const CSGRotationTranslation&>(*outer.Child(0)).m_translation[1];
}

void ExpectChoosingChip(const CChildView& view)
{
    EXPECT_TRUE(view.m_pickingChip);
    EXPECT_FALSE(view.m_jumpPending);
    EXPECT_FALSE(view.m_selectedChip);
    EXPECT_EQ(HintCount(view), 0u);
}
} // namespace

TEST(PlayGame, OpeningWithCompulsoryCaptureTurnsTheCameraEachMove)
{
    ViewWindow window(wxSize(320, 240));
    CChildView& view = window.View();
    CCheckerBoard expected;

    PlayMove(window, 2, 2, 3, 3);
    ASSERT_EQ(expected.MoveBlack(2, 2, 3, 3), MoveTurnPassed);
    EXPECT_EQ(view.m_board, expected);
    EXPECT_TRUE(ChipsMatchBoard(view));
    EXPECT_FALSE(view.m_captureTurn); // a plain step hops low
    EXPECT_TRUE(EyeAt(view, -kEyeX, kEyeY, 0.0));
    EXPECT_FALSE(view.m_facingSide0);
    ExpectChoosingChip(view);

    PlayMove(window, 5, 5, 4, 4);
    ASSERT_EQ(expected.MoveRed(5, 5, 4, 4), MoveTurnPassed);
    EXPECT_EQ(view.m_board, expected);
    EXPECT_TRUE(EyeAt(view, kEyeX, kEyeY, 0.0));

    // (3, 3) can take (4, 4): every other step is refused, and the refusal
    // drops the selection without animating or turning anything.
    const CSGPtr chipBefore = view.m_chipNodes[8 * 7 + 2];
    const unsigned long paints = view.GetPaintCount();
    PlayMove(window, 2, 0, 3, 1);
    EXPECT_EQ(view.m_board, expected);
    EXPECT_EQ(view.m_chipNodes[8 * 7 + 2].get(), chipBefore.get());
    EXPECT_LT(view.GetPaintCount() - paints, 5u);
    ExpectChoosingChip(view);

    PlayMove(window, 3, 3, 5, 5);
    ASSERT_EQ(expected.MoveBlack(3, 3, 5, 5), MoveTurnPassed);
    EXPECT_EQ(view.m_board, expected);
    EXPECT_TRUE(view.m_captureTurn); // the capture hops high
    EXPECT_TRUE(ChipsMatchBoard(view));
    EXPECT_TRUE(EyeAt(view, -kEyeX, kEyeY, 0.0));

    PlayMove(window, 6, 6, 4, 4);
    ASSERT_EQ(expected.MoveRed(6, 6, 4, 4), MoveTurnPassed);
    EXPECT_EQ(view.m_board, expected);
    EXPECT_TRUE(ChipsMatchBoard(view));
    EXPECT_TRUE(EyeAt(view, kEyeX, kEyeY, 0.0));
}

TEST(PlayGame, MultiJumpCrownsMidCaptureAndEndsWithTenHalfTurns)
{
    ViewWindow window(wxSize(320, 240));
    CChildView& view = window.View();
    CCommandSeams seams;
    CCheckerBoard start = EmptyBoard();
    start.m_cells[8 * 3 + 1] = CCheckerBoard::BlackMan;
    start.m_cells[8 * 0 + 0] = CCheckerBoard::BlackMan;
    for (const int square : {8 * 4 + 2, 8 * 6 + 4, 8 * 6 + 6})
        start.m_cells[square] = CCheckerBoard::RedMan;
    LoadPosition(view, seams, start);
    ASSERT_EQ(view.m_board, start);

    // First capture: the same piece must go on; the highlight marks it.
    const CSGPtr firstSlider = view.m_chipNodes[8 * 6 + 3];
    PlayMove(window, 3, 1, 5, 3);
    EXPECT_TRUE(view.m_jumpPending);
    EXPECT_FALSE(view.m_pickingChip);
    EXPECT_EQ(HintCount(view), 1u);
    EXPECT_EQ(view.m_board.m_side, CCheckerBoard::BlackSide);
    EXPECT_TRUE(ChipsMatchBoard(view));
    EXPECT_TRUE(EyeAt(view, kEyeX, kEyeY, 0.0));
    EXPECT_GT(Node(firstSlider).m_translation[0], 1.9); // slid two columns on

    // Only the listed landing square is taken: another own chip, an empty
    // square and a press off the board change nothing.
    const CCheckerBoard midJump = view.m_board;
    Click(view, SquarePoint(window, 0, 0));
    Click(view, SquarePoint(window, 4, 4));
    Click(view, wxPoint(0, 0));
    EXPECT_EQ(view.m_board, midJump);
    EXPECT_TRUE(view.m_jumpPending);
    EXPECT_EQ(HintCount(view), 1u);

    // Second capture lands on the far row: crowned, and it goes on as a king.
    const CSGPtr secondSlider = view.m_chipNodes[8 * 4 + 5];
    Click(view, SquarePoint(window, 7, 5));
    EXPECT_EQ(view.m_board.m_cells[8 * 7 + 5], CCheckerBoard::BlackKing);
    EXPECT_TRUE(view.m_jumpPending);
    EXPECT_DOUBLE_EQ(ChipHeight(view, 7, 5), 0.3);
    EXPECT_NE(Node(secondSlider).m_translation[2], 0.0); // the chip now on (5, 3) slid

    // The king's backward capture takes the last red piece.
    wxCommandEvent command;
    view.OnNoSpin(command);
    ASSERT_TRUE(view.m_noSpin);
    const unsigned long paints = view.GetPaintCount();
    Click(view, SquarePoint(window, 5, 7));
    EXPECT_EQ(view.m_board.m_cells[8 * 5 + 7], CCheckerBoard::BlackKing);
    EXPECT_FALSE(view.m_board.RedHasMove());
    EXPECT_TRUE(ChipsMatchBoard(view));
    EXPECT_FALSE(view.m_noSpin);
    // 50 slide frames and ten half-turns of 90, no more.
    EXPECT_GE(view.GetPaintCount() - paints, 950u);
    EXPECT_LT(view.GetPaintCount() - paints, 1040u);
    EXPECT_TRUE(EyeAt(view, kEyeX, kEyeY, 0.0));
    EXPECT_TRUE(view.m_facingSide0);
    ExpectChoosingChip(view);
}

TEST(PlayGame, RefusalsDropTheSelection)
{
    ViewWindow window(wxSize(320, 240));
    CChildView& view = window.View();
    const CCheckerBoard initial;

    // A release with nothing chosen does nothing.
    view.LButtonUp();
    ExpectChoosingChip(view);

    // A red chip may be chosen while black is to move; the move is refused.
    Click(view, SquarePoint(window, 5, 1));
    EXPECT_FALSE(view.m_pickingChip);
    EXPECT_EQ(HintCount(view), 1u);
    Click(view, SquarePoint(window, 4, 0));
    EXPECT_EQ(view.m_board, initial);
    ExpectChoosingChip(view);

    // Backward onto an occupied square, and no diagonal step at all.
    PlayMove(window, 2, 2, 1, 1);
    PlayMove(window, 2, 2, 3, 5);
    EXPECT_EQ(view.m_board, initial);
    ExpectChoosingChip(view);
}

TEST(PlayGame, SpinningBackOnAfterMovesFacesTheSideToMove)
{
    ViewWindow window(wxSize(320, 240));
    CChildView& view = window.View();
    wxCommandEvent command;
    view.OnNoSpin(command);
    PlayMove(window, 2, 2, 3, 3);
    PlayMove(window, 5, 5, 4, 4);
    EXPECT_TRUE(EyeAt(view, kEyeX, kEyeY, 0.0)); // no turns while "No Spin" is checked

    // Black to move and the camera still at black's end: nothing to turn.
    view.OnNoSpin(command);
    EXPECT_TRUE(EyeAt(view, kEyeX, kEyeY, 0.0));
    EXPECT_TRUE(view.m_facingSide0);
}

TEST(PlayGame, SlidePaintsFiftyFramesAtTheFrameFloor)
{
    ViewWindow window(wxSize(320, 240));
    CChildView& view = window.View();
    wxCommandEvent command;
    view.OnNoSpin(command); // only the slide is timed
    Click(view, SquarePoint(window, 2, 2));
    view.LButtonDown(SquarePoint(window, 3, 3));

    COpenGLWnd::SetFrameFloorEnabled(true);
    const unsigned long paints = view.GetPaintCount();
    const auto start = std::chrono::steady_clock::now();
    view.LButtonUp();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    COpenGLWnd::SetFrameFloorEnabled(false);

    EXPECT_EQ(view.GetPaintCount() - paints, 50u);
    EXPECT_GE(took.count(), 50.0 / 60.0);
    RecordProperty("slide_seconds", std::to_string(took.count()));
}
