// One full frame of the starting position at 1024 x 768: the whole paint
// cycle (make current, draw, swap, release) as the animations drive it, and
// the drawing alone finished with glFinish. Prints the median and the 90th
// percentile of 200 frames each. Needs an X server with GLX that fits the
// window, e.g.
//   xvfb-run -a -s "-screen 0 1280x1024x24 +extension GLX" ./plaxen_bench_view

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <thread>
#include <vector>

#include <GL/gl.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/init.h>

#include "glwnd/GlxSupport.h"
#include "view/ChildView.h"

namespace
{
constexpr int kFrames = 200;
constexpr int kWidth = 1024;
constexpr int kHeight = 768;

using Clock = std::chrono::steady_clock;

bool PumpUntil(const std::function<bool()>& done,
               std::chrono::milliseconds timeout = std::chrono::seconds(10))
{
    const auto end = Clock::now() + timeout;
    while (!done() && Clock::now() < end)
    {
        wxTheApp->Yield(true);
        wxTheApp->ProcessPendingEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return done();
}

void Report(const char* what, std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    std::printf("%-32s median %6.2f ms   p90 %6.2f ms   min %6.2f ms\n", what, ms[ms.size() / 2],
                ms[ms.size() * 9 / 10], ms.front());
}

template <typename F> std::vector<double> Time(F frame)
{
    std::vector<double> ms;
    for (int i = 0; i < kFrames; ++i)
    {
        const auto start = Clock::now();
        frame();
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    return ms;
}
} // namespace

int main(int argc, char** argv)
{
    RestrictGdkToX11();
    wxApp::SetInstance(new wxApp);
    if (!wxEntryStart(argc, argv))
    {
        std::fprintf(stderr, "wx could not start (no display?)\n");
        return 1;
    }
    int status = 0;
    {
        auto* frame = new wxFrame(nullptr, wxID_ANY, "frame bench");
        auto* view = new CChildView;
        if (!view->Create(frame))
            return 1;
        frame->SetClientSize(kWidth, kHeight);
        frame->Show();
        PumpUntil([view] { return view->GetPaintCount() > 0; });
        // The view's sunken edge takes a little of the frame's client area.
        const wxSize edge = frame->GetClientSize() - view->GetClientSize();
        frame->SetClientSize(wxSize(kWidth, kHeight) + edge);
        PumpUntil([view] { return view->GetClientSize() == wxSize(kWidth, kHeight); },
                  std::chrono::seconds(2));
        const wxSize client = view->GetClientRect();
        std::printf("client %d x %d, renderer: ", client.x, client.y);
        if (view->MakeCurrent())
        {
            std::printf("%s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
            view->ReleaseCurrent();
        }

        COpenGLWnd::SetFrameFloorEnabled(false);
        const auto paint = [view]
        {
            view->InvalidateRect();
            view->UpdateWindow();
        };
        const auto draw = [view]
        {
            view->OnGLDraw(nullptr);
            glFinish();
        };
        Report("paint cycle (draw + swap)", Time(paint));
        view->MakeCurrent();
        Report("drawing only (OnGLDraw, glFinish)", Time(draw));
        view->ReleaseCurrent();
        if (client.x != kWidth || client.y != kHeight)
        {
            std::fprintf(stderr, "the screen is too small for a %d x %d client\n", kWidth, kHeight);
            status = 1;
        }
        frame->Destroy();
        PumpUntil([] { return false; }, std::chrono::milliseconds(50));
    }
    wxEntryCleanup();
    return status;
}
