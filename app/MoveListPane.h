#pragma once
// The move list: a narrow pane beside the board with the game's moves
// numbered in standard notation, a pair to a line ("1. 11-15 23-19"). The
// last move on the board is set in bold; moves taken back, which redo would
// play again, in grey. Clicking a move asks for the game just after it.
// Drawn in the system's list font and colours.

#include <cstddef>
#include <functional>
#include <vector>

#include <wx/vlbox.h>

#include "notation/NotatedMove.h"

class CGameRecord;

class CMoveListPane : public wxVListBox
{
public:
    // `goToMove(n)` is called with the number of moves to keep on the board
    // when the player clicks a move.
    CMoveListPane(wxWindow* parent, std::function<void(std::size_t)> goToMove);

    // Shows the moves of `record`; does nothing when they and the place are
    // as last shown. Keeps the last move on the board in view.
    void ShowRecord(const CGameRecord& record);

private:
    struct Line
    {
        int number;
        int moves[2]; // indices of black's and red's move, -1 where the line has none
    };

    void OnDrawItem(wxDC& dc, const wxRect& rect, size_t n) const override;
    wxCoord OnMeasureItem(size_t n) const override;
    void OnLeftDown(wxMouseEvent& event);
    // Left edges of the number and of the two moves.
    void Columns(wxCoord (&x)[3]) const;

    std::function<void(std::size_t)> m_goToMove;
    std::vector<NotatedMove> m_moves;
    std::size_t m_place = 0;
    std::vector<Line> m_lines;
};
