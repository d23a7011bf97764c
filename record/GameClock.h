#pragma once
// The two clocks of a timed game. At most one runs: the side to move's,
// from when the board is ready for its move until the move is made (slides
// and camera turns happen while it is paused). A side gains the increment
// after each move it completes in time; a side whose time reaches zero has
// lost. Every time comes in as an argument, so nothing here reads a clock
// and a test drives it with made-up times.

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

#include "record/TimeControl.h"

class CGameClock
{
public:
    using TimePoint = std::chrono::steady_clock::time_point;
    using Duration = std::chrono::steady_clock::duration;

    // Both sides with the control's whole time; neither clock running.
    explicit CGameClock(const TimeControl& control);

    const TimeControl& Control() const { return m_control; }

    // The board is ready for `side`'s move: its clock runs from `now`. A
    // clock already running for the other side is paused first.
    void Start(std::int32_t side, TimePoint now);
    // Stops the running clock at `now` (an animation, a dialog, the game's
    // end); the time it ran is spent. Nothing when no clock runs.
    void Pause(TimePoint now);
    // `side` completed its move at `now`: its clock stops and gains the
    // increment. False, with no increment, when its time ran out first.
    bool MoveMade(std::int32_t side, TimePoint now);

    // The side whose clock runs, or -1.
    std::int32_t Running() const { return m_running; }
    // The time left on `side`'s clock at `now`, never below zero.
    Duration Left(std::int32_t side, TimePoint now) const;
    // The side whose time has run out by `now`, or -1.
    std::int32_t OutOfTime(TimePoint now) const;

    // `side`'s clock as shown: "4:31", "1:05:00" from an hour on, tenths
    // under ten seconds ("9.4"), "0:00" once the time is out. Time is shown
    // rounded up, so "0:00" appears exactly when the side has lost.
    std::string Text(std::int32_t side, TimePoint now) const;
    // How long after `now` the running clock's text next changes (at most
    // a second; a tenth under ten seconds); nothing when no clock runs or
    // the running one is out of time.
    std::optional<std::chrono::milliseconds> UntilTextChanges(TimePoint now) const;

private:
    TimeControl m_control;
    Duration m_left[2];
    std::int32_t m_running = -1;
    TimePoint m_since; // when the running clock last started
};

// A clock's text for `left` (as CGameClock::Text says).
std::string ClockText(CGameClock::Duration left);
