#pragma once
// One slice of the endgame database: every position with a given material
// (men and kings of each colour), numbered 0..Size() - 1 without gaps.
//
// The database keeps only positions with black to move: a position with red
// to move is turned half round and its colours swapped first (Canonical), so
// red's positions with black's material are black's with red's. Black men
// stand on squares 1..28 and red men on 5..32 (a man on its far row would
// be a king), no two pieces share a square, and there are no dead squares.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/Position.h"

struct EndgameMaterial
{
    int blackMen = 0;
    int blackKings = 0;
    int redMen = 0;
    int redKings = 0;

    int Pieces() const { return blackMen + blackKings + redMen + redKings; }
    int Men() const { return blackMen + redMen; }
    // The same pieces with the colours swapped.
    EndgameMaterial Swapped() const { return {redMen, redKings, blackMen, blackKings}; }
    bool operator==(const EndgameMaterial&) const = default;
};

// Every material of exactly `pieces` pieces with at least one a side,
// fewer men first.
std::vector<EndgameMaterial> MaterialsOf(int pieces);

// "2011" for two black men, no black king, one red man and one red king.
std::string MaterialText(const EndgameMaterial& material);

// The material of `position`'s pieces as they stand.
EndgameMaterial MaterialOf(const CPosition& position);

// The position turned half round with the colours swapped when red is to
// move, so that black is; the same value and the same moves, mirrored.
CPosition Canonical(const CPosition& position);

// A mask turned half round: square n becomes square 33 - n.
bitboard::Mask Rotated(bitboard::Mask mask);

class CEndgameSlice
{
public:
    // Each side needs at least one piece; at most 12 men and kings a side.
    explicit CEndgameSlice(const EndgameMaterial& material);

    const EndgameMaterial& Material() const { return m_material; }
    std::uint64_t Size() const { return m_size; }

    // The number of a position with black to move and this material, or
    // nothing for a position outside the slice (other material, red to
    // move, a man on its far row, dead squares).
    std::optional<std::uint64_t> IndexOf(const CPosition& position) const;
    // The position numbered `index` (below Size()), black to move.
    CPosition PositionAt(std::uint64_t index) const;

private:
    EndgameMaterial m_material;
    // Black men split by how many stand where red men may also stand
    // (squares 5..28): each count opens a block of numbers of its own.
    std::uint64_t m_blockStart[13]{};
    std::uint64_t m_kingPlacements = 0;
    std::uint64_t m_size = 0;
};
