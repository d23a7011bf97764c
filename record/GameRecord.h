#pragma once
// A game as a list of whole moves from its starting position, with a place
// in it: the moves up to the place are on the board, those after it can be
// played again (redo) until a different move is made.

#include <cstddef>
#include <vector>

#include "notation/NotatedMove.h"
#include "rules/CheckerBoard.h"

class CGameRecord
{
public:
    // The opening position, no moves.
    CGameRecord();
    // Starts again from `start` with no moves (New Game, a loaded .plx file).
    void Reset(const CCheckerBoard& start);

    // Records `move`, just played on the board at the current place, whose
    // result is `after`. Moves that could have been played again go.
    void Played(const NotatedMove& move, const CCheckerBoard& after);

    // Moves the place to just after the first `count` moves (0 = the
    // start); clamped to the moves there are.
    void GoTo(std::size_t count);

    const CCheckerBoard& Start() const { return m_boards.front(); }
    // The board at the current place.
    const CCheckerBoard& Board() const { return m_boards[m_place]; }
    // The board after the first `count` moves (clamped).
    const CCheckerBoard& BoardAfter(std::size_t count) const;
    // Every move, including those after the place.
    const std::vector<NotatedMove>& Moves() const { return m_moves; }
    // How many moves are on the board.
    std::size_t Place() const { return m_place; }
    bool CanUndo() const { return m_place > 0; }
    bool CanRedo() const { return m_place < m_moves.size(); }

private:
    std::vector<NotatedMove> m_moves;
    std::vector<CCheckerBoard> m_boards; // m_boards[i]: after the first i moves
    std::size_t m_place = 0;
};
