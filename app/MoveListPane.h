#pragma once
// The move list: a narrow pane beside the board with the game's moves
// numbered in standard notation, a pair to a line ("1. 11-15 23-19"). The
// last move on the board is set in bold; moves taken back, which redo would
// play again, in grey. A move too long for its column (a king's long
// capture) goes on below, broken after a jump, so every move shows whole at
// any width. A move's mark follows it ("3-7??"), a mistake in amber and a
// blunder in red, and a line whose moves have evaluations (a review's, or
// a loaded game's) shows them in a row below. Clicking a move asks for the
// game just after it. Drawn in the system's list font and colours.

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include <wx/vlbox.h>

#include "notation/NotatedMove.h"
#include "record/MoveNote.h"

class CGameRecord;

// `text`, a move, in pieces no wider than `width` as `measure` gives widths:
// broken only after an "x" or a "-", so that a piece that cannot be broken
// (one square number and its sign) stands whole even when it is wider. The
// pieces joined give `text` back.
std::vector<std::string> WrapMove(const std::string& text, int width,
                                  const std::function<int(const std::string&)>& measure);

class CMoveListPane : public wxVListBox
{
public:
    // `goToMove(n)` is called with the number of moves to keep on the board
    // when the player clicks a move.
    CMoveListPane(wxWindow* parent, std::function<void(std::size_t)> goToMove);

    // Shows the moves of `record`; does nothing when they and the place are
    // as last shown. Keeps the last move on the board in view.
    void ShowRecord(const CGameRecord& record);

    // The rows a line takes at the pane's width (tests).
    std::size_t RowsOf(std::size_t line) const;

private:
    struct Line
    {
        int number;
        int moves[2]; // indices of black's and red's move, -1 where the line has none
    };

    void OnDrawItem(wxDC& dc, const wxRect& rect, size_t n) const override;
    wxCoord OnMeasureItem(size_t n) const override;
    void OnLeftDown(wxMouseEvent& event);
    void OnSize(wxSizeEvent& event);
    // Left edges of the number and of the two moves; the moves' column width.
    void Columns(wxCoord (&x)[3], wxCoord& width) const;
    wxCoord RowHeight() const;
    // The pieces of move `index` (with its mark) in its column.
    std::vector<std::string> Pieces(int index, wxCoord width) const;
    // The rows the moves of a line take, before any row of evaluations.
    std::size_t MoveRowsOf(const Line& line, wxCoord width) const;
    bool HasEvaluations(const Line& line) const;

    std::function<void(std::size_t)> m_goToMove;
    std::vector<NotatedMove> m_moves;
    std::vector<MoveNote> m_notes; // m_notes[i]: of m_moves[i]
    std::size_t m_place = 0;
    std::vector<Line> m_lines;
    int m_measuredWidth = -1;
};
