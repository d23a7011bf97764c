#include "view/ClockKeeper.h"

#include <algorithm>
#include <chrono>

#include "rules/CheckerBoard.h"

namespace
{
const char* SideName(std::int32_t side)
{
    return side == CCheckerBoard::BlackSide ? "Black " : "Red ";
}
} // namespace

CClockKeeper::CClockKeeper(FlagHandler onFlag)
    : m_onFlag(std::move(onFlag)), m_now([] { return std::chrono::steady_clock::now(); })
{
    // A timer without an owner sends its ticks to itself.
    m_timer.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { Tick(); });
}

void CClockKeeper::SetTimeSource(TimeSource now)
{
    m_now = std::move(now);
    Arm();
}

void CClockKeeper::Choose(const std::optional<TimeControl>& control)
{
    m_chosen = control;
}

void CClockKeeper::NewGame()
{
    m_timer.Stop();
    m_gameControl = m_chosen;
    m_clock.reset();
    if (m_chosen)
        m_clock.emplace(*m_chosen);
}

void CClockKeeper::PutAway()
{
    m_timer.Stop();
    m_clock.reset();
}

void CClockKeeper::Run(std::int32_t side)
{
    if (!m_clock || m_clock->Running() == side)
        return;
    m_clock->Start(side, m_now());
    Arm();
}

void CClockKeeper::Pause()
{
    m_timer.Stop();
    if (m_clock)
        m_clock->Pause(m_now());
}

bool CClockKeeper::MoveMade(std::int32_t side)
{
    if (!m_clock)
        return true;
    const bool inTime = m_clock->MoveMade(side, m_now());
    Arm();
    return inTime;
}

std::int32_t CClockKeeper::Running() const
{
    return m_clock ? m_clock->Running() : -1;
}

int CClockKeeper::LeftMs(std::int32_t side) const
{
    if (!m_clock)
        return 0;
    return static_cast<int>(
        std::chrono::duration_cast<std::chrono::milliseconds>(m_clock->Left(side, m_now()))
            .count());
}

int CClockKeeper::IncrementMs() const
{
    return m_clock ? m_clock->Control().incrementSeconds * 1000 : 0;
}

std::int32_t CClockKeeper::OutOfTime() const
{
    return m_clock ? m_clock->OutOfTime(m_now()) : -1;
}

std::string CClockKeeper::PaneText(std::int32_t side) const
{
    if (!m_clock)
        return std::string();
    return SideName(side) + m_clock->Text(side, m_now());
}

void CClockKeeper::Tick()
{
    if (!m_clock)
        return;
    const std::int32_t running = m_clock->Running();
    if (running >= 0 && m_clock->OutOfTime(m_now()) == running)
    {
        Pause();
        if (m_onFlag)
            m_onFlag(running);
        return;
    }
    Arm();
}

void CClockKeeper::Arm()
{
    m_timer.Stop();
    if (!m_clock || m_clock->Running() < 0)
        return;
    // No next change of text: the time is out already, which the next tick
    // reports at once.
    const auto wait = m_clock->UntilTextChanges(m_now());
    m_timer.StartOnce(wait ? static_cast<int>(std::max<long long>(wait->count(), 1)) : 1);
}
