#include "app/MoveListPane.h"

#include <algorithm>

#include <wx/dc.h>
#include <wx/settings.h>

#include "app/PaneColours.h"
#include "record/GameRecord.h"

std::vector<std::string> WrapMove(const std::string& text, int width,
                                  const std::function<int(const std::string&)>& measure)
{
    std::vector<std::string> pieces;
    std::string piece;
    std::size_t start = 0;
    while (start < text.size())
    {
        // The next unbreakable run: up to and with the next sign.
        const std::size_t sign = text.find_first_of("x-", start);
        const std::size_t end = sign == std::string::npos ? text.size() : sign + 1;
        const std::string run = text.substr(start, end - start);
        if (!piece.empty() && measure(piece + run) > width)
        {
            pieces.push_back(piece);
            piece.clear();
        }
        piece += run;
        start = end;
    }
    if (!piece.empty() || pieces.empty())
        pieces.push_back(piece);
    return pieces;
}

CMoveListPane::CMoveListPane(wxWindow* parent, std::function<void(std::size_t)> goToMove)
    : wxVListBox(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxBORDER_THEME),
      m_goToMove(std::move(goToMove))
{
    SetFont(wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT));
    SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_LISTBOX));
    Bind(wxEVT_LEFT_DOWN, &CMoveListPane::OnLeftDown, this);
    Bind(wxEVT_SIZE, &CMoveListPane::OnSize, this);
    SetItemCount(0);
}

void CMoveListPane::ShowRecord(const CGameRecord& record)
{
    std::vector<MoveNote> notes;
    for (std::size_t i = 0; i < record.Moves().size(); ++i)
        notes.push_back(record.Note(i));
    if (record.Moves() == m_moves && record.Place() == m_place && notes == m_notes)
        return;
    m_moves = record.Moves();
    m_notes = std::move(notes);
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
    // Setting the count again makes the list measure every line anew.
    SetItemCount(m_lines.size());
    for (std::size_t n = 0; n < m_lines.size(); ++n)
        for (const int move : m_lines[n].moves)
            if (move >= 0 && static_cast<std::size_t>(move) + 1 == m_place)
                ScrollToRow(n);
    Refresh();
}

std::size_t CMoveListPane::RowsOf(std::size_t line) const
{
    if (line >= m_lines.size())
        return 0;
    wxCoord x[3];
    wxCoord width = 0;
    Columns(x, width);
    return MoveRowsOf(m_lines[line], width) + (HasEvaluations(m_lines[line]) ? 1 : 0);
}

std::size_t CMoveListPane::MoveRowsOf(const Line& line, wxCoord width) const
{
    std::size_t rows = 1;
    for (const int move : line.moves)
        rows = std::max(rows, Pieces(move, width).size());
    return rows;
}

bool CMoveListPane::HasEvaluations(const Line& line) const
{
    return std::any_of(std::begin(line.moves), std::end(line.moves),
                       [this](int move)
                       { return move >= 0 && m_notes[static_cast<std::size_t>(move)].evaluation; });
}

void CMoveListPane::Columns(wxCoord (&x)[3], wxCoord& width) const
{
    const wxCoord gap = FromDIP(6);
    x[0] = gap;
    x[1] = x[0] + GetTextExtent("999.").x + gap;
    // Two equal columns fill the rest, each wide enough for an ordinary move.
    width = std::max((GetClientSize().x - x[1]) / 2, GetTextExtent("32x23").x + gap);
    x[2] = x[1] + width;
}

std::vector<std::string> CMoveListPane::Pieces(int index, wxCoord width) const
{
    if (index < 0 || static_cast<std::size_t>(index) >= m_moves.size())
        return {};
    // In bold, the widest the move is ever drawn.
    const wxFont bold = GetFont().Bold();
    const std::function<int(const std::string&)> measure = [this, &bold](const std::string& text)
    {
        int width = 0, height = 0;
        GetTextExtent(wxString::FromUTF8(text), &width, &height, nullptr, nullptr, &bold);
        return width;
    };
    const std::size_t i = static_cast<std::size_t>(index);
    const std::string mark = IsMoveMark(m_notes[i].mark) ? m_notes[i].mark : std::string();
    return WrapMove(PrintMove(m_moves[i]) + mark, width - FromDIP(6), measure);
}

void CMoveListPane::OnDrawItem(wxDC& dc, const wxRect& rect, size_t n) const
{
    if (n >= m_lines.size())
        return;
    const Line& line = m_lines[n];
    wxCoord x[3];
    wxCoord width = 0;
    Columns(x, width);
    const wxColour text = wxSystemSettings::GetColour(wxSYS_COLOUR_LISTBOXTEXT);
    const wxColour taken = wxSystemSettings::GetColour(wxSYS_COLOUR_GRAYTEXT);
    const wxColour background = wxSystemSettings::GetColour(wxSYS_COLOUR_LISTBOX);
    const wxCoord row = RowHeight();
    const wxCoord evaluationY = rect.y + row * static_cast<wxCoord>(MoveRowsOf(line, width)) +
                                (row - dc.GetCharHeight()) / 2;
    const wxCoord y = rect.y + (row - dc.GetCharHeight()) / 2;
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
        // A review's mistakes keep their colour when taken back.
        dc.SetTextForeground(
            MarkColour(m_notes[index].mark, index < m_place ? text : taken, background));
        dc.SetFont(index + 1 == m_place ? GetFont().Bold() : GetFont());
        wxCoord rowY = y;
        for (const std::string& piece : Pieces(move, width))
        {
            dc.DrawText(wxString::FromUTF8(piece), rect.x + x[k + 1], rowY);
            rowY += row;
        }
        if (const auto& evaluation = m_notes[index].evaluation)
        {
            dc.SetTextForeground(taken);
            dc.SetFont(GetFont());
            dc.DrawText(wxString::FromUTF8(ShortEvaluationText(*evaluation)), rect.x + x[k + 1],
                        evaluationY);
        }
    }
}

wxCoord CMoveListPane::OnMeasureItem(size_t n) const
{
    return RowHeight() * static_cast<wxCoord>(std::max<std::size_t>(RowsOf(n), 1));
}

wxCoord CMoveListPane::RowHeight() const
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
    wxCoord width = 0;
    Columns(x, width);
    const Line& line = m_lines[static_cast<std::size_t>(n)];
    // The move under the pointer; on the number, the line's first move.
    const int column = event.GetPosition().x >= x[2] ? 1 : 0;
    int move = line.moves[column];
    if (move < 0)
        move = line.moves[1 - column];
    if (move >= 0 && m_goToMove)
        m_goToMove(static_cast<std::size_t>(move) + 1);
}

void CMoveListPane::OnSize(wxSizeEvent& event)
{
    // A new width may wrap the long moves differently: measure again.
    if (GetClientSize().x != m_measuredWidth)
    {
        m_measuredWidth = GetClientSize().x;
        const std::size_t top = GetVisibleRowsBegin();
        SetItemCount(m_lines.size());
        if (top < m_lines.size())
            ScrollToRow(top);
        Refresh();
    }
    event.Skip();
}
