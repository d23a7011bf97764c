#pragma once
// Plays the board's animations (chip slides, camera turns, the circling at
// the end of a game) one frame per timer tick, so that the window goes on
// painting, opening menus and closing between frames. The game's record
// changes at once; the picture follows through the queue here.
//
// Clips play in the order they were queued. A clip decides when its turn
// comes how many frames it shows, so it sees what the clips before it left
// (the chips rebuilt, the camera turned). Only the window thread calls these.

#include <chrono>
#include <deque>
#include <functional>

#include <wx/timer.h>

class COpenGLWnd;

class CBoardAnimator
{
public:
    struct Clip
    {
        // Called when the clip's turn comes: how many frames it shows (0: none).
        std::function<int()> begin;
        // Puts the picture at frame `frame` (0 to the count less one).
        std::function<void(int frame)> frame;
        // After the last frame, or straight after `begin` when it showed none.
        std::function<void()> end;
    };

    // Paints its frames in `window`, which must outlive the animator.
    explicit CBoardAnimator(COpenGLWnd& window);
    CBoardAnimator(const CBoardAnimator&) = delete;
    CBoardAnimator& operator=(const CBoardAnimator&) = delete;

    // Appends `clip`; the timer starts it when nothing plays before it.
    void Queue(Clip clip);
    // Appends a step without frames: `action` runs when its turn comes.
    void QueueAction(std::function<void()> action);

    // Shows the next frame and paints it at once. Ends the clips whose frames
    // are all shown on the way; when none is left, asks for a repaint of the
    // end state and reports idle. Nothing when idle.
    void Step();
    // Plays everything queued to its end at once, without painting the
    // frames between: the picture jumps to where the animations would leave
    // it. Reports idle if anything was playing.
    void Finish();

    // Nothing queued or playing: the board is ready for a move.
    bool IsIdle() const { return m_clips.empty(); }
    // Called each time the last clip ends (by the timer, Step or Finish).
    void SetIdleHandler(std::function<void()> handler) { m_idleHandler = std::move(handler); }
    // Called each time a clip is queued while none was: the picture stops
    // showing the board as it is until the idle handler is called.
    void SetBusyHandler(std::function<void()> handler) { m_busyHandler = std::move(handler); }

private:
    void OnTimer(wxTimerEvent& event);
    void ScheduleNextFrame();
    // Ends the clip in front and begins the ones after it until one has a
    // frame to show; false when the queue ran out.
    bool AdvanceToAFrame();
    void BecameIdle();

    COpenGLWnd& m_window;
    wxTimer m_timer;
    std::deque<Clip> m_clips; // the front one is playing once begun
    bool m_begun = false;     // the front clip's begin has run
    int m_frames = 0;         // its frame count
    int m_next = 0;           // its next frame to show
    std::chrono::steady_clock::time_point m_lastFrame;
    std::function<void()> m_idleHandler;
    std::function<void()> m_busyHandler;
};
