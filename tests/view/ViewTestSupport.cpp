#include "ViewTestSupport.h"

#include <chrono>
#include <cmath>

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>
#include <wx/frame.h>

#include "WxTestEnvironment.h"

namespace
{
const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new WxTestEnvironment);
} // namespace

std::array<int, 3> FrameImage::At(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return {-1, -1, -1};
    const std::size_t i = (static_cast<std::size_t>(y) * width + x) * 4;
    return {rgba[i], rgba[i + 1], rgba[i + 2]};
}

ViewWindow::ViewWindow(wxSize client) : ViewWindow(new CChildView, client) {}

ViewWindow::ViewWindow(CChildView* view, wxSize client) : m_view(view)
{
    COpenGLWnd::SetFrameFloorEnabled(false);
    m_frame = new wxFrame(nullptr, wxID_ANY, "view test");
    if (!m_view->Create(m_frame))
    {
        ADD_FAILURE() << "the view's window could not be created";
        return;
    }
    m_frame->SetClientSize(client);
    m_frame->Show();
    EXPECT_TRUE(PumpUntil([this] { return m_view->GetPaintCount() > 0; }));
    PumpFor(std::chrono::milliseconds(30)); // let the window settle at its size
    Repaint();
}

ViewWindow::~ViewWindow()
{
    COpenGLWnd::SetFrameFloorEnabled(true);
    m_frame->Destroy();
    PumpFor(std::chrono::milliseconds(10));
}

void ViewWindow::Repaint()
{
    m_view->InvalidateRect();
    m_view->UpdateWindow();
}

FrameImage ViewWindow::Capture()
{
    FrameImage image;
    if (!m_view->MakeCurrent())
    {
        ADD_FAILURE() << "no context to draw with";
        return image;
    }
    const wxSize size = m_view->GetClientRect();
    glViewport(0, 0, size.x, size.y);
    m_view->OnGLDraw(nullptr);
    glFinish();
    image.width = size.x;
    image.height = size.y;
    image.rgba.resize(static_cast<std::size_t>(size.x) * size.y * 4);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, size.x, size.y, GL_RGBA, GL_UNSIGNED_BYTE, image.rgba.data());
    m_view->ReleaseCurrent();
    return image;
}

wxRealPoint ViewWindow::Project(double x, double y, double z) const
{
    double wx = 0.0, wy = 0.0, wz = 0.0;
    gluProject(x, y, z, m_view->m_modelview, m_view->m_projection, m_view->m_viewport, &wx, &wy,
               &wz);
    return wxRealPoint(wx, wy);
}
