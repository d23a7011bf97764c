#pragma once
// The evaluation graph under the board: the evaluation of the position
// after each move of the game, as a review or a loaded game left it on the
// moves, plotted from the start on the left to the last move on the right;
// black's advantage up, red's down, clamped at three men. The place the
// game is at is marked with a line, mistakes and blunders with dots. A
// click goes to the move under the pointer, as a click in the move list
// does. Drawn with wx in the system's colours.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <wx/window.h>

class CGameRecord;

class CEvaluationGraphPane : public wxWindow
{
public:
    // `goToMove(n)` is called with the number of moves to keep on the board
    // when the player clicks the plot.
    CEvaluationGraphPane(wxWindow* parent, std::function<void(std::size_t)> goToMove);

    // Plots the evaluations on the moves of `record` (all of them, those
    // after its place too) and marks its place; does nothing when nothing
    // the plot shows has changed.
    void ShowRecord(const CGameRecord& record);

    // The client point of the position after `moves` moves valued `value`
    // (hundredths of a man for black, clamped), and the number of moves of
    // the position nearest to client x `x` (tests, and the click).
    wxPoint PointOf(std::size_t moves, int value) const;
    std::size_t MovesAt(int x) const;
    // How many moves have an evaluation to plot.
    std::size_t PlottedCount() const;

private:
    struct Point
    {
        std::optional<int> value; // on the review's scale, for black
        std::string mark;

        bool operator==(const Point&) const = default;
    };

    wxRect PlotArea() const;
    void OnPaint(wxPaintEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnSize(wxSizeEvent& event);

    std::function<void(std::size_t)> m_goToMove;
    std::vector<Point> m_points; // m_points[i]: after move i
    std::size_t m_place = 0;
};
