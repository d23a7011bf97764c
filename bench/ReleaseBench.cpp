// The release figures of the board view that the other benches leave out:
// the paint cycle at 1024 x 768 in the starting position and in a mid-game
// position with kings and captured rows beside the board (median and 95th
// percentile of 200 frames), and PlaceChips alone (median of 500 calls).
// Needs an X server with GLX that fits the window, e.g.
//   xvfb-run -a -s "-screen 0 1280x1024x24 +extension GLX" ./plaxen_bench_release

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <sstream>
#include <thread>
#include <vector>

#include <wx/app.h>
#include <wx/frame.h>
#include <wx/init.h>

#include "glwnd/GlxSupport.h"
#include "view/ChildView.h"

namespace
{
constexpr int kFrames = 200;
constexpr int kPlacements = 500;
constexpr int kWidth = 1024;
constexpr int kHeight = 768;

// Seven black pieces (two kings) and four red (one king): eight red and five
// black chips stand in the captured rows.
constexpr char kMidGame[] = "X _ X B X _ X _ \n"
                            "_ X _ X r X _ X \n"
                            "X r X _ X r X _ \n"
                            "_ X b X _ X _ X \n"
                            "X _ X _ X R X _ \n"
                            "b X _ X b X _ X \n"
                            "X _ X b X _ X b \n"
                            "_ X B X _ X _ X \n"
                            "0";

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

std::vector<double> Time(int count, const std::function<void()>& work)
{
    std::vector<double> ms;
    for (int i = 0; i < count; ++i)
    {
        const auto start = Clock::now();
        work();
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(ms.begin(), ms.end());
    return ms;
}

void Report(const char* what, const std::vector<double>& ms, const char* target)
{
    std::printf("%-36s median %7.3f ms   p95 %7.3f ms   (%s)\n", what, ms[ms.size() / 2],
                ms[ms.size() * 95 / 100], target);
}

// Shows `board` as a loaded game would: chips rebuilt, one frame painted.
void ShowPosition(CChildView& view, const CCheckerBoard& board)
{
    view.m_board = board;
    view.PlaceChips();
    view.InvalidateRect();
    view.UpdateWindow();
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
        auto* frame = new wxFrame(nullptr, wxID_ANY, "release bench");
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
        if (client.x != kWidth || client.y != kHeight)
        {
            std::fprintf(stderr, "the screen is too small for a %d x %d client\n", kWidth, kHeight);
            status = 1;
        }

        CCheckerBoard midGame;
        std::istringstream text(kMidGame);
        if (!midGame.ReadGame(text))
        {
            std::fprintf(stderr, "the mid-game position does not read\n");
            status = 1;
        }
        // The frame floor paces animations for the eye; here it would only
        // measure itself.
        COpenGLWnd::SetFrameFloorEnabled(false);
        const auto paint = [view]
        {
            view->InvalidateRect();
            view->UpdateWindow();
        };

        ShowPosition(*view, CCheckerBoard());
        Report("frame, starting position", Time(kFrames, paint), "target median < 8 ms");
        const std::vector<double> full = Time(kPlacements, [view] { view->PlaceChips(); });

        ShowPosition(*view, midGame);
        Report("frame, mid-game with kings", Time(kFrames, paint), "target median < 8 ms");
        const std::vector<double> mid = Time(kPlacements, [view] { view->PlaceChips(); });

        Report("PlaceChips, full board (24 chips)", full, "target median < 1 ms");
        Report("PlaceChips, mid-game (13 captured)", mid, "target median < 1 ms");
        frame->Destroy();
        PumpUntil([] { return false; }, std::chrono::milliseconds(50));
    }
    wxEntryCleanup();
    return status;
}
