#include "view/ClockKeeper.h"

#include <chrono>
#include <vector>

#include <gtest/gtest.h>

#include "ViewTestSupport.h"
#include "WxTestEnvironment.h"

// The keeper's own timer: armed only while a clock runs, it wakes the keeper
// when the running clock reaches zero (made-up time running 9.97 s ahead of
// the real clock, so 30 ms from the flag), and the flag comes once.
TEST(ClockKeeper, ItsTimerRunsOnlyWithARunningClockAndBringsTheFlagOnce)
{
    using namespace std::chrono_literals;
    std::vector<std::int32_t> flags;
    CClockKeeper keeper([&](std::int32_t side) { flags.push_back(side); });
    auto ahead = 0ms;
    keeper.SetTimeSource([&] { return std::chrono::steady_clock::now() + ahead; });
    keeper.Choose(TimeControl{10, 0});
    keeper.NewGame();
    EXPECT_FALSE(keeper.IsArmed()) << "full clocks, neither running";
    keeper.Run(CCheckerBoard::BlackSide);
    EXPECT_TRUE(keeper.IsArmed());
    keeper.Pause();
    EXPECT_FALSE(keeper.IsArmed());

    keeper.Run(CCheckerBoard::BlackSide);
    ahead = 9970ms;
    keeper.SetTimeSource([&] { return std::chrono::steady_clock::now() + ahead; });
    EXPECT_TRUE(PumpUntil([&] { return !flags.empty(); }, 5s));
    EXPECT_EQ(flags, std::vector<std::int32_t>{CCheckerBoard::BlackSide});
    EXPECT_EQ(keeper.PaneText(CCheckerBoard::BlackSide), "Black 0:00");
    EXPECT_FALSE(keeper.IsArmed()) << "nothing ticks after the flag";
    keeper.Tick();
    EXPECT_EQ(flags.size(), 1u);
}
