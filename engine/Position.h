#pragma once
// A position as the engine searches it: one mask per colour, one for kings,
// one for dead squares and the side to move. A plain value; playing a move
// gives a new one.

#include <cstdint>

#include "engine/Bitboard.h"
#include "engine/EngineMove.h"
#include "notation/Fen.h"
#include "rules/CheckerBoard.h"

class CPosition
{
public:
    // Side codes as the rules have them.
    static constexpr int Black = CCheckerBoard::BlackSide;
    static constexpr int Red = CCheckerBoard::RedSide;

    static CPosition Start();
    // A dark square whose code is 0 (only a saved game can hold one) becomes
    // dead: nothing stands there and nothing may land there. A side other
    // than 0 or 1 is read as black; callers that care check it first.
    static CPosition FromBoard(const CCheckerBoard& board);
    static CPosition FromFen(const FenPosition& fen);
    FenPosition ToFen() const;

    bitboard::Mask Pieces(int side) const { return side == Black ? m_black : m_red; }
    bitboard::Mask Empty() const { return ~(m_black | m_red | m_dead); }

    // True if `side` has any legal move here (a step or a capture),
    // whoever is to move.
    bool HasMove(int side) const;
    bool HasCapture(int side) const;
    // Either side without a legal move: the game is over.
    bool IsOver() const { return !HasMove(Black) || !HasMove(Red); }

    // The position after `move` (one generated for this position), the other
    // side to move.
    CPosition After(const EngineMove& move) const;

    bool operator==(const CPosition&) const = default;

    bitboard::Mask m_black = 0;
    bitboard::Mask m_red = 0;
    bitboard::Mask m_kings = 0; // of either colour
    bitboard::Mask m_dead = 0;  // dark squares no piece may enter
    int m_side = Black;
};

// Whether the pieces `mine` (kings among them in `kings`) moving as `side`
// have a step or a capture, against `theirs`, with `empty` the free squares.
// The generator asks this in the middle of a capture, so it takes loose masks.
bool SideCanMove(int side, bitboard::Mask mine, bitboard::Mask kings, bitboard::Mask theirs,
                 bitboard::Mask empty);
bool SideCanCapture(int side, bitboard::Mask mine, bitboard::Mask kings, bitboard::Mask theirs,
                    bitboard::Mask empty);
