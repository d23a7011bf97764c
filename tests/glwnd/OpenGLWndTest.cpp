#include "glwnd/OpenGLWnd.h"

#include <cerrno>
#include <chrono>
#include <cmath>
#include <vector>

#include <gtest/gtest.h>
#include <wx/frame.h>

#include "WxTestEnvironment.h"
#include "glwnd/GlxSupport.h"
#include "glwnd/MessageService.h"

namespace
{
const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new WxTestEnvironment);

// Records what each paint saw while the default drawing runs.
class CProbeWnd : public COpenGLWnd
{
public:
    void OnGLDraw(wxDC* dc) override
    {
        ++draws;
        currentDuringDraw = IsGlxContextCurrent();
        glGetIntegerv(GL_VIEWPORT, viewport);
        glGetDoublev(GL_PROJECTION_MATRIX, projection);
        glGetBooleanv(GL_DOUBLEBUFFER, &doubleBuffered);
        glGetIntegerv(GL_ALPHA_BITS, &alphaBits);
        glGetIntegerv(GL_DEPTH_BITS, &depthBits);
        COpenGLWnd::OnGLDraw(dc);
        glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    }

    double Aspect() const { return projection[5] / projection[0]; }

    int draws = 0;
    bool currentDuringDraw = false;
    GLint viewport[4] = {};
    GLdouble projection[16] = {};
    GLboolean doubleBuffered = GL_FALSE;
    GLint alphaBits = 0;
    GLint depthBits = 0;
    unsigned char pixel[4] = {};
};

struct Box
{
    std::string text;
    std::string caption;
    unsigned type;
};

class RecordingBoxes
{
public:
    RecordingBoxes()
        : m_old(SetMessageBoxHandler(
              [this](const std::string& text, const std::string& caption, unsigned type) {
                  boxes.push_back({text, caption, type});
              }))
    {
    }
    ~RecordingBoxes() { SetMessageBoxHandler(m_old); }
    std::vector<Box> boxes;

private:
    MessageBoxHandler m_old;
};

class OpenGLWndPaint : public ::testing::Test
{
protected:
    // Makes `wnd` the only child of a shown frame and waits for its first paint.
    void Open(CProbeWnd* wnd, wxSize client = wxSize(240, 160))
    {
        COpenGLWnd::SetFrameFloorEnabled(false);
        frame = new wxFrame(nullptr, wxID_ANY, "probe");
        ASSERT_TRUE(wnd->Create(frame));
        frame->SetClientSize(client);
        frame->Show();
        ASSERT_TRUE(PumpUntil([wnd] { return wnd->GetPaintCount() > 0; }));
        PumpFor(std::chrono::milliseconds(30)); // let the window settle at its size
    }

    void TearDown() override
    {
        COpenGLWnd::SetFrameFloorEnabled(true);
        if (frame != nullptr)
            frame->Destroy();
        PumpFor(std::chrono::milliseconds(10));
    }

    // One synchronous repaint, as the animations ask for it.
    void Repaint(CProbeWnd* wnd)
    {
        wnd->InvalidateRect();
        wnd->UpdateWindow();
    }

    wxFrame* frame = nullptr;
};
} // namespace

TEST(OpenGLWnd, UncreatedWindowHasNothingToDrawWith)
{
    COpenGLWnd wnd;
    EXPECT_EQ(wnd.GetHandle(), nullptr);
    EXPECT_EQ(wnd.m_hrc, nullptr);
    EXPECT_FALSE(wnd.m_doublebuffer);
    EXPECT_FALSE(wnd.MakeCurrent());
    wnd.UpdateWindow(); // not on screen: nothing happens
    EXPECT_EQ(wnd.GetPaintCount(), 0u);
}

TEST_F(OpenGLWndPaint, UpdatePaintsPendingRepaintOnceInsideTheCall)
{
    auto* wnd = new CProbeWnd;
    Open(wnd);
    wnd->draws = 0;

    wnd->InvalidateRect();
    EXPECT_EQ(wnd->draws, 0) << "invalidating must not draw";
    wnd->UpdateWindow();
    EXPECT_EQ(wnd->draws, 1);
    EXPECT_TRUE(wnd->currentDuringDraw);
    EXPECT_FALSE(IsGlxContextCurrent()) << "the paint must release the context";

    wnd->UpdateWindow(); // nothing pending
    EXPECT_EQ(wnd->draws, 1);
}

TEST_F(OpenGLWndPaint, DefaultDrawingClearsSingleBufferedSurfaceToCyan)
{
    auto* wnd = new CProbeWnd;
    Open(wnd);
    Repaint(wnd);
    EXPECT_FALSE(wnd->doubleBuffered);
    EXPECT_EQ(wnd->alphaBits, 8);
    EXPECT_GE(wnd->depthBits, 16);
    EXPECT_EQ(wnd->pixel[0], 0);
    EXPECT_EQ(wnd->pixel[1], 255);
    EXPECT_EQ(wnd->pixel[2], 255);
    EXPECT_EQ(wnd->pixel[3], 0);
}

TEST_F(OpenGLWndPaint, DoubleBufferedWindowGetsDoubleBufferedSurface)
{
    auto* wnd = new CProbeWnd;
    wnd->m_doublebuffer = true;
    Open(wnd);
    Repaint(wnd);
    EXPECT_TRUE(wnd->doubleBuffered);
    EXPECT_EQ(wnd->pixel[1], 255);
    EXPECT_FALSE(IsGlxContextCurrent());
}

TEST_F(OpenGLWndPaint, ViewportAndAspectFollowEveryResize)
{
    auto* wnd = new CProbeWnd;
    Open(wnd, wxSize(300, 150));
    Repaint(wnd);
    EXPECT_EQ(wnd->viewport[2], 300);
    EXPECT_EQ(wnd->viewport[3], 150);
    EXPECT_NEAR(wnd->Aspect(), 2.0, 1e-5);
    EXPECT_NEAR(wnd->projection[5], 1.0 / std::tan(15.0 * M_PI / 180.0), 1e-5); // 30 degrees

    frame->SetClientSize(200, 200);
    PumpFor(std::chrono::milliseconds(50));
    Repaint(wnd);
    EXPECT_EQ(wnd->viewport[2], 200);
    EXPECT_EQ(wnd->viewport[3], 200);
    EXPECT_NEAR(wnd->Aspect(), 1.0, 1e-5);
}

TEST_F(OpenGLWndPaint, ZeroHeightKeepsAFiniteProjection)
{
    auto* wnd = new CProbeWnd;
    Open(wnd);
    wnd->SetSize(200, 0); // the frame lays its child out again only on resize
    Repaint(wnd);
    for (const GLdouble value : wnd->projection)
        EXPECT_TRUE(std::isfinite(value));
}

TEST_F(OpenGLWndPaint, FrameFloorHoldsEachPaintedFrameForOneSixtieth)
{
    auto* wnd = new CProbeWnd;
    Open(wnd, wxSize(64, 64));
    constexpr int kFrames = 12;
    const auto timeFrames = [&]
    {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < kFrames; ++i)
            Repaint(wnd);
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };

    COpenGLWnd::SetFrameFloorEnabled(true);
    wnd->draws = 0;
    EXPECT_GE(timeFrames(), kFrames / 60.0);
    EXPECT_EQ(wnd->draws, kFrames);

    COpenGLWnd::SetFrameFloorEnabled(false);
    EXPECT_LT(timeFrames(), kFrames / 60.0);
}

TEST_F(OpenGLWndPaint, MakeCurrentOutsideAPaintAndRelease)
{
    auto* wnd = new CProbeWnd;
    Open(wnd);
    ASSERT_TRUE(wnd->MakeCurrent());
    EXPECT_TRUE(IsGlxContextCurrent());
    wnd->ReleaseCurrent();
    EXPECT_FALSE(IsGlxContextCurrent());
}

namespace
{
class CNoWindow : public CProbeWnd
{
    bool DoCreateWindow(wxWindow*, const wxGLAttributes&, wxWindowID, const wxPoint&, const wxSize&,
                        long) override
    {
        return false;
    }
};

class CNoContext : public CProbeWnd
{
    bool DoCreateContext() override { return false; }
};

class CNeverCurrent : public CProbeWnd
{
    bool DoMakeCurrent() override { return false; }
};
} // namespace

TEST_F(OpenGLWndPaint, FailedCreationShowsExactStopBox)
{
    RecordingBoxes recorder;
    frame = new wxFrame(nullptr, wxID_ANY, "probe");

    auto* noWindow = new CNoWindow;
    EXPECT_FALSE(noWindow->Create(frame));
    delete noWindow; // never became a child of the frame

    auto* noContext = new CNoContext;
    EXPECT_FALSE(noContext->Create(frame));
    EXPECT_EQ(noContext->m_hrc, nullptr);

    ASSERT_EQ(recorder.boxes.size(), 2u);
    EXPECT_EQ(recorder.boxes[0].text,
              "SetPixelFormat  Failed The window could not be created with the chosen GLX visual.");
    EXPECT_EQ(recorder.boxes[1].text, "Unable to create an OpenGL rendering context GLX refused a "
                                      "rendering context for the chosen visual.");
    for (const Box& box : recorder.boxes)
    {
        EXPECT_EQ(box.caption, "Plaxen");
        EXPECT_EQ(box.type, MB_ICONSTOP);
    }
}

TEST_F(OpenGLWndPaint, RefusedMakeCurrentIsReportedOnceAndThePaintGoesOn)
{
    RecordingBoxes recorder;
    auto* wnd = new CNeverCurrent;
    Open(wnd);
    Repaint(wnd);
    EXPECT_GE(wnd->draws, 2);
    EXPECT_FALSE(wnd->currentDuringDraw);
    ASSERT_EQ(recorder.boxes.size(), 1u);
    EXPECT_EQ(recorder.boxes[0].text,
              "wglMakeCurrent Failed glXMakeCurrent refused the window's context.");
    EXPECT_EQ(recorder.boxes[0].type, MB_ICONSTOP);
}

TEST(OpenGLWnd, ReportErrorFallsBackToTheErrnoText)
{
    RecordingBoxes recorder;
    COpenGLWnd wnd;
    errno = ENOENT;
    EXPECT_EQ(wnd.ReportError("Something Failed"), -1);
    ASSERT_EQ(recorder.boxes.size(), 1u);
    EXPECT_EQ(recorder.boxes[0].text, "Something Failed No such file or directory");
    EXPECT_EQ(recorder.boxes[0].caption, "Plaxen");
}
