#include "record/GameClock.h"

#include <algorithm>

namespace
{
using std::chrono::milliseconds;
using std::chrono::seconds;
using Duration = CGameClock::Duration;

constexpr Duration kTenths = milliseconds(9900); // at or under this, tenths are shown
constexpr Duration kTenth = milliseconds(100);

bool IsSide(std::int32_t side)
{
    return side == 0 || side == 1;
}

// Where the text of `left` last changed going down: the greatest time
// below `left` whose text differs. Shown rounded up, so the text changes
// exactly on whole seconds (whole tenths under ten seconds).
Duration NextChangeAt(Duration left)
{
    if (left <= kTenths)
        return (std::chrono::ceil<milliseconds>(left) - milliseconds(1)) / kTenth * kTenth;
    const Duration second =
        (std::chrono::ceil<milliseconds>(left) - milliseconds(1)) / seconds(1) * seconds(1);
    return std::max(second, kTenths);
}
} // namespace

CGameClock::CGameClock(const TimeControl& control)
    : m_control(control), m_left{seconds(control.seconds), seconds(control.seconds)}
{
}

void CGameClock::Start(std::int32_t side, TimePoint now)
{
    if (!IsSide(side))
        return;
    Pause(now);
    m_running = side;
    m_since = now;
}

void CGameClock::Pause(TimePoint now)
{
    if (m_running < 0)
        return;
    m_left[m_running] = Left(m_running, now);
    m_running = -1;
}

bool CGameClock::MoveMade(std::int32_t side, TimePoint now)
{
    if (!IsSide(side))
        return false;
    if (m_running == side)
        Pause(now);
    if (m_left[side] <= Duration::zero())
        return false;
    m_left[side] += seconds(m_control.incrementSeconds);
    return true;
}

CGameClock::Duration CGameClock::Left(std::int32_t side, TimePoint now) const
{
    if (!IsSide(side))
        return Duration::zero();
    Duration left = m_left[side];
    if (side == m_running && now > m_since)
        left -= now - m_since;
    return std::max(left, Duration::zero());
}

std::int32_t CGameClock::OutOfTime(TimePoint now) const
{
    for (const std::int32_t side : {0, 1})
        if (Left(side, now) == Duration::zero())
            return side;
    return -1;
}

std::string CGameClock::Text(std::int32_t side, TimePoint now) const
{
    return ClockText(Left(side, now));
}

std::optional<milliseconds> CGameClock::UntilTextChanges(TimePoint now) const
{
    if (m_running < 0)
        return std::nullopt;
    const Duration left = Left(m_running, now);
    if (left == Duration::zero())
        return std::nullopt;
    return std::chrono::ceil<milliseconds>(left - NextChangeAt(left));
}

std::string ClockText(Duration left)
{
    if (left <= Duration::zero())
        return "0:00";
    const long long ms = std::chrono::ceil<milliseconds>(left).count();
    const auto two = [](long long n) { return (n < 10 ? "0" : "") + std::to_string(n); };
    if (left <= kTenths)
    {
        const long long tenths = (ms + 99) / 100;
        return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
    }
    const long long total = (ms + 999) / 1000;
    const long long hours = total / 3600, minutes = total / 60 % 60, secs = total % 60;
    if (hours > 0)
        return std::to_string(hours) + ":" + two(minutes) + ":" + two(secs);
    return std::to_string(minutes) + ":" + two(secs);
}
