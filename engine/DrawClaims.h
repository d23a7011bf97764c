#pragma once
// A referee's count of the claimable draws along a game that is played
// position by position: which draw, if any, a player could claim now.

#include <algorithm>
#include <vector>

#include "engine/DrawRules.h"

enum class DrawClaim
{
    None,
    Repetition, // the position for the third time
    FortyMoves, // 80 plies without a man moved or a piece taken
};

class CDrawClaims
{
public:
    explicit CDrawClaims(const CPosition& start) : m_sinceReset{start} {}

    // The position after the next whole move.
    void Played(const CPosition& after)
    {
        if (ResetsQuietCount(m_sinceReset.back(), after))
            m_sinceReset.clear();
        m_sinceReset.push_back(after);
    }

    // When both draws may be claimed, the repetition, as the game's record
    // names it (record/DrawRules.h), so a game ends the same way whoever
    // referees it. A finished game has no draw to claim: its last move won it.
    DrawClaim Claimable() const
    {
        if (m_sinceReset.back().IsOver())
            return DrawClaim::None;
        if (std::count(m_sinceReset.begin(), m_sinceReset.end(), m_sinceReset.back()) >=
            kRepetitionsForDraw)
            return DrawClaim::Repetition;
        if (static_cast<int>(m_sinceReset.size()) - 1 >= kQuietPliesForDraw)
            return DrawClaim::FortyMoves;
        return DrawClaim::None;
    }

private:
    // Only these can come again; the first is where the count started.
    std::vector<CPosition> m_sinceReset;
};
