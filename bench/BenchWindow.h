#pragma once
// The set-up the board-view benchmarks share: wx started on X11, a frame
// holding a CChildView whose client area is exactly 1024 x 768, and timing
// helpers that print medians. Needs an X server with GLX that fits the
// window, e.g.  xvfb-run -a -s "-screen 0 1280x1024x24 +extension GLX" <bench>

#include <chrono>
#include <functional>
#include <vector>

class CChildView;
class wxFrame;

class CBenchWindow
{
public:
    static constexpr int kWidth = 1024;
    static constexpr int kHeight = 768;

    // Starts wx and shows the view, painted once at the full size, with the
    // frame floor off (it paces animations for the eye; here it would only
    // measure itself). False, with a message, when any of that fails.
    bool Open(int argc, char** argv, const char* title);
    // Closes the frame and shuts wx down.
    ~CBenchWindow();

    CChildView& View() const { return *m_view; }
    // One synchronous repaint, as the animations drive it.
    void Paint() const;

private:
    bool m_started = false;
    wxFrame* m_frame = nullptr;
    CChildView* m_view = nullptr;
};

// Runs the event loop until `done` holds or the time is up; returns `done()`.
bool PumpUntil(const std::function<bool()>& done,
               std::chrono::milliseconds timeout = std::chrono::seconds(10));

// Times `work` `count` times, running `after` untimed after each; the
// milliseconds come back sorted.
std::vector<double> TimeMs(int count, const std::function<void()>& work,
                           const std::function<void()>& after = {});

// Prints the median and the 95th percentile of sorted timings.
void Report(const char* what, const std::vector<double>& ms, const char* target = "");
