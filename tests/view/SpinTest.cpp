#include <chrono>
#include <cmath>
#include <vector>

#include <gtest/gtest.h>
#include <wx/event.h>

#include "ViewTestSupport.h"
#include "view/CommandIds.h"

namespace
{
// Remembers where the eye stood in every frame it drew.
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

double Distance(const GrVec3& a, const GrVec3& b)
{
    return std::hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]);
}

void SendCommand(CChildView& view, int id)
{
    wxCommandEvent event(wxEVT_MENU, id);
    event.SetEventObject(&view);
    view.ProcessWindowEvent(event);
}

bool NoSpinChecked(CChildView& view)
{
    wxUpdateUIEvent event(ViewCommand::NoSpin);
    event.SetEventObject(&view);
    view.ProcessWindowEvent(event);
    EXPECT_TRUE(event.GetSetChecked()) << "the update handler must set the check mark";
    EXPECT_FALSE(event.GetSetEnabled()) << "the update handler must not touch enabling";
    return event.GetChecked();
}

constexpr GrVec3 kStartEye = {20.0, 12.0, 0.0};
} // namespace

TEST(CameraTurn, TurnsHalfRoundInNinetyFramesWhenTheSideToMoveChanges)
{
    auto* view = new CEyeRecordingView;
    ViewWindow window(view, wxSize(320, 240));

    // Side 0 to move and the camera at its end: nothing to do.
    const unsigned long before = view->GetPaintCount();
    view->SpinCamera();
    EXPECT_EQ(view->GetPaintCount(), before);

    view->m_board.m_side = CCheckerBoard::RedSide;
    view->eyes.clear();
    view->SpinCamera();
    EXPECT_EQ(view->GetPaintCount(), before + 90);
    EXPECT_FALSE(view->m_facingSide0);
    ASSERT_EQ(view->eyes.size(), 90u);
    const GrVec3 centre = view->m_camera.m_center;
    for (const GrVec3& eye : view->eyes)
    {
        EXPECT_NEAR(eye[1], 12.0, 1e-9);
        EXPECT_NEAR(Distance(eye, centre), Distance(kStartEye, centre), 1e-9);
    }
    // +2 degrees a step about +Y: a quarter of the way round the eye is at -Z.
    EXPECT_NEAR(view->eyes[44][0], 0.0, 1e-9);
    EXPECT_NEAR(view->eyes[44][2], -20.0, 1e-9);
    EXPECT_NEAR(view->m_camera.m_eye[0], -20.0, 1e-9);
    EXPECT_NEAR(view->m_camera.m_eye[2], 0.0, 1e-9);

    // And back the other way once black is to move again.
    view->m_board.m_side = CCheckerBoard::BlackSide;
    view->eyes.clear();
    view->SpinCamera();
    ASSERT_EQ(view->eyes.size(), 90u);
    EXPECT_NEAR(view->eyes[44][2], -20.0, 1e-9) << "black's turn goes back the way it came";
    EXPECT_NEAR(Distance(view->m_camera.m_eye, kStartEye), 0.0, 1e-9);
    EXPECT_TRUE(view->m_facingSide0);
}

TEST(CameraTurn, NoSpinHoldsTheCameraAndSwitchingItOffCatchesUpOnce)
{
    ViewWindow window(wxSize(320, 240));
    CChildView& view = window.View();
    EXPECT_FALSE(NoSpinChecked(view));

    SendCommand(view, ViewCommand::NoSpin);
    EXPECT_TRUE(view.m_noSpin);
    EXPECT_TRUE(NoSpinChecked(view));

    // A move passed the turn to red while the turning was off.
    view.m_board.m_side = CCheckerBoard::RedSide;
    const unsigned long before = view.GetPaintCount();
    view.SpinCamera();
    EXPECT_EQ(view.GetPaintCount(), before);
    EXPECT_TRUE(view.m_facingSide0);
    EXPECT_NEAR(Distance(view.m_camera.m_eye, kStartEye), 0.0, 1e-12);

    SendCommand(view, ViewCommand::NoSpin);
    EXPECT_FALSE(view.m_noSpin);
    EXPECT_FALSE(NoSpinChecked(view));
    EXPECT_EQ(view.GetPaintCount(), before + 90);
    EXPECT_FALSE(view.m_facingSide0);
    EXPECT_NEAR(view.m_camera.m_eye[0], -20.0, 1e-9);

    // On and off again with nothing changed: no second turn.
    SendCommand(view, ViewCommand::NoSpin);
    SendCommand(view, ViewCommand::NoSpin);
    EXPECT_EQ(view.GetPaintCount(), before + 90);
}

TEST(CameraTurn, WithTheFrameFloorTheTurnLastsAtLeastOneAndAHalfSeconds)
{
    ViewWindow window(wxSize(320, 240));
    CChildView& view = window.View();
    view.m_board.m_side = CCheckerBoard::RedSide;
    COpenGLWnd::SetFrameFloorEnabled(true);
    const auto start = std::chrono::steady_clock::now();
    view.SpinCamera();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    COpenGLWnd::SetFrameFloorEnabled(false);
    RecordProperty("spin_seconds", std::to_string(took.count()));
    EXPECT_GE(took.count(), 1.5);
    EXPECT_LT(took.count(), 10.0) << "frames far slower than the floor";
}
