#pragma once
// The game's two clocks as the window keeps them: the time control chosen
// for the next game, the clocks of the game being played, and a one-shot
// timer that wakes the window only when the running clock's text changes or
// its time runs out. Nothing is armed while no clock runs, so a game without
// clocks, or one that is over, costs no CPU at all.
//
// Every time is read from a time source that tests replace, so that no test
// waits for a clock; the timer only decides when to look. Only the window
// thread calls these.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include <wx/timer.h>

#include "record/GameClock.h"
#include "record/TimeControl.h"

class CClockKeeper
{
public:
    using TimePoint = CGameClock::TimePoint;
    using TimeSource = std::function<TimePoint()>;
    using FlagHandler = std::function<void(std::int32_t side)>;

    // `onFlag` hears of a side whose running clock reached zero, from the
    // timer (or Tick); that clock has stopped by then. No clocks at first.
    explicit CClockKeeper(FlagHandler onFlag);
    CClockKeeper(const CClockKeeper&) = delete;
    CClockKeeper& operator=(const CClockKeeper&) = delete;

    // Where the time comes from from now on (the steady clock at first).
    void SetTimeSource(TimeSource now);

    // The time control the next game is played with; nothing: no clocks.
    // The game under way keeps its own.
    void Choose(const std::optional<TimeControl>& control);
    const std::optional<TimeControl>& Chosen() const { return m_chosen; }

    // A game starts: both clocks full under the chosen control, neither
    // running; or no clocks when none is chosen.
    void NewGame();
    // The clocks go for the rest of this game (a finished timed game is
    // being looked through); GameControl still says it was timed.
    void PutAway();

    // The game has clocks: from NewGame under a control until PutAway.
    bool HasClocks() const { return m_clock.has_value(); }
    // The control this game started with, after PutAway too; nothing for
    // a game without clocks.
    const std::optional<TimeControl>& GameControl() const { return m_gameControl; }

    // `side`'s clock runs from now (the board is ready for its move); a
    // clock running for the other side stops first. Nothing without clocks.
    void Run(std::int32_t side);
    // Stops the running clock (the picture is moving, or the game is over).
    void Pause();
    // `side` completed a move now: its clock stops and gains the increment.
    // False when its time had run out first; true without clocks.
    bool MoveMade(std::int32_t side);

    // The side whose clock runs, or -1.
    std::int32_t Running() const;
    // `side`'s time left in whole milliseconds; 0 without clocks.
    int LeftMs(std::int32_t side) const;
    // What each side gains a move, in milliseconds; 0 without clocks.
    int IncrementMs() const;
    // The side whose time has run out, or -1 (and -1 without clocks).
    std::int32_t OutOfTime() const;
    // The status bar's pane for `side`: "Black 4:31", "Red 9.4"; "" without
    // clocks.
    std::string PaneText(std::int32_t side) const;

    // What the timer does when it fires: a running clock that has reached
    // zero stops and its side is reported; otherwise the timer is armed for
    // the next change of the running clock's text.
    void Tick();
    // The timer is armed: some clock runs.
    bool IsArmed() const { return m_timer.IsRunning(); }

private:
    void Arm();

    FlagHandler m_onFlag;
    TimeSource m_now;
    std::optional<TimeControl> m_chosen;
    std::optional<TimeControl> m_gameControl;
    std::optional<CGameClock> m_clock;
    wxTimer m_timer;
};
