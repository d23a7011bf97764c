#include "engine/SearchTypes.h"

#include <algorithm>

SearchLimits LimitsForLevel(EngineLevel level, std::uint64_t seed)
{
    SearchLimits limits;
    switch (level)
    {
    case EngineLevel::Beginner:
        // Four plies see a one-move shot; the margin lets it pass over up
        // to most of a man for variety, which is where beginners lose games.
        limits.depth = 4;
        limits.randomMargin = 60;
        limits.seed = seed;
        break;
    case EngineLevel::Intermediate:
        // A quarter of a second, but never past ten plies: a club
        // player's look ahead, so Expert stays clearly the stronger.
        limits.timeMs = 250;
        limits.depth = 10;
        limits.bookMargin = kBookMargin;
        limits.seed = seed;
        break;
    case EngineLevel::Expert:
        limits.timeMs = 1000;
        limits.bookMargin = kBookMargin;
        limits.seed = seed;
        break;
    }
    return limits;
}

SearchLimits LimitsOnClock(EngineLevel level, std::uint64_t seed, int clockMs, int incrementMs)
{
    SearchLimits limits = LimitsForLevel(level, seed);
    limits.timeMs = 0;
    // A clock at zero still gets a move, as fast as can be.
    limits.clockMs = std::max(clockMs, 1);
    limits.incrementMs = std::max(incrementMs, 0);
    return limits;
}

SearchLimits LimitsForJudging(EngineLevel level)
{
    SearchLimits limits;
    limits.depth = LimitsForLevel(level, 0).depth;
    limits.timeMs = kJudgingTimeMs;
    return limits;
}

bool CannotWin(int score, int winMoves)
{
    return winMoves <= 0 && score <= kLevelMargin;
}
