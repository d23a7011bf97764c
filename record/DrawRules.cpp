#include "record/DrawRules.h"

#include "notation/Squares.h"

namespace
{
bool IsKing(std::int32_t code)
{
    return code == CCheckerBoard::BlackKing || code == CCheckerBoard::RedKing;
}

// A king's step: neither a man's move nor a capture, so nothing that cannot
// be undone happened.
bool IsQuiet(const CCheckerBoard& before, const NotatedMove& move)
{
    int row = 0, col = 0;
    if (move.capture || move.squares.empty() || !SquareRowCol(move.squares.front(), row, col))
        return false;
    return IsKing(before.m_cells[8 * row + col]);
}
} // namespace

DrawCounts CountDrawRules(const CGameRecord& record)
{
    DrawCounts counts;
    const std::size_t place = record.Place();
    while (counts.quietPlies < static_cast<int>(place))
    {
        const std::size_t move = place - 1 - static_cast<std::size_t>(counts.quietPlies);
        if (!IsQuiet(record.BoardAfter(move), record.Moves()[move]))
            break;
        ++counts.quietPlies;
    }
    // Every move before the quiet stretch changed the men or the number of
    // pieces for good, so only positions inside it can repeat the place's.
    const CCheckerBoard& here = record.Board();
    for (int back = 1; back <= counts.quietPlies; ++back)
        counts.repetitions += record.BoardAfter(place - static_cast<std::size_t>(back)) == here;
    return counts;
}

std::optional<GameEndKind> ClaimableDraw(const CGameRecord& record)
{
    if (record.IsOver())
        return std::nullopt;
    const DrawCounts counts = CountDrawRules(record);
    if (counts.repetitions >= kRepetitionsForDraw)
        return GameEndKind::Repetition;
    if (counts.quietPlies >= kQuietPliesForDraw)
        return GameEndKind::FortyMoves;
    return std::nullopt;
}
