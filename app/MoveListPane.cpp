#include "app/MoveListPane.h"

#include <wx/dc.h>
#include <wx/settings.h>

#include "record/GameRecord.h"

CMoveListPane::CMoveListPane(wxWindow* parent, std::function<void(std::size_t)> goToMove)
    : wxVListBox(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxBORDER_THEME),
      m_goToMove(std::move(goToMove))
{
    SetFont(wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT));
    SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_LISTBOX));
    Bind(wxEVT_LEFT_DOWN, &CMoveListPane::OnLeftDown, this);
    SetItemCount(0);
}

void CMoveListPane::ShowRecord(const CGameRecord& record)
{
    if (record.Moves() == m_moves && record.Place() == m_place)
        return;
    m_moves = record.Moves();
    m_place = record.Place();
    m_lines.clear();
    int number = 1;
    for (std::size_t i = 0; i < m_moves.size(); ++i)
    {
        const bool black = record.BoardAfter(i).m_side == CCheckerBoard::BlackSide;
        if (black || m_lines.empty())
            m_lines.push_back({number, {-1, -1}});
        m_lines.back().moves[black ? 0 : 1] = static_cast<int>(i);
        if (!black)
            ++number;
    }
    SetItemCount(m_lines.size());
    for (std::size_t n = 0; n < m_lines.size(); ++n)
        for (const int move : m_lines[n].moves)
            if (move >= 0 && static_cast<std::size_t>(move) + 1 == m_place)
                ScrollToRow(n);
    Refresh();
}

void CMoveListPane::Columns(wxCoord (&x)[3]) const
{
    const wxCoord gap = FromDIP(6);
    x[0] = gap;
    x[1] = x[0] + GetTextExtent("999.").x + gap;
    x[2] = x[1] + GetTextExtent("32x23x14x5").x / 2 + GetTextExtent("88-88").x + gap;
}

void CMoveListPane::OnDrawItem(wxDC& dc, const wxRect& rect, size_t n) const
{
    if (n >= m_lines.size())
        return;
    const Line& line = m_lines[n];
    wxCoord x[3];
    Columns(x);
    const wxColour text = wxSystemSettings::GetColour(wxSYS_COLOUR_LISTBOXTEXT);
    const wxColour taken = wxSystemSettings::GetColour(wxSYS_COLOUR_GRAYTEXT);
    const wxCoord y = rect.y + (rect.height - dc.GetCharHeight()) / 2;
    dc.SetTextForeground(text);
    dc.SetFont(GetFont());
    dc.DrawText(wxString::Format("%d.", line.number), rect.x + x[0], y);
    for (int k = 0; k < 2; ++k)
    {
        const int move = line.moves[k];
        if (move < 0)
        {
            if (k == 0)
                dc.DrawText("...", rect.x + x[1], y);
            continue;
        }
        const std::size_t index = static_cast<std::size_t>(move);
        dc.SetTextForeground(index < m_place ? text : taken);
        dc.SetFont(index + 1 == m_place ? GetFont().Bold() : GetFont());
        dc.DrawText(wxString::FromUTF8(PrintMove(m_moves[index])), rect.x + x[k + 1], y);
    }
}

wxCoord CMoveListPane::OnMeasureItem(size_t) const
{
    return GetCharHeight() + FromDIP(4);
}

void CMoveListPane::OnLeftDown(wxMouseEvent& event)
{
    // Not passed on: the list keeps no selection of its own, and the
    // keyboard stays with the board.
    const int n = VirtualHitTest(event.GetPosition().y);
    if (n == wxNOT_FOUND || static_cast<std::size_t>(n) >= m_lines.size())
        return;
    wxCoord x[3];
    Columns(x);
    const Line& line = m_lines[static_cast<std::size_t>(n)];
    // The move under the pointer; on the number, the line's first move.
    const int column = event.GetPosition().x >= x[2] ? 1 : 0;
    int move = line.moves[column];
    if (move < 0)
        move = line.moves[1 - column];
    if (move >= 0 && m_goToMove)
        m_goToMove(static_cast<std::size_t>(move) + 1);
}
