// A move at scale factor 2: mouse events carry logical pixels, the picking
// works in physical ones.

#include <cstdlib>

#include <gtest/gtest.h>

#include "ViewTestSupport.h"

namespace
{
// GDK reads it when the environment starts wx, after static initialisation.
const bool kScaled = setenv("GDK_SCALE", "2", 1) == 0;
} // namespace

TEST(PlayHiDpi, MoveThroughTheEventTableLandsOnItsSquares)
{
    ASSERT_TRUE(kScaled);
    ViewWindow window(wxSize(320, 240));
    CChildView& view = window.View();
    ASSERT_EQ(view.GetClientRect(), view.GetClientSize() * 2);
    for (const auto& [row, col] : {std::pair{2, 4}, std::pair{3, 5}})
    {
        const wxPoint physical = SquarePoint(window, row, col);
        for (const wxEventType type : {wxEVT_LEFT_DOWN, wxEVT_LEFT_UP})
        {
            wxMouseEvent event(type);
            event.SetPosition(wxPoint(physical.x / 2, physical.y / 2));
            view.ProcessWindowEvent(event);
        }
    }
    CCheckerBoard expected;
    expected.MoveBlack(2, 4, 3, 5);
    EXPECT_EQ(view.m_board, expected);

    // A right drag of 10 logical pixels turns the camera as far as it does
    // at scale 1, where events carry the same numbers.
    CGrCamera unscaled = view.m_camera;
    unscaled.MouseDown(100, 100);
    unscaled.MouseMove(110, 96);
    for (const auto& [type, at] : {std::pair{wxEVT_RIGHT_DOWN, wxPoint(100, 100)},
                                   std::pair{wxEVT_MOTION, wxPoint(110, 96)}})
    {
        wxMouseEvent event(type);
        event.SetPosition(at);
        event.SetRightDown(true);
        view.ProcessWindowEvent(event);
    }
    EXPECT_EQ(view.m_camera.m_eye, unscaled.m_eye);
}
