#include "record/GameClock.h"

#include <gtest/gtest.h>

#include <random>

namespace
{
using namespace std::chrono_literals;
constexpr std::int32_t B = 0, R = 1;

// A made-up moment: the tests never read a real clock.
CGameClock::TimePoint At(std::chrono::nanoseconds since)
{
    return CGameClock::TimePoint(std::chrono::duration_cast<CGameClock::Duration>(since));
}
} // namespace

TEST(GameClock, AFiveMinuteGameKeepsExactTimeOverManyMovesPausesAndAnimations)
{
    CGameClock clock(TimeControl{300, 3});
    std::mt19937 random(7);
    std::chrono::nanoseconds now = 1000s, spent[2] = {0ns, 0ns};
    for (int ply = 0; ply < 120; ++ply)
    {
        const std::int32_t side = ply % 2;
        clock.Start(side, At(now));
        // Thinking, in odd nanoseconds, broken by a dialog now and then.
        const std::chrono::nanoseconds think(1'000'000 + random() % 4'000'000'000ull);
        if (ply % 7 == 3)
        {
            clock.Pause(At(now + think / 2));
            now += 30s;
            clock.Start(side, At(now + think / 2));
        }
        now += think;
        spent[side] += think;
        ASSERT_TRUE(clock.MoveMade(side, At(now)));
        EXPECT_EQ(clock.Running(), -1); // the slide and the camera's turn cost nobody
        now += 1700ms;
        for (const std::int32_t s : {B, R})
            EXPECT_EQ(clock.Left(s, At(now)), 300s + 3s * ((ply + 2 - s) / 2) - spent[s]) << ply;
    }
    EXPECT_GT(spent[B], 100s); // a real game's worth of thinking
}

TEST(GameClock, TheSideToMoveAloneRunsAndGainsItsIncrementOnlyInTime)
{
    CGameClock clock(TimeControl{60, 2});
    clock.Start(B, At(10s));
    EXPECT_EQ(clock.Left(B, At(25s)), 45s);
    EXPECT_EQ(clock.Left(R, At(25s)), 60s);
    clock.Start(R, At(30s)); // pauses black, without an increment
    EXPECT_EQ(clock.Left(B, At(99s)), 40s);
    ASSERT_TRUE(clock.MoveMade(R, At(31s)));
    EXPECT_EQ(clock.Left(R, At(99s)), 61s);

    // Black's flag falls at 40 s: a move made after it is too late.
    clock.Start(B, At(100s));
    EXPECT_EQ(clock.OutOfTime(At(139'999ms)), -1);
    EXPECT_EQ(clock.OutOfTime(At(140s)), B);
    EXPECT_FALSE(clock.MoveMade(B, At(141s)));
    EXPECT_EQ(clock.Text(B, At(150s)), "0:00");
    EXPECT_EQ(clock.OutOfTime(At(150s)), B);
}

TEST(GameClock, TextShowsTimeRoundedUpAndTheTimerWakesOnlyWhenItChanges)
{
    const struct
    {
        std::chrono::nanoseconds left;
        const char* text;
    } cases[] = {
        {300s, "5:00"},   {299'001ms, "5:00"}, {271s, "4:31"}, {9'901ms, "0:10"},  {9'900ms, "9.9"},
        {9'401ms, "9.5"}, {1ns, "0.1"},        {0s, "0:00"},   {3661s, "1:01:01"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ClockText(std::chrono::duration_cast<CGameClock::Duration>(c.left)), c.text);

    CGameClock clock(TimeControl{12, 0});
    EXPECT_EQ(clock.UntilTextChanges(At(0s)), std::nullopt); // no clock runs: no timer
    clock.Start(R, At(0s));
    EXPECT_EQ(clock.UntilTextChanges(At(700ms)), 300ms);
    // Woken when told, the timer finds a new text each time, the old one
    // until then, and stops at the flag.
    std::chrono::nanoseconds now = 0s;
    int wakes = 0;
    while (const auto wait = clock.UntilTextChanges(At(now)))
    {
        const std::string shown = clock.Text(R, At(now));
        EXPECT_EQ(clock.Text(R, At(now + *wait - 1ms)), shown);
        now += *wait;
        EXPECT_NE(clock.Text(R, At(now)), shown);
        ASSERT_LT(++wakes, 1000);
    }
    EXPECT_EQ(wakes, 3 + 99); // 0:12, 0:11, 0:10 a second each; 9.9 down to 0:00 by tenths
    EXPECT_EQ(now, 12s);
}

TEST(TimeControl, MenuChoicesTagsAndCustomBounds)
{
    const char* tags[] = {"", "300+3", "900+10", "1800", ""};
    ASSERT_EQ(TimeControlChoices().size(), 5u);
    for (std::size_t i = 0; i < 5; ++i)
    {
        const auto& choice = TimeControlChoices()[i];
        EXPECT_EQ(choice.control ? TimeControlTag(*choice.control) : "", tags[i]);
        if (choice.control)
        {
            EXPECT_EQ(ParseTimeControlTag(tags[i]), choice.control);
        }
    }
    EXPECT_STREQ(TimeControlChoices()[4].label, "Custom...");
    EXPECT_EQ(ParseTimeControlTag("1800+0"), (TimeControl{1800, 0}));
    for (const char* other : {"", "0+5", "40/7200:3600", "?", "300+", "1234567"})
        EXPECT_FALSE(ParseTimeControlTag(other)) << other;
    EXPECT_EQ(CustomTimeControl(12, 5), (TimeControl{720, 5}));
    EXPECT_FALSE(CustomTimeControl(0, 5));
    EXPECT_FALSE(CustomTimeControl(5, kMaxCustomIncrementSeconds + 1));
    EXPECT_EQ(DescribeTimeControl({60, 1}), "1 minute + 1 second a move");
    EXPECT_EQ(DescribeTimeControl({90, 0}), "90 seconds");
}
