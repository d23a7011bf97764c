#include "bench/BenchWindow.h"

#include <algorithm>
#include <cstdio>
#include <thread>

#include <wx/app.h>
#include <wx/frame.h>
#include <wx/init.h>

#include "glwnd/GlxSupport.h"
#include "view/ChildView.h"

using Clock = std::chrono::steady_clock;

bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout)
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

std::vector<double> TimeMs(int count, const std::function<void()>& work,
                           const std::function<void()>& after)
{
    std::vector<double> ms;
    for (int i = 0; i < count; ++i)
    {
        const auto start = Clock::now();
        work();
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        if (after)
            after();
    }
    std::sort(ms.begin(), ms.end());
    return ms;
}

void Report(const char* what, const std::vector<double>& ms, const char* target)
{
    std::printf("%-36s median %7.3f ms   p95 %7.3f ms   %s\n", what, ms[ms.size() / 2],
                ms[ms.size() * 95 / 100], target);
}

bool CBenchWindow::Open(int argc, char** argv, const char* title)
{
    RestrictGdkToX11();
    wxApp::SetInstance(new wxApp);
    if (!wxEntryStart(argc, argv))
    {
        std::fprintf(stderr, "wx could not start (no display?)\n");
        return false;
    }
    m_started = true;
    m_frame = new wxFrame(nullptr, wxID_ANY, title);
    m_view = new CChildView;
    if (!m_view->Create(m_frame))
        return false;
    m_frame->SetClientSize(kWidth, kHeight);
    m_frame->Show();
    PumpUntil([this] { return m_view->GetPaintCount() > 0; });
    // The view's sunken edge takes a little of the frame's client area.
    const wxSize edge = m_frame->GetClientSize() - m_view->GetClientSize();
    m_frame->SetClientSize(wxSize(kWidth, kHeight) + edge);
    PumpUntil(
        [this]
        {
            const wxSize client = m_view->GetClientRect();
            return client == wxSize(kWidth, kHeight) && m_view->m_viewport[2] == client.x &&
                   m_view->m_viewport[3] == client.y;
        },
        std::chrono::seconds(2));
    if (m_view->GetClientRect() != wxSize(kWidth, kHeight))
    {
        std::fprintf(stderr, "the screen is too small for a %d x %d client\n", kWidth, kHeight);
        return false;
    }
    COpenGLWnd::SetFrameFloorEnabled(false);
    return true;
}

CBenchWindow::~CBenchWindow()
{
    if (m_frame)
    {
        m_frame->Destroy();
        PumpUntil([] { return false; }, std::chrono::milliseconds(50));
    }
    if (m_started)
        wxEntryCleanup();
}

void CBenchWindow::Paint() const
{
    m_view->InvalidateRect();
    m_view->UpdateWindow();
}
