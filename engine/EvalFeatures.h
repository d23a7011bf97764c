#pragma once
// The shape of the learned evaluation: which features a position has and
// where each one's weight sits in the weight table. The engine sums weights
// over these features; the trainer fits the weights over the very same
// features, so the two cannot drift apart.
//
// Every feature is seen from both sides: black's pieces on the board as it
// is, red's on the board turned half round with the colours swapped, and
// red's contributions count negatively. A position and its colour-flipped
// twin therefore score exactly opposite, whatever the weights.

#include <algorithm>
#include <array>
#include <cstdint>

#include "engine/Bitboard.h"
#include "engine/Position.h"

namespace evalfeatures
{
// Coefficients are whole 24ths: the game phase runs from 24 pieces (the
// opening, all middle-game weight) down to none (all ending weight).
constexpr int kPhaseScale = 24;

// Nine overlapping 4x4 blocks of the board, each holding eight dark
// squares that are empty, the viewing side's or the other side's (a king
// counts as its colour's piece): 3^8 arrangements each.
constexpr int kBlocks = 9;
constexpr int kBlockStates = 6561;

// The weight table's layout. Pairs are (middle game, ending).
constexpr int kMan = 0;                          // a man, [phase]
constexpr int kKing = kMan + 2;                  // a king, [phase]
constexpr int kTempo = kKing + 2;                // having the move
constexpr int kTrade = kTempo + 1;               // a lead in pieces, worth more on an emptier board
constexpr int kMobility = kTrade + 1;            // one step open, [phase]
constexpr int kManSquare = kMobility + 2;        // a man on a square, [square][phase]
constexpr int kKingSquare = kManSquare + 2 * 32; // a king on a square, [square][phase]
constexpr int kBlock = kKingSquare + 2 * 32;     // a block's arrangement, [block][state]
constexpr int kCount = kBlock + kBlocks * kBlockStates;

namespace detail
{
// The squares of `mask` as seen from the other side of the board.
constexpr bitboard::Mask Turned(bitboard::Mask mask)
{
    mask = ((mask >> 1) & 0x55555555u) | ((mask & 0x55555555u) << 1);
    mask = ((mask >> 2) & 0x33333333u) | ((mask & 0x33333333u) << 2);
    mask = ((mask >> 4) & 0x0F0F0F0Fu) | ((mask & 0x0F0F0F0Fu) << 4);
    mask = ((mask >> 8) & 0x00FF00FFu) | ((mask & 0x00FF00FFu) << 8);
    return (mask >> 16) | (mask << 16);
}

constexpr std::array<std::uint16_t, 256> MakeTernary()
{
    std::array<std::uint16_t, 256> table{};
    for (int bits = 0; bits < 256; ++bits)
    {
        int value = 0;
        for (int i = 7; i >= 0; --i)
            value = 3 * value + ((bits >> i) & 1);
        table[bits] = static_cast<std::uint16_t>(value);
    }
    return table;
}
// Eight bits read as the digits of a base-3 number.
inline constexpr auto kTernary = MakeTernary();

// The eight squares of block `b` (rows 2 * (b / 3) up, columns 2 * (b % 3)
// up), packed into a byte. Each of the block's four rows holds two
// neighbouring squares of the mask's four for that row, the same two for
// either row parity.
constexpr unsigned BlockBits(bitboard::Mask mask, int block)
{
    const int shift = 8 * (block / 3) + 2 - block % 3;
    unsigned x = (mask >> shift) & 0x3333u;
    x = (x | (x >> 2)) & 0x0F0Fu;
    return (x | (x >> 4)) & 0xFFu;
}

// Steps open to pieces moving as black does, kings also backwards.
inline int Steps(bitboard::Mask pieces, bitboard::Mask kings, bitboard::Mask empty)
{
    using namespace bitboard;
    return Count(Shift<0>(pieces) & empty) + Count(Shift<1>(pieces) & empty) +
           Count(Shift<2>(kings) & empty) + Count(Shift<3>(kings) & empty);
}
} // namespace detail

// Calls feature(index, coefficient) for every feature of `position`,
// coefficients in 24ths and signed from black's side. An index may come
// more than once.
template <class Feature> void ForEach(const CPosition& position, Feature&& feature)
{
    using namespace bitboard;
    const int pieces = Count(position.m_black | position.m_red);
    const int middle = std::min(pieces, kPhaseScale);
    const int ending = kPhaseScale - middle;
    feature(kTempo, position.m_side == CPosition::Black ? kPhaseScale : -kPhaseScale);
    feature(kTrade, (Count(position.m_black) - Count(position.m_red)) * ending);
    for (int viewer = 0; viewer < 2; ++viewer)
    {
        const int sign = viewer == CPosition::Black ? 1 : -1;
        const bool turn = viewer == CPosition::Red;
        const Mask own = turn ? detail::Turned(position.m_red) : position.m_black;
        const Mask other = turn ? detail::Turned(position.m_black) : position.m_red;
        const Mask kings = turn ? detail::Turned(position.m_kings) : position.m_kings;
        const Mask men = own & ~kings, ownKings = own & kings;
        const Mask empty =
            ~(own | other) & ~(turn ? detail::Turned(position.m_dead) : position.m_dead);

        feature(kMan, sign * middle * Count(men));
        feature(kMan + 1, sign * ending * Count(men));
        feature(kKing, sign * middle * Count(ownKings));
        feature(kKing + 1, sign * ending * Count(ownKings));
        const int steps = detail::Steps(own, ownKings, empty);
        feature(kMobility, sign * middle * steps);
        feature(kMobility + 1, sign * ending * steps);
        for (Mask m = men; m; m &= m - 1)
        {
            const int square = Lowest(m);
            feature(kManSquare + 2 * square, sign * middle);
            feature(kManSquare + 2 * square + 1, sign * ending);
        }
        for (Mask k = ownKings; k; k &= k - 1)
        {
            const int square = Lowest(k);
            feature(kKingSquare + 2 * square, sign * middle);
            feature(kKingSquare + 2 * square + 1, sign * ending);
        }
        for (int block = 0; block < kBlocks; ++block)
        {
            const int state = detail::kTernary[detail::BlockBits(own, block)] +
                              2 * detail::kTernary[detail::BlockBits(other, block)];
            feature(kBlock + block * kBlockStates + state, sign * kPhaseScale);
        }
    }
}
} // namespace evalfeatures
