#pragma once
// The two draws a player may claim, as the search sees them: the same
// position (pieces, squares and side to move) for the third time, and
// forty moves of each side (80 plies in a row) with no man moved and
// nothing captured. Only the plies since the last man move or capture can
// repeat, so that count bounds every look back for a repetition too.

#include "engine/Position.h"
#include "rules/GameEnd.h"

// True when `move` (one of `position`'s) moves a man or captures: the count
// of quiet plies starts again and no earlier position can come back.
inline bool ResetsQuietCount(const CPosition& position, const EngineMove& move)
{
    return move.IsCapture() || !(position.m_kings & bitboard::Bit(move.From()));
}

// The same, told from the positions before and after a whole move: pieces
// were taken, or some man is no longer where it stood.
inline bool ResetsQuietCount(const CPosition& before, const CPosition& after)
{
    const bitboard::Mask menBefore = (before.m_black | before.m_red) & ~before.m_kings;
    const bitboard::Mask menAfter = (after.m_black | after.m_red) & ~after.m_kings;
    return bitboard::Count(before.m_black | before.m_red) !=
               bitboard::Count(after.m_black | after.m_red) ||
           menBefore != menAfter;
}
