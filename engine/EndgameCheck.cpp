#include "engine/EndgameCheck.h"

#include <algorithm>

#include "engine/MoveGen.h"

using Outcome = EndgameValue::Outcome;

EndgameValue ValueOfMove(const CEndgameTable& table, const CPosition& position,
                         const EngineMove& move)
{
    const CPosition child = position.After(move);
    if (child.IsOver())
    {
        const bool moverWins =
            !child.HasMove(child.m_side) && (child.HasMove(position.m_side) || !move.IsCapture());
        return {moverWins ? Outcome::Win : Outcome::Loss, 1};
    }
    const EndgameValue value = table.Probe(child, true);
    const int plies = value.plies < 0 ? -1 : value.plies + 1;
    switch (value.outcome)
    {
    case Outcome::Win:
        return {Outcome::Loss, plies};
    case Outcome::Loss:
        return {Outcome::Win, plies};
    default:
        return value;
    }
}

EndgameValue ValueByOneMove(const CEndgameTable& table, const CPosition& position)
{
    const int side = position.m_side;
    if (!position.HasMove(side))
        return {Outcome::Loss, 0};
    if (!position.HasMove(side ^ 1))
        return {Outcome::Win, 0};
    CMoveList moves;
    GenerateMoves(position, moves);
    bool draw = false, distances = true;
    int quickestWin = -1, slowestLoss = 0;
    for (int i = 0; i < moves.Size(); ++i)
    {
        const EndgameValue value = ValueOfMove(table, position, moves[i]);
        if (value.outcome == Outcome::Unknown)
            return {};
        distances = distances && value.plies >= 0;
        if (value.outcome == Outcome::Win)
            quickestWin = quickestWin < 0 ? std::max(value.plies, 0)
                                          : std::min(quickestWin, std::max(value.plies, 0));
        else if (value.outcome == Outcome::Loss)
            slowestLoss = std::max(slowestLoss, value.plies);
        else
            draw = true;
    }
    // Without every distance a win is still a win, but not how quick.
    if (quickestWin >= 0)
        return {Outcome::Win, distances ? quickestWin : -1};
    if (draw)
        return {Outcome::Draw, 0};
    return {Outcome::Loss, distances ? slowestLoss : -1};
}
