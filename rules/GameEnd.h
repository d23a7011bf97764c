#pragma once
// The ends of a game other than a side left without a legal move: the two
// draws a player may claim, a draw agreed, a resignation, a loss on time.
// The rules never end a game this way by themselves; a player (or the
// computer, or the clock) does, and the game's record keeps it.

#include <cstdint>

enum class GameEndKind
{
    Repetition, // drawn: the same position, same side to move, for the third time
    FortyMoves, // drawn: forty moves each without a man moving or a capture
    Agreement,  // drawn: one side offered, the other accepted
    Resignation,
    Time, // the loser's clock ran out
};

// The two claims' thresholds, shared by the game's record and the engine's
// referee and search, which must never disagree on them. Threefold
// repetition: the same position (the same pieces on the same squares, the
// same side to move) this many times.
constexpr int kRepetitionsForDraw = 3;
// The forty-move rule: forty moves each, 80 plies in a row, without a man
// moving (a man crowned moved) and without a capture.
constexpr int kQuietPliesForDraw = 80;

struct GameEnd
{
    GameEndKind kind = GameEndKind::Agreement;
    // The side that lost a resignation or on time; -1 for a draw.
    std::int32_t loser = -1;

    bool IsDraw() const
    {
        return kind == GameEndKind::Repetition || kind == GameEndKind::FortyMoves ||
               kind == GameEndKind::Agreement;
    }
    bool operator==(const GameEnd&) const = default;
};

// Draws carry no loser; a resignation or a loss on time names the side.
constexpr GameEnd DrawnBy(GameEndKind kind)
{
    return {kind, -1};
}
constexpr GameEnd LostBy(GameEndKind kind, std::int32_t loser)
{
    return {kind, loser};
}
