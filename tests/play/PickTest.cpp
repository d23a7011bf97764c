// What a left press finds, and the right-button camera drags.

#include <algorithm>
#include <cmath>

#include <GL/glu.h>
#include <gtest/gtest.h>
#include <wx/frame.h>

#include "PlayTestSupport.h"
#include "WxTestEnvironment.h"
#include "scene/SGCylinder.h"
#include "scene/SGRotationTranslation.h"
#include "view/CommandIds.h"

namespace
{
const wxSize kWindow(640, 480);

std::int32_t ChipName(const CChildView& view, int row, int col)
{
    const auto& outer =
        static_cast<const CSGRotationTranslation&>(*view.m_chipNodes[8 * (7 - col) + row]);
    const auto& inner = static_cast<const CSGRotationTranslation&>(*outer.Child(0));
    return static_cast<const CSGCylinder&>(*inner.Child(0)).m_name;
}

// The grid column A where the ray under a window pixel meets the board
// surface (y = 0.25), as if nothing stood on it.
int BoardGridUnder(const CChildView& view, wxPoint physical)
{
    const double wy = view.GetClientRect().y - physical.y - 1;
    double nx, ny, nz, fx, fy, fz;
    gluUnProject(physical.x, wy, 0.0, view.m_modelview, view.m_projection, view.m_viewport, &nx,
                 &ny, &nz);
    gluUnProject(physical.x, wy, 1.0, view.m_modelview, view.m_projection, view.m_viewport, &fx,
                 &fy, &fz);
    const double t = (0.25 - ny) / (fy - ny);
    return static_cast<int>(std::floor(nx + t * (fx - nx) + 4.0));
}
} // namespace

TEST(PlayPick, NearestChipTopDecidesTheSquare)
{
    ViewWindow window(kWindow);
    CChildView& view = window.View();
    CCommandSeams seams;
    CCheckerBoard board = EmptyBoard();
    board.m_cells[8 * 3 + 3] = CCheckerBoard::BlackKing;
    LoadPosition(view, seams, board);
    window.Repaint();

    // The king's top at its far edge: behind it the ray meets the next square.
    const wxPoint top = ScreenPoint(window, 0.5 - 0.3, 0.25 + 0.3, 0.5);
    ASSERT_EQ(BoardGridUnder(view, top), 3);
    view.LButtonDown(top);
    EXPECT_EQ(view.m_pickName, ChipName(view, 3, 3));
    EXPECT_EQ(view.m_fromX, 4);
    EXPECT_EQ(view.m_fromZ, 4);
    EXPECT_EQ(view.m_selectedChip.get(), view.m_chipNodes[8 * 4 + 3].get());

    view.LButtonDown(SquarePoint(window, 5, 5)); // bare board: the destination
    EXPECT_EQ(view.m_pickName, 1);
    EXPECT_EQ(view.m_toX, 2);
    EXPECT_EQ(view.m_toZ, 2);
}

TEST(PlayPick, EmptySpaceAndRailsChooseNothing)
{
    ViewWindow window(kWindow);
    CChildView& view = window.View();
    view.LButtonDown(SquarePoint(window, 2, 2, 0.15));
    ASSERT_FALSE(view.m_pickingChip);
    const CSGPtr chosen = view.m_selectedChip;

    // The sky, and the outer face of the rail nearest the camera, below
    // which no named object lies.
    for (const wxPoint miss : {wxPoint(2, 2), ScreenPoint(window, 4.25, 0.25, 0.5)})
    {
        view.m_pickName = 99;
        view.LButtonDown(miss);
        EXPECT_EQ(view.m_pickName, -1);
        EXPECT_FALSE(view.m_pickingChip);
        EXPECT_EQ(view.m_selectedChip.get(), chosen.get());
        EXPECT_EQ(view.m_fromX, 5);
        EXPECT_EQ(view.m_fromZ, 5);
        EXPECT_EQ(HintCount(view), 1u);
    }
}

TEST(PlayPick, PressWithinOnePixelOfTheSilhouetteHitsTheChip)
{
    ViewWindow window(kWindow);
    CChildView& view = window.View();
    CCommandSeams seams;
    CCheckerBoard board = EmptyBoard();
    board.m_cells[8 * 4 + 4] = CCheckerBoard::RedMan;
    LoadPosition(view, seams, board);

    // The silhouette: the pixels that change when the chip is moved away.
    const FrameImage with = window.Capture();
    auto& chip = static_cast<CSGRotationTranslation&>(*view.m_chipNodes[8 * 3 + 4]);
    chip.m_translation[1] = -1000.0;
    const FrameImage without = window.Capture();
    chip.m_translation[1] = 0.0;
    window.Capture(); // records the matrices again
    // Its rightmost pixel, in window rows from the top.
    wxPoint right(-1, 0);
    const int height = view.GetClientRect().y;
    for (int y = 0; y < with.height; ++y)
        for (int x = right.x + 1; x < with.width; ++x)
            if (with.At(x, y) != without.At(x, y))
                right = wxPoint(x, height - 1 - y);
    ASSERT_GT(right.x, 0);

    // The next pixel's centre lies off the chip (x = right + 1.5 in window
    // coordinates, past every projected point of its rim), yet the press
    // there hits it; four pixels out it does not.
    double rim = 0.0;
    for (int k = 0; k < 360; ++k)
        for (const double y : {0.25, 0.4})
            rim = std::max(rim, window
                                    .Project(-0.5 + 0.35 * std::cos(k * M_PI / 180.0), y,
                                             -0.5 + 0.35 * std::sin(k * M_PI / 180.0))
                                    .x);
    ASSERT_LT(rim, right.x + 1.5);
    view.LButtonDown(right + wxPoint(1, 0));
    EXPECT_EQ(view.m_pickName, ChipName(view, 4, 4));
    EXPECT_EQ(view.m_fromX, 3);
    EXPECT_EQ(view.m_fromZ, 3);
    view.LButtonDown(right + wxPoint(4, 0));
    EXPECT_EQ(view.m_pickName, 1);
}

TEST(PlayPick, FindsTheSquareAfterADragAndAResize)
{
    ViewWindow window(kWindow);
    CChildView& view = window.View();
    view.RButtonDown(wxPoint(300, 200));
    view.MouseMove(wxPoint(360, 230), true);
    window.Repaint();
    view.LButtonDown(SquarePoint(window, 2, 2));
    EXPECT_EQ(view.m_fromX, 5);
    EXPECT_EQ(view.m_fromZ, 5);

    // The view keeps a border inside the frame: compare with its own size.
    window.Frame().SetClientSize(500, 280);
    const unsigned long paints = view.GetPaintCount();
    ASSERT_TRUE(PumpUntil(
        [&]
        {
            const wxSize client = view.GetClientRect();
            return view.GetPaintCount() > paints && client.x < 520 &&
                   view.m_viewport[2] == client.x && view.m_viewport[3] == client.y;
        }));
    view.LButtonDown(SquarePoint(window, 3, 1));
    EXPECT_EQ(view.m_toX, 4);
    EXPECT_EQ(view.m_toZ, 6);
}

TEST(PlayCamera, RightDragMovesAndRepaintsOnlyWithTheButtonDown)
{
    ViewWindow window(kWindow);
    CChildView& view = window.View();
    PumpFor(std::chrono::milliseconds(50));
    const GrVec3 eye = view.m_camera.m_eye;
    unsigned long paints = view.GetPaintCount();

    view.RButtonDown(wxPoint(100, 100));
    view.MouseMove(wxPoint(140, 100), false);
    PumpFor(std::chrono::milliseconds(50));
    EXPECT_EQ(view.GetPaintCount(), paints);
    EXPECT_EQ(view.m_camera.m_eye, eye);

    view.MouseMove(wxPoint(150, 100), true);
    EXPECT_NE(view.m_camera.m_eye, eye);
    EXPECT_TRUE(PumpUntil([&] { return view.GetPaintCount() > paints; }));
}

TEST(PlayCamera, ModeCommandsSetTheModeAndItsCheckMark)
{
    ViewWindow window(kWindow);
    CChildView& view = window.View();
    using Command = void (CChildView::*)(wxCommandEvent&);
    using Update = void (CChildView::*)(wxUpdateUIEvent&);
    struct Item
    {
        int id;
        Command command;
        Update update;
        std::int32_t mode;
    };
    const Item items[] = {
        {ViewCommand::CameraPanTilt, &CChildView::OnCameraPanTilt,
         &CChildView::OnUpdateCameraPanTilt, CGrCamera::PanTilt},
        {ViewCommand::CameraPitchYaw, &CChildView::OnCameraPitchYaw,
         &CChildView::OnUpdateCameraPitchYaw, CGrCamera::PitchYaw},
        {ViewCommand::CameraRollMove, &CChildView::OnCameraRollMove,
         &CChildView::OnUpdateCameraRollMove, CGrCamera::RollMove},
        {ViewCommand::CameraDollyXY, &CChildView::OnCameraDollyXY,
         &CChildView::OnUpdateCameraDollyXY, CGrCamera::DollyXY},
    };
    const GrVec3 eye = view.m_camera.m_eye;
    EXPECT_EQ(view.m_camera.m_mode, CGrCamera::PitchYaw);
    for (const Item& chosen : items)
    {
        wxCommandEvent command(wxEVT_MENU, chosen.id);
        (view.*chosen.command)(command);
        EXPECT_EQ(view.m_camera.m_mode, chosen.mode);
        for (const Item& item : items)
        {
            wxUpdateUIEvent update(item.id);
            (view.*item.update)(update);
            EXPECT_EQ(update.GetChecked(), item.id == chosen.id) << item.id;
        }
    }
    EXPECT_EQ(view.m_camera.m_eye, eye);
}
