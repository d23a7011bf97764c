// What a left press finds, and the right-button camera drags.

#include <algorithm>
#include <cmath>

#include <gtest/gtest.h>
#include <wx/frame.h>

#include "ViewTestSupport.h"
#include "WxTestEnvironment.h"
#include "view/CommandIds.h"

namespace
{
const wxSize kWindow(640, 480);

void ExpectChosen(const CChildView& view, int gridA, int gridB)
{
    EXPECT_FALSE(view.m_pickingChip);
    EXPECT_EQ(view.m_fromX, gridA);
    EXPECT_EQ(view.m_fromZ, gridB);
}

// What the last normal frame recorded for picking.
std::vector<double> Recorded(const CChildView& view)
{
    std::vector<double> all(view.m_modelview, view.m_modelview + 16);
    all.insert(all.end(), view.m_projection, view.m_projection + 16);
    all.insert(all.end(), view.m_viewport, view.m_viewport + 4);
    return all;
}
} // namespace

TEST(PlayPick, NearestNamedSurfaceDecidesAndMissesChangeNothing)
{
    ViewWindow window(kWindow);
    CChildView& view = window.View();
    CCommandSeams seams;
    CCheckerBoard board = EmptyBoard();
    board.m_cells[8 * 3 + 3] = CCheckerBoard::BlackKing;
    board.m_cells[8 * 4 + 4] = CCheckerBoard::RedMan;
    seams.Load(view, board);
    window.Repaint();

    // The king's top at its far edge. The ray from the eye through it meets
    // the bare board at x < 0: square (4, 3). The nearer hit must decide.
    const wxPoint top = ScreenPoint(window, 0.2, 0.55, 0.5);
    const GrVec3& eye = view.m_camera.m_eye;
    ASSERT_LT(eye[0] + (eye[1] - 0.25) / (eye[1] - 0.55) * (0.2 - eye[0]), 0.0);
    const std::vector<double> recorded = Recorded(view);
    view.LButtonDown(top);
    EXPECT_EQ(Recorded(view), recorded) << "the pick pass must not record its matrices";
    EXPECT_EQ(view.m_pickName, Cylinder(ChipAt(view, 3, 3)).m_name);
    ExpectChosen(view, 4, 4);

    // The sky, and the outer face of the rail nearest the camera, under which
    // no named object lies: nothing changes.
    const CSGPtr chosen = view.m_selectedChip;
    for (const wxPoint miss : {wxPoint(2, 2), ScreenPoint(window, 4.25, 0.25, 0.5)})
    {
        view.LButtonDown(miss);
        EXPECT_EQ(view.m_pickName, -1);
        ExpectChosen(view, 4, 4);
        EXPECT_EQ(view.m_selectedChip.get(), chosen.get());
        EXPECT_EQ(HintCount(view), 1u);
    }
    view.LButtonDown(SquarePoint(window, 5, 5)); // bare board: the destination
    EXPECT_EQ(view.m_pickName, 1);
    EXPECT_EQ(view.m_toX, 2);
    EXPECT_EQ(view.m_toZ, 2);

    // The red man's silhouette: the pixels that change when it is moved away.
    const FrameImage with = window.Capture();
    auto& chip = Transform(ChipAt(view, 4, 4).get());
    chip.m_translation[1] = -1000.0;
    const FrameImage without = window.Capture();
    chip.m_translation[1] = 0.0;
    window.Capture();     // records the matrices again
    wxPoint right(-1, 0); // rightmost silhouette pixel, rows from the top
    for (int y = 0; y < with.height; ++y)
        for (int x = right.x + 1; x < with.width; ++x)
            if (with.At(x, y) != without.At(x, y))
                right = wxPoint(x, with.height - 1 - y);

    // The next pixel's centre lies past every projected point of the rim,
    // yet a press there hits the chip; four pixels out it does not.
    double rim = 0.0;
    for (int k = 0; k < 360; ++k)
        for (const double y : {0.25, 0.4})
            rim = std::max(rim, window
                                    .Project(-0.5 + 0.35 * std::cos(k * M_PI / 180.0), y,
                                             -0.5 + 0.35 * std::sin(k * M_PI / 180.0))
                                    .x);
    ASSERT_LT(rim, right.x + 1.5);
    view.LButtonDown(right + wxPoint(1, 0));
    EXPECT_EQ(view.m_pickName, Cylinder(ChipAt(view, 4, 4)).m_name);
    ExpectChosen(view, 3, 3);
    view.LButtonDown(right + wxPoint(4, 0));
    EXPECT_EQ(view.m_pickName, 1);
}

TEST(PlayCamera, RightDragsAndResizesKeepPicksOnTheirSquares)
{
    ViewWindow window(kWindow);
    CChildView& view = window.View();
    // A late expose from the window's first showing may still come on a
    // busy machine: wait until the paints have stopped.
    for (unsigned long settled = ~0ul; settled != view.GetPaintCount();)
    {
        settled = view.GetPaintCount();
        PumpFor(std::chrono::milliseconds(100));
    }
    const GrVec3 eye = view.m_camera.m_eye;
    const unsigned long paints = view.GetPaintCount();
    view.RButtonDown(wxPoint(300, 200));
    view.MouseMove(wxPoint(340, 200), false);
    PumpFor(std::chrono::milliseconds(50));
    EXPECT_EQ(view.GetPaintCount(), paints) << "neither the press nor a plain move repaints";
    EXPECT_EQ(view.m_camera.m_eye, eye);
    view.MouseMove(wxPoint(360, 230), true);
    EXPECT_NE(view.m_camera.m_eye, eye);
    ASSERT_TRUE(PumpUntil([&] { return view.GetPaintCount() > paints; }));
    view.LButtonDown(SquarePoint(window, 2, 2));
    ExpectChosen(view, 5, 5);

    // The modes and their check marks; choosing one does not move the camera.
    const std::pair<int, std::int32_t> modes[] = {
        {ViewCommand::CameraPanTilt, CGrCamera::PanTilt},
        {ViewCommand::CameraPitchYaw, CGrCamera::PitchYaw},
        {ViewCommand::CameraRollMove, CGrCamera::RollMove},
        {ViewCommand::CameraDollyXY, CGrCamera::DollyXY}};
    const GrVec3 dragged = view.m_camera.m_eye;
    for (const auto& [id, mode] : modes)
    {
        wxCommandEvent command(wxEVT_MENU, id);
        view.ProcessWindowEvent(command);
        EXPECT_EQ(view.m_camera.m_mode, mode);
        for (const auto& [other, unused] : modes)
        {
            wxUpdateUIEvent update(other);
            view.ProcessWindowEvent(update);
            EXPECT_EQ(update.GetChecked(), other == id) << other;
        }
    }
    EXPECT_EQ(view.m_camera.m_eye, dragged);

    // The view keeps a border inside the frame: compare with its own size.
    window.Frame().SetClientSize(500, 280);
    const unsigned long resized = view.GetPaintCount();
    ASSERT_TRUE(PumpUntil(
        [&]
        {
            const wxSize client = view.GetClientRect();
            return view.GetPaintCount() > resized && client.x < 520 &&
                   view.m_viewport[2] == client.x && view.m_viewport[3] == client.y;
        }));
    view.LButtonDown(SquarePoint(window, 3, 1));
    EXPECT_EQ(view.m_toX, 4);
    EXPECT_EQ(view.m_toZ, 6);

    // No height, no aspect ratio: nothing is drawn and nothing recorded.
    const std::vector<double> recorded = Recorded(view);
    window.Frame().SetClientSize(500, 0);
    if (view.GetClientRect().y != 0)
        GTEST_SKIP() << "the window system keeps the view taller than 0";
    window.Repaint();
    window.Capture();
    EXPECT_EQ(Recorded(view), recorded);
}

// The CPU selection against the driver's, record for record, over a grid of
// window points: a mid-game board with kings, captured rows and a hint, seen
// from the start and after a drag, with a 3-pixel and a wide pick region.
TEST(PlayPick, CpuSelectionMatchesTheDriversOnAGrid)
{
    ViewWindow window(kWindow);
    CChildView& view = window.View();
    CCommandSeams seams;
    CCheckerBoard board = EmptyBoard();
    for (const auto& [cell, code] : {std::pair{8 * 3 + 3, CCheckerBoard::BlackKing},
                                     {8 * 4 + 4, CCheckerBoard::RedMan},
                                     {8 * 0 + 2, CCheckerBoard::BlackMan},
                                     {8 * 6 + 0, CCheckerBoard::RedKing}})
        board.m_cells[cell] = code;
    seams.Load(view, board);
    view.ShowHints(2, 5);
    std::size_t compared = 0, named = 0;
    for (int pose = 0; pose < 2; ++pose)
    {
        if (pose == 1)
        {
            view.RButtonDown(wxPoint(300, 200));
            view.MouseMove(wxPoint(260, 150), true);
        }
        window.Repaint();
        for (const double region : {3.0, 40.0})
            for (int y = 5; y < kWindow.y; y += 43)
                for (int x = 3; x < kWindow.x; x += 61)
                {
                    std::vector<std::uint32_t> gl(100), cpu(100);
                    const int glHits = window.SelectWithGL(x, y, region, gl);
                    const int cpuHits = view.SelectScene(x, y, region, cpu);
                    ASSERT_EQ(cpuHits, glHits) << x << ", " << y << " region " << region;
                    for (std::size_t at = 0, i = 0; i < static_cast<std::size_t>(glHits); ++i)
                    {
                        const std::uint32_t names = gl[at];
                        ASSERT_EQ(cpu[at], names) << x << ", " << y;
                        for (int k = 1; k <= 2; ++k) // zmin, zmax
                            EXPECT_NEAR(double(cpu[at + k]), double(gl[at + k]), 1e4)
                                << x << ", " << y << " record " << i;
                        for (std::uint32_t n = 0; n < names; ++n)
                            EXPECT_EQ(cpu[at + 3 + n], gl[at + 3 + n]);
                        named += names > 0;
                        at += 3 + names;
                    }
                    ++compared;
                }
    }
    EXPECT_GT(named, compared / 4) << "the grid must cross the board and its chips";
}
