#include "engine/TimeManager.h"

#include <gtest/gtest.h>

namespace
{
CTimeManager Started(SearchLimits limits, int legalMoves = 8, int pieces = 16)
{
    CTimeManager time;
    time.Start(limits, legalMoves, pieces);
    return time;
}
} // namespace

TEST(TimeManager, NeverGivesAwayMoreThanTheMoveOrTheClockHolds)
{
    EXPECT_FALSE(Started({}).HasDeadline());
    EXPECT_FALSE(Started({.depth = 10, .nodes = 1000}).HasDeadline());

    // A fixed time: all of it but a small margin for the answer.
    for (int ms : {1, 5, 20, 200, 1000, 60'000})
    {
        const CTimeManager time = Started({.timeMs = ms});
        EXPECT_GE(time.HardMs(), 1) << ms;
        EXPECT_LT(time.HardMs(), ms + (ms == 1 ? 1 : 0)) << ms;
        EXPECT_GE(time.HardMs(), ms - 50) << ms;
        // Short budgets too keep the few milliseconds a busy machine
        // takes to carry the answer (at 20 ms a move 1 ms came late).
        if (ms >= 16)
        {
            EXPECT_LE(time.HardMs(), ms - 8) << ms;
        }
        EXPECT_GE(time.HardMs(), ms / 2) << ms;
    }

    // A clock: whatever is on it, the hard limit leaves a margin, and the
    // soft one fits under the hard one.
    for (int clock : {1, 10, 100, 1000, 10'000, 300'000})
        for (int increment : {0, 100, 3000})
            for (int pieces : {2, 12, 24})
            {
                const CTimeManager time =
                    Started({.clockMs = clock, .incrementMs = increment}, 8, pieces);
                SCOPED_TRACE(testing::Message() << clock << "+" << increment << ", " << pieces);
                EXPECT_GE(time.SoftMs(), 1);
                EXPECT_LE(time.SoftMs(), time.HardMs());
                EXPECT_TRUE(clock <= 2 || time.HardMs() < clock);
                EXPECT_LE(time.HardMs(), clock * 3 / 5 + 1);
            }
    // Moves to go share the clock more generously than a whole game does.
    EXPECT_GT(Started({.clockMs = 60'000, .movesToGo = 5}).SoftMs(),
              Started({.clockMs = 60'000}).SoftMs());
    // The middle game gets more than the first moves and the bare ending.
    const SearchLimits clock{.clockMs = 300'000, .incrementMs = 3000};
    EXPECT_GT(Started(clock, 8, 16).SoftMs(), Started(clock, 8, 24).SoftMs());
    EXPECT_GT(Started(clock, 8, 16).SoftMs(), Started(clock, 8, 4).SoftMs());
    // A forced move next to nothing, on a clock or not.
    EXPECT_LE(Started(clock, 1, 16).HardMs(), 50);
    EXPECT_LE(Started({.timeMs = 1000}, 1, 16).HardMs(), 50);
}

TEST(TimeManager, StartsAnIterationOnlyWithAFairChanceToFinishIt)
{
    // A fixed second: 100 ms iterations growing twofold still fit at 600 ms
    // (half of the next one's 200 ms would end at 700), not at 900.
    CTimeManager fixed = Started({.timeMs = 1000});
    fixed.NoteIteration(50, 10, false);
    fixed.NoteIteration(100, 10, false);
    EXPECT_TRUE(fixed.StartAnother(600));
    EXPECT_FALSE(fixed.StartAnother(900));

    // On a clock the soft limit ends the search early when all is calm,
    // and stretches when the score falls or the best move changes.
    const SearchLimits limits{.clockMs = 60'000};
    CTimeManager calm = Started(limits);
    CTimeManager worried = Started(limits);
    const int soft = calm.SoftMs();
    for (int i = 0; i < 10; ++i)
    {
        calm.NoteIteration(1, 10, false);
        worried.NoteIteration(1, 10 - 40 * i, i % 2 == 1);
    }
    EXPECT_FALSE(calm.StartAnother(soft));
    EXPECT_TRUE(worried.StartAnother(soft));
    EXPECT_FALSE(worried.StartAnother(worried.HardMs()));
}
