#pragma once
// A game as a list of whole moves from its starting position, with a place
// in it: the moves up to the place are on the board, those after it can be
// played again (redo) until a different move is made. Each move carries its
// note (mark, comment, evaluation); the game may carry a comment of its own
// and, once it is over other than by a side without a move, how it ended.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "notation/NotatedMove.h"
#include "record/MoveNote.h"
#include "rules/CheckerBoard.h"
#include "rules/GameEnd.h"

class CGameRecord
{
public:
    // The opening position, no moves.
    CGameRecord();
    // Starts again from `start` with no moves, notes or end (New Game, a
    // loaded .plx file).
    void Reset(const CCheckerBoard& start);

    // Records `move`, just played on the board at the current place, whose
    // result is `after`. Moves that could have been played again go with
    // their notes, and so does an end recorded at the place; the same move
    // played again keeps its own note.
    void Played(const NotatedMove& move, const CCheckerBoard& after);

    // Moves the place to just after the first `count` moves (0 = the
    // start); clamped to the moves there are. Moving back removes the end.
    void GoTo(std::size_t count);

    const CCheckerBoard& Start() const { return m_boards.front(); }
    // The board at the current place.
    const CCheckerBoard& Board() const { return m_boards[m_place]; }
    // The board after the first `count` moves (clamped).
    const CCheckerBoard& BoardAfter(std::size_t count) const;
    // The boards from the start to the place, the place's last: the game so
    // far, as a search that knows the draw rules is given it.
    std::vector<CCheckerBoard> History() const;
    // Every move, including those after the place.
    const std::vector<NotatedMove>& Moves() const { return m_moves; }
    // How many moves are on the board.
    std::size_t Place() const { return m_place; }
    bool CanUndo() const { return m_place > 0; }
    bool CanRedo() const { return m_place < m_moves.size(); }

    // The note of move `index` (0 = the first move); an empty note past the
    // last move.
    const MoveNote& Note(std::size_t index) const;
    // Replaces the note of move `index`; ignored past the last move.
    void SetNote(std::size_t index, MoveNote note);
    // A comment on the game as a whole (PDN's comment before the first move).
    const std::string& GameComment() const { return m_gameComment; }
    void SetGameComment(std::string comment) { m_gameComment = std::move(comment); }

    // Ends the game at its place by `end`; the moves after the place go.
    // False, and nothing changes, when the game is already over there (a
    // side without a legal move, or an end already recorded).
    bool EndGame(const GameEnd& end);
    // How the game ended, when it ended by anything but a side without a
    // legal move; present only at the place where it ended.
    const std::optional<GameEnd>& End() const { return m_end; }
    // True when no move may be made at the place: a side cannot move, or
    // the game ended otherwise.
    bool IsOver() const { return m_end.has_value() || Board().IsGameOver(); }

    bool operator==(const CGameRecord&) const = default;

private:
    std::vector<NotatedMove> m_moves;
    std::vector<MoveNote> m_notes;       // m_notes[i]: of m_moves[i]
    std::vector<CCheckerBoard> m_boards; // m_boards[i]: after the first i moves
    std::size_t m_place = 0;
    std::string m_gameComment;
    std::optional<GameEnd> m_end; // only ever at the last move, with the place there
};
