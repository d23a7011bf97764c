#include "app/EvaluationGraphPane.h"

#include <algorithm>
#include <cmath>

#include <wx/dcbuffer.h>
#include <wx/settings.h>

#include "app/PaneColours.h"
#include "record/GameRecord.h"
#include "record/Review.h"

namespace
{
const char* const kNothingToPlot = "No evaluations yet: Analysis > Review Game finds them";
} // namespace

CEvaluationGraphPane::CEvaluationGraphPane(wxWindow* parent,
                                           std::function<void(std::size_t)> goToMove)
    : wxWindow(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxBORDER_THEME),
      m_goToMove(std::move(goToMove))
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetFont(wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT));
    Bind(wxEVT_PAINT, &CEvaluationGraphPane::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, &CEvaluationGraphPane::OnLeftDown, this);
    Bind(wxEVT_SIZE, &CEvaluationGraphPane::OnSize, this);
}

void CEvaluationGraphPane::ShowRecord(const CGameRecord& record)
{
    std::vector<Point> points;
    for (std::size_t i = 0; i < record.Moves().size(); ++i)
    {
        const MoveNote& note = record.Note(i);
        points.push_back(
            {note.evaluation ? std::optional<int>(ReviewScale(*note.evaluation)) : std::nullopt,
             note.mark});
    }
    if (points == m_points && record.Place() == m_place)
        return;
    m_points = std::move(points);
    m_place = record.Place();
    Refresh();
}

std::size_t CEvaluationGraphPane::PlottedCount() const
{
    return static_cast<std::size_t>(
        std::count_if(m_points.begin(), m_points.end(), [](const Point& p) { return p.value; }));
}

wxRect CEvaluationGraphPane::PlotArea() const
{
    const wxSize client = GetClientSize();
    const int margin = FromDIP(6);
    // Room on the left for the side names.
    const int left = margin + GetTextExtent("Black").x + margin;
    return wxRect(left, margin, std::max(1, client.x - left - margin),
                  std::max(1, client.y - 2 * margin));
}

wxPoint CEvaluationGraphPane::PointOf(std::size_t moves, int value) const
{
    const wxRect area = PlotArea();
    const double step = static_cast<double>(area.width) / std::max<std::size_t>(m_points.size(), 1);
    const double share = static_cast<double>(std::clamp(value, -kReviewRange, kReviewRange)) /
                         kReviewRange; // +1 at the top
    return wxPoint(area.x + static_cast<int>(std::lround(step * static_cast<double>(moves))),
                   area.y + static_cast<int>(std::lround((1.0 - share) * 0.5 * area.height)));
}

std::size_t CEvaluationGraphPane::MovesAt(int x) const
{
    const wxRect area = PlotArea();
    const double step = static_cast<double>(area.width) / std::max<std::size_t>(m_points.size(), 1);
    const long moves = std::lround((x - area.x) / step);
    return static_cast<std::size_t>(std::clamp<long>(moves, 0, static_cast<long>(m_points.size())));
}

void CEvaluationGraphPane::OnPaint(wxPaintEvent&)
{
    wxAutoBufferedPaintDC dc(this);
    const wxColour background = wxSystemSettings::GetColour(wxSYS_COLOUR_LISTBOX);
    const wxColour text = wxSystemSettings::GetColour(wxSYS_COLOUR_LISTBOXTEXT);
    const wxColour grey = wxSystemSettings::GetColour(wxSYS_COLOUR_GRAYTEXT);
    dc.SetBackground(wxBrush(background));
    dc.Clear();
    dc.SetFont(GetFont());
    dc.SetTextForeground(grey);
    const wxRect area = PlotArea();
    const int margin = FromDIP(6);
    if (PlottedCount() == 0)
    {
        const wxSize extent = dc.GetTextExtent(kNothingToPlot);
        dc.DrawText(kNothingToPlot, (GetClientSize().x - extent.x) / 2,
                    (GetClientSize().y - extent.y) / 2);
        return;
    }

    // The scale: a line for each man either way, the level line stronger.
    const int zero = PointOf(0, 0).y;
    for (int men = -2; men <= 2; ++men)
    {
        const int y = PointOf(0, men * 100).y;
        dc.SetPen(wxPen(Mix(grey, background, men == 0 ? 0.9 : 0.35)));
        dc.DrawLine(area.x, y, area.GetRight(), y);
    }
    dc.DrawText("Black", margin, area.y);
    dc.DrawText("Red", margin, area.GetBottom() - dc.GetCharHeight());

    // Black's advantage filled in the text's colour, red's in red, both
    // faint; a segment that crosses the level line is split where it does.
    const wxColour blackFill = Mix(text, background, 0.3);
    const wxColour redFill = Mix(wxColour(220, 40, 40), background, 0.45);
    const auto fill = [&](wxPoint a, wxPoint b)
    {
        const wxPoint corners[] = {wxPoint(a.x, zero), a, b, wxPoint(b.x, zero)};
        const bool above = a.y + b.y < 2 * zero;
        dc.SetPen(*wxTRANSPARENT_PEN);
        dc.SetBrush(wxBrush(above ? blackFill : redFill));
        dc.DrawPolygon(4, corners);
    };
    for (std::size_t i = 0; i + 1 < m_points.size(); ++i)
    {
        if (!m_points[i].value || !m_points[i + 1].value)
            continue;
        const wxPoint a = PointOf(i + 1, *m_points[i].value);
        const wxPoint b = PointOf(i + 2, *m_points[i + 1].value);
        if ((a.y - zero) * (b.y - zero) < 0)
        {
            const double t = static_cast<double>(zero - a.y) / (b.y - a.y);
            const wxPoint cross(a.x + static_cast<int>(std::lround(t * (b.x - a.x))), zero);
            fill(a, cross);
            fill(cross, b);
        }
        else
        {
            fill(a, b);
        }
    }
    dc.SetPen(wxPen(text, FromDIP(2)));
    for (std::size_t i = 0; i + 1 < m_points.size(); ++i)
        if (m_points[i].value && m_points[i + 1].value)
            dc.DrawLine(PointOf(i + 1, *m_points[i].value), PointOf(i + 2, *m_points[i + 1].value));

    // The place the game is at, then the marked moves on top.
    dc.SetPen(wxPen(wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT), FromDIP(2)));
    const int placeX = PointOf(m_place, 0).x;
    dc.DrawLine(placeX, area.y, placeX, area.GetBottom());
    for (std::size_t i = 0; i < m_points.size(); ++i)
    {
        const Point& point = m_points[i];
        const wxColour colour = MarkColour(point.mark, text, background);
        if (!point.value || (colour == text && i + 1 != m_place))
            continue;
        dc.SetPen(*wxTRANSPARENT_PEN);
        dc.SetBrush(wxBrush(colour));
        dc.DrawCircle(PointOf(i + 1, *point.value), FromDIP(i + 1 == m_place ? 4 : 3));
    }
}

void CEvaluationGraphPane::OnLeftDown(wxMouseEvent& event)
{
    // Not passed on: the keyboard stays with the board.
    if (m_goToMove && !m_points.empty())
        m_goToMove(MovesAt(event.GetPosition().x));
}

void CEvaluationGraphPane::OnSize(wxSizeEvent& event)
{
    Refresh();
    event.Skip();
}
