#include "glwnd/OpenGLWnd.h"

#include <cstdlib>

#include <gtest/gtest.h>
#include <wx/frame.h>

#include "WxTestEnvironment.h"

namespace
{
// GDK reads it when the environment starts wx, after static initialisation.
const bool kScaled = setenv("GDK_SCALE", "2", 1) == 0;
const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new WxTestEnvironment);
} // namespace

TEST(OpenGLWndHiDpi, ViewportUsesPhysicalPixels)
{
    ASSERT_TRUE(kScaled);
    COpenGLWnd::SetFrameFloorEnabled(false);
    auto* frame = new wxFrame(nullptr, wxID_ANY, "hidpi");
    auto* wnd = new COpenGLWnd;
    ASSERT_TRUE(wnd->Create(frame));
    frame->SetClientSize(200, 100);
    frame->Show();
    ASSERT_TRUE(PumpUntil([wnd] { return wnd->GetPaintCount() > 0; }));
    PumpFor(std::chrono::milliseconds(30));
    ASSERT_EQ(wnd->GetContentScaleFactor(), 2.0);

    wnd->InvalidateRect();
    wnd->UpdateWindow();
    EXPECT_EQ(wnd->GetClientRect(), wxSize(400, 200));
    ASSERT_TRUE(wnd->MakeCurrent()); // the context keeps the paint's viewport
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    wnd->ReleaseCurrent();
    EXPECT_EQ(wxSize(viewport[2], viewport[3]), wxSize(400, 200));
    // Mouse positions in physical pixels: the play test's moves at scale 2.
    frame->Destroy();
}
