// Press-to-decision latency of one left press at 1024 x 768: the selection
// pass through the pick matrix, the nearest hit, the unprojection and the
// choice it leads to. Prints the median and the 90th percentile of 200
// presses on a bare square and on a chip. Needs an X server with GLX that
// fits the window, e.g.
//   xvfb-run -a -s "-screen 0 1280x1024x24 +extension GLX" ./plaxen_bench_pick

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <thread>
#include <vector>

#include <GL/glu.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/init.h>

#include "glwnd/GlxSupport.h"
#include "view/ChildView.h"

namespace
{
constexpr int kPresses = 200;
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

// The physical pixel over the centre of board square (row, col), `lift`
// above the board surface, through the last frame's matrices.
wxPoint SquarePixel(const CChildView& view, int row, int col, double lift)
{
    double x = 0.0, y = 0.0, z = 0.0;
    gluProject(3.5 - row, 0.25 + lift, 3.5 - col, view.m_modelview, view.m_projection,
               view.m_viewport, &x, &y, &z);
    return wxPoint(static_cast<int>(x), view.GetClientRect().y - 1 - static_cast<int>(y));
}

// Times `press`, running `reset` untimed after each.
void Report(const char* what, const std::function<void()>& press,
            const std::function<void()>& reset)
{
    std::vector<double> ms;
    for (int i = 0; i < kPresses; ++i)
    {
        const auto start = Clock::now();
        press();
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        reset();
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%-24s median %6.2f ms   p90 %6.2f ms   min %6.2f ms\n", what, ms[ms.size() / 2],
                ms[ms.size() * 9 / 10], ms.front());
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
        auto* frame = new wxFrame(nullptr, wxID_ANY, "pick bench");
        auto* view = new CChildView;
        if (!view->Create(frame))
            return 1;
        frame->SetClientSize(kWidth, kHeight);
        frame->Show();
        PumpUntil([view] { return view->GetPaintCount() > 0; });
        // The view's sunken edge takes a little of the frame's client area.
        const wxSize edge = frame->GetClientSize() - view->GetClientSize();
        frame->SetClientSize(wxSize(kWidth, kHeight) + edge);
        PumpUntil(
            [view]
            {
                const wxSize client = view->GetClientRect();
                return client == wxSize(kWidth, kHeight) && view->m_viewport[2] == client.x &&
                       view->m_viewport[3] == client.y;
            },
            std::chrono::seconds(2));
        const wxSize client = view->GetClientRect();
        std::printf("client %d x %d\n", client.x, client.y);

        const wxPoint bare = SquarePixel(*view, 3, 3, 0.0);
        const wxPoint chip = SquarePixel(*view, 2, 2, 0.15);
        Report(
            "press on a bare square", [&] { view->LButtonDown(bare); }, [] {});
        Report(
            "press on a chip", [&] { view->LButtonDown(chip); },
            [&]
            {
                view->m_pickingChip = true;
                view->m_selectedChip.reset();
                view->ClearHints();
            });
        view->LButtonDown(bare);
        const bool bareFound = view->m_pickName == 1 && view->m_pickingChip;
        view->LButtonDown(chip);
        if (!bareFound || view->m_fromX != 5 || view->m_fromZ != 5)
        {
            std::fprintf(stderr, "the presses did not find their squares\n");
            status = 1;
        }
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
