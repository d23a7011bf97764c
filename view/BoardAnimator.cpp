#include "view/BoardAnimator.h"

#include <algorithm>

#include "glwnd/OpenGLWnd.h"

CBoardAnimator::CBoardAnimator(COpenGLWnd& window) : m_window(window)
{
    // A timer without an owner sends its ticks to itself.
    m_timer.Bind(wxEVT_TIMER, [this](wxTimerEvent& event) { OnTimer(event); });
}

void CBoardAnimator::Queue(Clip clip)
{
    const bool wasIdle = m_clips.empty();
    m_clips.push_back(std::move(clip));
    if (!m_timer.IsRunning())
        ScheduleNextFrame();
    if (wasIdle && m_busyHandler)
        m_busyHandler();
}

void CBoardAnimator::QueueAction(std::function<void()> action)
{
    Queue(Clip{nullptr, nullptr, std::move(action)});
}

void CBoardAnimator::Step()
{
    if (m_clips.empty())
        return;
    if (!AdvanceToAFrame())
    {
        BecameIdle();
        return;
    }
    m_lastFrame = std::chrono::steady_clock::now();
    m_clips.front().frame(m_next++);
    m_window.InvalidateRect();
    m_window.UpdateWindow();
}

void CBoardAnimator::Finish()
{
    if (m_clips.empty())
        return;
    m_timer.Stop();
    // The frames are still set one after the other: a camera turn moves the
    // eye step by step, and only the last step says where it stands.
    while (AdvanceToAFrame())
        m_clips.front().frame(m_next++);
    BecameIdle();
}

void CBoardAnimator::OnTimer(wxTimerEvent&)
{
    Step();
    if (!m_clips.empty())
        ScheduleNextFrame();
}

void CBoardAnimator::ScheduleNextFrame()
{
    // The next frame is due one frame period after the last one began:
    // painting time counts toward the period, as vsync would have it.
    using namespace std::chrono;
    const auto due = m_lastFrame + COpenGLWnd::FramePeriod();
    const auto wait = ceil<milliseconds>(due - steady_clock::now());
    m_timer.StartOnce(static_cast<int>(std::max<milliseconds::rep>(wait.count(), 1)));
}

bool CBoardAnimator::AdvanceToAFrame()
{
    while (!m_clips.empty())
    {
        if (!m_begun)
        {
            m_begun = true;
            m_next = 0;
            m_frames = m_clips.front().begin ? std::max(0, m_clips.front().begin()) : 0;
        }
        if (m_next < m_frames)
            return true;
        // Off the queue before its end runs: the end may queue more.
        Clip done = std::move(m_clips.front());
        m_clips.pop_front();
        m_begun = false;
        if (done.end)
            done.end();
    }
    return false;
}

void CBoardAnimator::BecameIdle()
{
    m_timer.Stop();
    m_window.InvalidateRect();
    if (m_idleHandler)
        m_idleHandler();
}
