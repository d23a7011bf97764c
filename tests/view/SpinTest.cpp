#include <cmath>
#include <vector>

#include <gtest/gtest.h>
#include <wx/event.h>

#include "ViewTestSupport.h"
#include "view/CommandIds.h"

namespace
{
// Remembers where the eye stood in every frame drawn.
class CEyeRecordingView : public CChildView
{
public:
    void OnGLDraw(wxDC* dc) override
    {
        eyes.push_back(m_camera.m_eye);
        CChildView::OnGLDraw(dc);
    }
    std::vector<GrVec3> eyes;
};

constexpr GrVec3 kStartEye = {20.0, 12.0, 0.0};

double Distance(const GrVec3& a, const GrVec3& b)
{
    return std::hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]);
}

// Toggles "No Spin" through the event table; returns the check mark the
// update handler then shows.
bool ToggleNoSpin(CChildView& view)
{
    Command(view, ViewCommand::NoSpin);
    wxUpdateUIEvent update(ViewCommand::NoSpin);
    view.ProcessWindowEvent(update);
    EXPECT_TRUE(update.GetSetChecked() && !update.GetSetEnabled());
    return update.GetChecked();
}
} // namespace

TEST(CameraTurn, HalfTurnsInNinetyFramesUnlessNoSpinWhichCatchesUpOnce)
{
    auto* view = new CEyeRecordingView;
    ViewWindow window(wxSize(320, 240), view);
    view->eyes.clear();
    view->SpinCamera(); // black to move, camera at black's end: nothing
    PlayOut(*view);
    EXPECT_TRUE(view->eyes.empty());

    for (const auto side : {CCheckerBoard::RedSide, CCheckerBoard::BlackSide})
    {
        view->m_board.m_side = side;
        view->eyes.clear();
        view->SpinCamera();
        PlayOut(*view);
        EXPECT_EQ(view->m_facingSide0, side == CCheckerBoard::BlackSide);
        ASSERT_EQ(view->eyes.size(), 90u);
        for (const GrVec3& eye : view->eyes)
        {
            EXPECT_NEAR(eye[1], 12.0, 1e-9);
            EXPECT_NEAR(Distance(eye, view->m_camera.m_center), 20.0 * std::sqrt(1.36), 1e-9);
        }
        // Red's turn goes by -Z (+2 degrees a step about +Y), black's back.
        EXPECT_NEAR(Distance(view->eyes[44], {0.0, 12.0, -20.0}), 0.0, 1e-9);
    }
    EXPECT_NEAR(Distance(view->m_camera.m_eye, kStartEye), 0.0, 1e-9);

    // "No Spin" holds the camera; switching it off turns once toward the side to move.
    EXPECT_TRUE(ToggleNoSpin(*view));
    view->m_board.m_side = CCheckerBoard::RedSide; // a move passed the turn
    const unsigned long paints = view->GetPaintCount();
    const GrVec3 held = view->m_camera.m_eye;
    view->SpinCamera();
    PlayOut(*view);
    EXPECT_EQ(view->GetPaintCount(), paints);
    EXPECT_TRUE(view->m_facingSide0);
    EXPECT_EQ(view->m_camera.m_eye, held);
    EXPECT_FALSE(ToggleNoSpin(*view));
    EXPECT_EQ(view->GetPaintCount(), paints + 90);
    EXPECT_FALSE(view->m_facingSide0);
    EXPECT_NEAR(view->m_camera.m_eye[0], -20.0, 1e-9);
    EXPECT_TRUE(ToggleNoSpin(*view));
    EXPECT_FALSE(ToggleNoSpin(*view)); // already at red's end: no second turn
    EXPECT_EQ(view->GetPaintCount(), paints + 90);
}
