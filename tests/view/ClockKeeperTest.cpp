// The game's clocks as the window keeps them, on made-up time: nothing armed
// without a running clock, the text and the timer keeping step, the
// increment, the flag, and a time control that waits for the next game.

#include "view/ClockKeeper.h"

#include <chrono>
#include <vector>

#include <gtest/gtest.h>

#include "ViewTestSupport.h"
#include "WxTestEnvironment.h"

namespace
{
using namespace std::chrono_literals;

class ClockKeeperTest : public ::testing::Test
{
protected:
    ClockKeeperTest()
    {
        keeper.SetTimeSource([this] { return now; });
    }
    std::vector<std::int32_t> flags;
    CClockKeeper::TimePoint now = CClockKeeper::TimePoint{} + 1h;
    CClockKeeper keeper{[this](std::int32_t side) { flags.push_back(side); }};
};
} // namespace

TEST_F(ClockKeeperTest, WithoutAControlNothingShowsAndNothingIsArmed)
{
    keeper.NewGame();
    keeper.Run(CCheckerBoard::BlackSide);
    EXPECT_FALSE(keeper.HasClocks());
    EXPECT_FALSE(keeper.IsArmed()) << "no timer: no CPU without clocks";
    EXPECT_EQ(keeper.PaneText(CCheckerBoard::BlackSide), "");
    EXPECT_EQ(keeper.Running(), -1);
    EXPECT_EQ(keeper.OutOfTime(), -1);
    EXPECT_TRUE(keeper.MoveMade(CCheckerBoard::BlackSide));
    EXPECT_FALSE(keeper.GameControl().has_value());
}

TEST_F(ClockKeeperTest, TheSideToMovesClockCountsDownGainsItsIncrementAndWaitsWhilePaused)
{
    keeper.Choose(TimeControl{300, 3});
    EXPECT_FALSE(keeper.HasClocks()) << "the game under way keeps none";
    keeper.NewGame();
    EXPECT_EQ(keeper.PaneText(CCheckerBoard::BlackSide), "Black 5:00");
    EXPECT_EQ(keeper.PaneText(CCheckerBoard::RedSide), "Red 5:00");
    EXPECT_FALSE(keeper.IsArmed()) << "full clocks, neither running";

    keeper.Run(CCheckerBoard::BlackSide);
    EXPECT_TRUE(keeper.IsArmed());
    now += 29400ms;
    keeper.Tick();
    EXPECT_TRUE(keeper.IsArmed());
    EXPECT_EQ(keeper.PaneText(CCheckerBoard::BlackSide), "Black 4:31");
    EXPECT_EQ(keeper.LeftMs(CCheckerBoard::BlackSide), 270600);
    // 270.6 s left and 3 s gained: 273.6, shown rounded up.
    EXPECT_TRUE(keeper.MoveMade(CCheckerBoard::BlackSide));
    EXPECT_FALSE(keeper.IsArmed());
    EXPECT_EQ(keeper.PaneText(CCheckerBoard::BlackSide), "Black 4:34");
    EXPECT_EQ(keeper.IncrementMs(), 3000);

    // A paused clock keeps its time however long the picture takes.
    now += 10s;
    keeper.Run(CCheckerBoard::RedSide);
    now += 2s;
    keeper.Pause();
    now += 1min;
    EXPECT_EQ(keeper.LeftMs(CCheckerBoard::RedSide), 298000);
    EXPECT_EQ(keeper.Running(), -1);
    EXPECT_FALSE(keeper.IsArmed());
    EXPECT_EQ(keeper.PaneText(CCheckerBoard::BlackSide), "Black 4:34");

    // A new control waits for the next game; putting the clocks away keeps
    // the game's control for its record.
    keeper.Choose(std::nullopt);
    EXPECT_TRUE(keeper.HasClocks());
    keeper.PutAway();
    EXPECT_FALSE(keeper.HasClocks());
    EXPECT_EQ(keeper.GameControl(), (TimeControl{300, 3}));
    keeper.NewGame();
    EXPECT_FALSE(keeper.GameControl().has_value());
    EXPECT_TRUE(flags.empty());
}

TEST_F(ClockKeeperTest, AClockThatReachesZeroStopsAndItsSideIsFlaggedOnce)
{
    keeper.Choose(TimeControl{10, 0});
    keeper.NewGame();
    keeper.Run(CCheckerBoard::RedSide);
    now += 200ms;
    keeper.Tick();
    EXPECT_EQ(keeper.PaneText(CCheckerBoard::RedSide), "Red 9.8") << "tenths under ten seconds";
    now += 9799ms;
    keeper.Tick();
    EXPECT_TRUE(flags.empty()) << "a millisecond is left";
    EXPECT_EQ(keeper.PaneText(CCheckerBoard::RedSide), "Red 0.1");
    now += 1ms;
    EXPECT_EQ(keeper.OutOfTime(), CCheckerBoard::RedSide);
    keeper.Tick();
    EXPECT_EQ(flags, std::vector<std::int32_t>{CCheckerBoard::RedSide});
    EXPECT_EQ(keeper.PaneText(CCheckerBoard::RedSide), "Red 0:00");
    EXPECT_EQ(keeper.Running(), -1);
    EXPECT_FALSE(keeper.IsArmed()) << "nothing ticks after the flag";
    keeper.Tick();
    EXPECT_EQ(flags.size(), 1u);
    EXPECT_FALSE(keeper.MoveMade(CCheckerBoard::RedSide)) << "too late for a move";

    // The timer itself wakes the keeper when the time runs out: made-up
    // time that runs with the real clock, 30 ms from the flag.
    const auto offset = CClockKeeper::TimePoint{} + 1h - std::chrono::steady_clock::now();
    keeper.SetTimeSource([offset] { return std::chrono::steady_clock::now() + offset; });
    keeper.NewGame();
    keeper.Run(CCheckerBoard::BlackSide);
    keeper.SetTimeSource([offset] { return std::chrono::steady_clock::now() + offset + 9970ms; });
    EXPECT_TRUE(PumpUntil([this] { return flags.size() == 2; }, 5s));
    EXPECT_EQ(flags.back(), CCheckerBoard::BlackSide);
}
