#pragma once

#include <cstdint>

// What a proposed move did. Captures that can go on keep the turn with the
// same piece; a finished game still accepts moves (nothing stops them).
enum MoveResult : std::int32_t
{
    MoveRefused = 0,      // illegal; the board is unchanged
    MoveTurnPassed = 1,   // made; the other side is to move
    MoveCaptureAgain = 2, // capture made; the same piece must capture again
    MoveGameOver = 3,     // made; one side (either) has no move left
};
