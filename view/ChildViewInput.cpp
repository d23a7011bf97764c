#include "view/ChildView.h"

// filled in with move handling
void CChildView::OnLButtonDown(wxMouseEvent& event)
{
    LButtonDown(ToPhysical(event.GetPosition()));
    event.Skip();
}

// filled in with move handling
void CChildView::OnMouseMove(wxMouseEvent& event)
{
    MouseMove(ToPhysical(event.GetPosition()), event.RightIsDown());
    event.Skip();
}

// filled in with move handling
void CChildView::OnRButtonDown(wxMouseEvent& event)
{
    RButtonDown(ToPhysical(event.GetPosition()));
    event.Skip();
}

// filled in with move handling
void CChildView::LButtonDown(wxPoint) {}
// filled in with move handling
void CChildView::RButtonDown(wxPoint) {}
// filled in with move handling
void CChildView::MouseMove(wxPoint, bool) {}

// filled in with move handling
void CChildView::OnCameraPanTilt(wxCommandEvent&) {}
// filled in with move handling
void CChildView::OnUpdateCameraPanTilt(wxUpdateUIEvent&) {}
// filled in with move handling
void CChildView::OnCameraPitchYaw(wxCommandEvent&) {}
// filled in with move handling
void CChildView::OnUpdateCameraPitchYaw(wxUpdateUIEvent&) {}
// filled in with move handling
void CChildView::OnCameraRollMove(wxCommandEvent&) {}
// filled in with move handling
void CChildView::OnUpdateCameraRollMove(wxUpdateUIEvent&) {}
// filled in with move handling
void CChildView::OnCameraDollyXY(wxCommandEvent&) {}
// filled in with move handling
void CChildView::OnUpdateCameraDollyXY(wxUpdateUIEvent&) {}
