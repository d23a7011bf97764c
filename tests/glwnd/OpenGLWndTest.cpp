#include "glwnd/OpenGLWnd.h"

#include <cerrno>
#include <chrono>
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <wx/frame.h>

#include "WxTestEnvironment.h"
#include "glwnd/GlxSupport.h"
#include "glwnd/MessageService.h"
#include "tests/support/MessageLog.h"

namespace
{
const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new WxTestEnvironment);

// Records what each paint saw around the default drawing; each failure
// switch makes one of the steps that can fail do so.
class CProbeWnd : public COpenGLWnd
{
public:
    void OnGLDraw(wxDC* dc) override
    {
        ++draws;
        current = IsGlxContextCurrent();
        glGetIntegerv(GL_VIEWPORT, viewport);
        glGetDoublev(GL_PROJECTION_MATRIX, projection);
        glGetBooleanv(GL_DOUBLEBUFFER, &doubleBuffered);
        COpenGLWnd::OnGLDraw(dc);
        glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    }

    bool failWindow = false, failContext = false, failCurrent = false;
    int draws = 0;
    bool current = false;
    GLint viewport[4] = {};
    GLdouble projection[16] = {};
    GLboolean doubleBuffered = GL_FALSE;
    unsigned char pixel[4] = {};

protected:
    bool DoCreateWindow(wxWindow* parent, const wxGLAttributes& attributes, wxWindowID id,
                        const wxPoint& pos, const wxSize& size, long style) override
    {
        return !failWindow && COpenGLWnd::DoCreateWindow(parent, attributes, id, pos, size, style);
    }
    bool DoCreateContext() override { return !failContext && COpenGLWnd::DoCreateContext(); }
    bool DoMakeCurrent() override { return !failCurrent && COpenGLWnd::DoMakeCurrent(); }
};

class OpenGLWndPaint : public ::testing::Test
{
protected:
    void SetUp() override
    {
        COpenGLWnd::SetFrameFloorEnabled(false);
        frame = new wxFrame(nullptr, wxID_ANY, "probe");
    }
    void TearDown() override
    {
        COpenGLWnd::SetFrameFloorEnabled(true);
        frame->Destroy();
        PumpFor(std::chrono::milliseconds(10));
    }

    // Makes the probe the frame's only child, shows it and waits for its first paint.
    void Open(wxSize client = wxSize(240, 160))
    {
        ASSERT_TRUE(wnd->Create(frame));
        frame->SetClientSize(client);
        frame->Show();
        ASSERT_TRUE(PumpUntil([this] { return wnd->GetPaintCount() > 0; }));
        PumpFor(std::chrono::milliseconds(30)); // let the window settle at its size
    }
    void Repaint()
    {
        wnd->InvalidateRect();
        wnd->UpdateWindow();
    }

    wxFrame* frame = nullptr;
    CProbeWnd* wnd = new CProbeWnd;
    testsupport::MessageLog log;
};
} // namespace

TEST_F(OpenGLWndPaint, UpdatePaintsOnceInsideTheCallAndReleasesTheContext)
{
    EXPECT_EQ(wnd->m_hrc, nullptr); // not created yet: inert
    EXPECT_FALSE(wnd->MakeCurrent());
    wnd->UpdateWindow();
    EXPECT_EQ(wnd->GetPaintCount(), 0u);

    Open();
    wnd->draws = 0;
    wnd->InvalidateRect();
    EXPECT_EQ(wnd->draws, 0) << "invalidating must not draw";
    wnd->UpdateWindow();
    EXPECT_EQ(wnd->draws, 1);
    EXPECT_TRUE(wnd->current);
    EXPECT_FALSE(IsGlxContextCurrent()) << "the paint must release the context";
    wnd->UpdateWindow(); // nothing pending
    EXPECT_EQ(wnd->draws, 1);

    // Single-buffered unless asked, cleared to cyan with alpha 0.
    EXPECT_FALSE(wnd->doubleBuffered);
    EXPECT_EQ(std::vector<int>(wnd->pixel, wnd->pixel + 4), (std::vector<int>{0, 255, 255, 0}));

    EXPECT_TRUE(log.boxes.empty());
}

TEST_F(OpenGLWndPaint, DoubleBufferedViewportAndProjectionFollowTheSize)
{
    wnd->m_doublebuffer = true;
    Open(wxSize(300, 150));
    Repaint();
    EXPECT_TRUE(wnd->doubleBuffered);
    EXPECT_EQ(wnd->pixel[1], 255);
    EXPECT_FALSE(IsGlxContextCurrent()) << "swapped and released";
    EXPECT_EQ(wxSize(wnd->viewport[2], wnd->viewport[3]), wxSize(300, 150));
    EXPECT_NEAR(wnd->projection[5] / wnd->projection[0], 2.0, 1e-5);
    EXPECT_NEAR(wnd->projection[5], 1.0 / std::tan(15.0 * M_PI / 180.0), 1e-5); // 30 degrees

    // Later sizes: the play tests resize the board view.
    wnd->SetSize(200, 0); // no height: no aspect ratio, and no division by zero
    Repaint();
    for (const GLdouble value : wnd->projection)
        EXPECT_TRUE(std::isfinite(value));
}

TEST_F(OpenGLWndPaint, FailedStepsShowTheirExactBox)
{
    errno = ENOENT; // with nothing from GLX the system's own description follows
    EXPECT_EQ(wnd->ReportError("Something Failed"), -1);
    auto* noWindow = new CProbeWnd;
    noWindow->failWindow = true;
    EXPECT_FALSE(noWindow->Create(frame));
    delete noWindow; // never became the frame's child
    auto* noContext = new CProbeWnd;
    noContext->failContext = true;
    EXPECT_FALSE(noContext->Create(frame));
    EXPECT_EQ(noContext->m_hrc, nullptr);

    // A context that will not become current: one box, and the paint goes on.
    wnd->failCurrent = true;
    Open();
    Repaint();
    EXPECT_GE(wnd->draws, 2);
    EXPECT_FALSE(wnd->current);

    const std::string stop = " [Plaxen, 16]";
    EXPECT_EQ(log.boxes,
              (std::vector<std::string>{
                  "Something Failed No such file or directory" + stop,
                  "SetPixelFormat  Failed The window could not be created with the chosen GLX "
                  "visual." +
                      stop,
                  "Unable to create an OpenGL rendering context GLX refused a rendering context "
                  "for the chosen visual." +
                      stop,
                  "wglMakeCurrent Failed glXMakeCurrent refused the window's context." + stop,
              }));
}
