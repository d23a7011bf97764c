#pragma once
// The 32 playable squares as the bits of one word: bit n - 1 stands for the
// standard square n, so a whole colour, all kings or every empty square is
// one mask, and stepping every piece one way at once is one or two shifts.

#include <array>
#include <bit>
#include <cstdint>

#include "notation/Squares.h"

namespace bitboard
{
using Mask = std::uint32_t;

constexpr Mask kAll = 0xFFFFFFFFu;
constexpr Mask kRow0 = 0x0000000Fu; // squares 1..4: red men crown here
constexpr Mask kRow7 = 0xF0000000u; // squares 29..32: black men crown here

constexpr Mask Bit(int index)
{
    return Mask{1} << index;
}

// Index 0..31 of the lowest set bit; the mask must not be empty.
inline int Lowest(Mask mask)
{
    return std::countr_zero(mask);
}

inline int Count(Mask mask)
{
#if defined(__POPCNT__)
    return std::popcount(mask);
#else
    // Without the instruction the library call costs more than this.
    mask -= (mask >> 1) & 0x55555555u;
    mask = (mask & 0x33333333u) + ((mask >> 2) & 0x33333333u);
    return static_cast<int>((((mask + (mask >> 4)) & 0x0F0F0F0Fu) * 0x01010101u) >> 24);
#endif
}

// Board row and column of an index (square index + 1), with the game's
// orientation: black on rows 0..2, (0, 0) dark.
constexpr int RowOf(int index)
{
    int row = 0, col = 0;
    SquareRowCol(index + 1, row, col);
    return row;
}

constexpr int ColOf(int index)
{
    int row = 0, col = 0;
    SquareRowCol(index + 1, row, col);
    return col;
}

// The index of (row, col), or -1 off the board or on a light square.
constexpr int IndexAt(int row, int col)
{
    return SquareNumber(row, col) - 1;
}

// Diagonal directions as (row, column) steps. Black men go the first two,
// red men the last two, kings all four; 3 - d is the way back along d.
constexpr int kDirRow[4] = {+1, +1, -1, -1};
constexpr int kDirCol[4] = {+1, -1, +1, -1};
constexpr int kBlackForward[2] = {0, 1};
constexpr int kRedForward[2] = {2, 3};

constexpr int Opposite(int dir)
{
    return 3 - dir;
}

namespace detail
{
struct Tables
{
    std::array<std::array<std::int8_t, 32>, 4> step{}; // neighbour or -1
    std::array<std::array<std::int8_t, 32>, 4> jump{}; // two squares on, or -1
    std::array<std::array<int, 2>, 4> shift{};         // index change, by row parity
    std::array<std::array<Mask, 2>, 4> from{};         // squares that have that neighbour
};

// Taken from the row/column geometry rather than typed in: along one
// diagonal the index changes by 3, 4 or 5 depending on the row's parity.
constexpr Tables MakeTables()
{
    Tables t{};
    for (int dir = 0; dir < 4; ++dir)
        for (int index = 0; index < 32; ++index)
        {
            const int row = RowOf(index), col = ColOf(index);
            const int next = IndexAt(row + kDirRow[dir], col + kDirCol[dir]);
            t.step[dir][index] = static_cast<std::int8_t>(next);
            t.jump[dir][index] =
                static_cast<std::int8_t>(IndexAt(row + 2 * kDirRow[dir], col + 2 * kDirCol[dir]));
            if (next >= 0)
            {
                t.shift[dir][row % 2] = next - index;
                t.from[dir][row % 2] |= Bit(index);
            }
        }
    return t;
}
} // namespace detail

inline constexpr detail::Tables kTables = detail::MakeTables();

// Every square of `mask` moved one step along `dir`; squares without a
// neighbour that way drop out. The template is for the hot paths, where the
// direction is known when compiling and the shifts fold to constants.
template <int Dir> constexpr Mask Shift(Mask mask)
{
    constexpr int even = kTables.shift[Dir][0], odd = kTables.shift[Dir][1];
    const Mask a = mask & kTables.from[Dir][0], b = mask & kTables.from[Dir][1];
    return (even >= 0 ? a << even : a >> -even) | (odd >= 0 ? b << odd : b >> -odd);
}

constexpr Mask Shift(int dir, Mask mask)
{
    switch (dir)
    {
    case 0:
        return Shift<0>(mask);
    case 1:
        return Shift<1>(mask);
    case 2:
        return Shift<2>(mask);
    default:
        return Shift<3>(mask);
    }
}

constexpr int Step(int dir, int index)
{
    return kTables.step[dir][index];
}

constexpr int Jump(int dir, int index)
{
    return kTables.jump[dir][index];
}
} // namespace bitboard
