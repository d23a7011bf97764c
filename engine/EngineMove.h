#pragma once
// One whole move as the engine plays it: a step, or a capture sequence with
// every landing square, so it can be printed exactly as the rules name it.

#include <array>
#include <cstdint>

#include "notation/NotatedMove.h"

struct EngineMove
{
    // A capture jumps over at most the 18 squares off the board's edge.
    static constexpr int kMaxSquares = 20;

    // Left uninitialised on purpose: move lists hold hundreds and are
    // filled, never cleared. Write `EngineMove move{}` for a blank one.
    std::uint32_t captured;                     // enemy pieces taken (bit n - 1 = square n)
    std::uint8_t length;                        // squares in `path`, the starting one included
    bool crowns;                                // a man that ends the move as a king
    std::array<std::uint8_t, kMaxSquares> path; // square indices 0..31

    int From() const { return path[0]; }
    int To() const { return path[length - 1]; }
    bool IsCapture() const { return captured != 0; }

    bool operator==(const EngineMove& other) const
    {
        if (captured != other.captured || length != other.length || crowns != other.crowns)
            return false;
        for (int i = 0; i < length; ++i)
            if (path[i] != other.path[i])
                return false;
        return true;
    }
};

// The move in standard notation (squares 1..32).
inline NotatedMove ToNotated(const EngineMove& move)
{
    NotatedMove notated;
    notated.capture = move.IsCapture();
    for (int i = 0; i < move.length; ++i)
        notated.squares.push_back(move.path[i] + 1);
    return notated;
}
