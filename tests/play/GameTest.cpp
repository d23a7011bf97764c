// Games played through the view's mouse handlers: the board record, the
// chips in the scene and the camera after every move.

#include <chrono>

#include <gtest/gtest.h>

#include "ViewTestSupport.h"
#include "WxTestEnvironment.h"

namespace
{
void ExpectChoosingChip(const CChildView& view)
{
    EXPECT_TRUE(view.m_pickingChip);
    EXPECT_FALSE(view.m_jumpPending);
    EXPECT_FALSE(view.m_selectedChip);
    EXPECT_EQ(HintCount(view), 0u);
}

// Plays (fr, fc) to (tr, tc) on the view and on `expected` alike.
void Play(ViewWindow& window, CCheckerBoard& expected, int fr, int fc, int tr, int tc)
{
    Click(window, fr, fc);
    Click(window, tr, tc);
    const MoveResult result = expected.m_side == 0 ? expected.MoveBlack(fr, fc, tr, tc)
                                                   : expected.MoveRed(fr, fc, tr, tc);
    EXPECT_EQ(window.View().m_board, expected) << "result " << result;
    EXPECT_TRUE(ChipsMatchBoard(window.View()));
}
} // namespace

TEST(PlayGame, OpeningWithRefusalsAndACompulsoryCapture)
{
    ViewWindow window(wxSize(320, 240));
    CChildView& view = window.View();
    CCheckerBoard expected;

    // Nothing chosen: a release does nothing. A red chip may be chosen while
    // black is to move; the move is refused and the selection dropped.
    view.LButtonUp();
    Click(window, 5, 1);
    EXPECT_EQ(HintCount(view), 1u);
    Click(window, 4, 0);
    ExpectChoosingChip(view);
    Play(window, expected, 2, 2, 1, 1); // backward onto a chip
    ExpectChoosingChip(view);

    Play(window, expected, 2, 2, 3, 3);
    EXPECT_FALSE(view.m_captureTurn); // a step hops low
    EXPECT_TRUE(EyeAtX(view, -20.0)); // turned to red
    EXPECT_FALSE(view.m_facingSide0);
    ExpectChoosingChip(view);
    Play(window, expected, 5, 5, 4, 4);
    EXPECT_TRUE(EyeAtX(view, 20.0));

    // (3, 3) must take (4, 4): a step elsewhere is refused, nothing slides.
    const unsigned long paints = view.GetPaintCount();
    Play(window, expected, 2, 0, 3, 1);
    EXPECT_EQ(view.GetPaintCount(), paints);
    ExpectChoosingChip(view);
    Play(window, expected, 3, 3, 5, 5);
    EXPECT_TRUE(view.m_captureTurn); // a capture hops high
    EXPECT_TRUE(EyeAtX(view, -20.0));
    Play(window, expected, 6, 6, 4, 4);
    EXPECT_TRUE(EyeAtX(view, 20.0));
}

TEST(PlayGame, MultiJumpCrownsMidCaptureAndEndsWithTenHalfTurns)
{
    ViewWindow window(wxSize(320, 240));
    CChildView& view = window.View();
    CCommandSeams seams;
    CCheckerBoard expected = EmptyBoard();
    expected.m_cells[8 * 3 + 1] = expected.m_cells[0] = CCheckerBoard::BlackMan;
    for (const int square : {8 * 4 + 2, 8 * 6 + 4, 8 * 6 + 6})
        expected.m_cells[square] = CCheckerBoard::RedMan;
    seams.Load(view, expected);

    // The slide moves the chosen chip; the highlight stays on the landing square.
    const CSGPtr firstSlider = ChipAt(view, 3, 1);
    Play(window, expected, 3, 1, 5, 3);
    EXPECT_TRUE(view.m_jumpPending);
    EXPECT_EQ(HintCount(view), 1u);
    EXPECT_GT(Transform(firstSlider.get()).m_translation[0], 1.9); // two columns on
    EXPECT_TRUE(EyeAtX(view, 20.0));

    // Only a landing square of this piece is taken: not another own chip,
    // not an empty square, not a press off the board.
    Click(window, 0, 0);
    Click(window, 4, 4);
    view.LButtonDown(wxPoint(0, 0));
    EXPECT_EQ(view.m_board, expected);
    EXPECT_TRUE(view.m_jumpPending);
    EXPECT_EQ(HintCount(view), 1u);

    // Crowned on the far row mid-capture; the chip now on (5, 3) slides.
    const CSGPtr secondSlider = ChipAt(view, 5, 3);
    ASSERT_TRUE(secondSlider);
    Click(window, 7, 5);
    expected.MoveBlack(5, 3, 7, 5);
    EXPECT_EQ(view.m_board, expected);
    EXPECT_TRUE(view.m_jumpPending);
    EXPECT_NE(Transform(secondSlider.get()).m_translation[2], 0.0);
    ASSERT_TRUE(ChipAt(view, 7, 5));
    EXPECT_DOUBLE_EQ(Cylinder(ChipAt(view, 7, 5)).m_height, 0.3); // a king stands twice as high

    // The king's backward capture ends the game: "No Spin" goes off and the
    // camera circles five times, back where it started.
    RunCommand(view, &CChildView::OnNoSpin);
    const unsigned long paints = view.GetPaintCount();
    Play(window, expected, 7, 5, 5, 7); // the press on (7, 5) is ignored
    EXPECT_FALSE(expected.RedHasMove());
    EXPECT_FALSE(view.m_noSpin);
    EXPECT_EQ(view.GetPaintCount() - paints, 50u + 10u * 90u);
    EXPECT_TRUE(EyeAtX(view, 20.0));
    EXPECT_TRUE(view.m_facingSide0);
    ExpectChoosingChip(view);
}

TEST(PlayGame, SlideTakesFiftyFramesAndTheTurnNinetyAtTheFrameFloorDrivenByTheTimer)
{
    ViewWindow window(wxSize(320, 240));
    CChildView& view = window.View();
    RunCommand(view, &CChildView::OnNoSpin); // the slide alone first
    Click(window, 2, 2);
    view.LButtonDown(SquarePoint(window, 3, 3));

    // The handlers return at once; the frames come from the event loop.
    COpenGLWnd::SetFrameFloorEnabled(true);
    const auto timed = [&view](auto action, unsigned long frames)
    {
        PumpFor(std::chrono::milliseconds(50)); // repaints still pending go first
        const unsigned long paints = view.GetPaintCount();
        const auto start = std::chrono::steady_clock::now();
        action();
        EXPECT_FALSE(view.BoardIsReady());
        EXPECT_LE(view.GetPaintCount() - paints, 1u) << "painted inside the handler";
        EXPECT_TRUE(PumpUntil([&view] { return view.BoardIsReady(); }));
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        // The end state's own repaint may come before the last check.
        EXPECT_GE(view.GetPaintCount() - paints, frames);
        EXPECT_LE(view.GetPaintCount() - paints, frames + 1);
        EXPECT_GE(took.count(), (frames - 1) / 60.0);
        return std::to_string(took.count());
    };
    RecordProperty("slide_seconds", timed([&] { view.LButtonUp(); }, 50));
    // Switching "No Spin" off turns the camera to red, who is to move.
    RecordProperty("spin_seconds", timed(
                                       [&]
                                       {
                                           wxCommandEvent command;
                                           view.OnNoSpin(command);
                                       },
                                       90));
    COpenGLWnd::SetFrameFloorEnabled(false);
    EXPECT_TRUE(EyeAtX(view, -20.0));
}
