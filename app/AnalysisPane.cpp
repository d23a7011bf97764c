#include "app/AnalysisPane.h"

#include <wx/dcbuffer.h>
#include <wx/settings.h>

std::vector<std::string> WrapWords(const std::string& text, int width,
                                   const std::function<int(const std::string&)>& measure)
{
    std::vector<std::string> lines;
    std::string line;
    std::size_t start = 0;
    while (start < text.size())
    {
        std::size_t end = text.find(' ', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string word = text.substr(start, end - start);
        const std::string longer = line.empty() ? word : line + " " + word;
        if (!line.empty() && measure(longer) > width)
        {
            lines.push_back(line);
            line = word;
        }
        else
        {
            line = longer;
        }
        start = end + 1;
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

CAnalysisPane::CAnalysisPane(wxWindow* parent)
    : wxWindow(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxBORDER_THEME)
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetFont(wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT));
    Bind(wxEVT_PAINT, &CAnalysisPane::OnPaint, this);
    Bind(wxEVT_SIZE, &CAnalysisPane::OnSize, this);
}

void CAnalysisPane::ShowReport(const AnalysisReport& report)
{
    if (report == m_report)
        return;
    m_report = report;
    Refresh();
}

std::vector<std::string> CAnalysisPane::Lines() const
{
    std::vector<std::string> lines;
    for (const std::string* text : {&m_report.heading, &m_report.state, &m_report.evaluation})
        if (!text->empty())
            lines.push_back(*text);
    const std::pair<const char*, const std::string*> figures[] = {
        {"Depth: ", &m_report.depth},
        {"Speed: ", &m_report.speed},
        {"Expected line: ", &m_report.line},
    };
    for (const auto& [label, value] : figures)
        if (!value->empty())
            lines.push_back(label + *value);
    return lines;
}

void CAnalysisPane::OnPaint(wxPaintEvent&)
{
    wxAutoBufferedPaintDC dc(this);
    const wxColour background = wxSystemSettings::GetColour(wxSYS_COLOUR_LISTBOX);
    const wxColour text = wxSystemSettings::GetColour(wxSYS_COLOUR_LISTBOXTEXT);
    dc.SetBackground(wxBrush(background));
    dc.Clear();
    const wxCoord margin = FromDIP(6);
    const int width = GetClientSize().x - 2 * margin;
    wxCoord y = margin;
    const wxFont plain = GetFont();
    const wxFont bold = GetFont().Bold();
    for (const std::string& line : Lines())
    {
        // The heading and the evaluation stand out; the state is by the way.
        const bool strong = line == m_report.heading || line == m_report.evaluation;
        const bool aside = line == m_report.state;
        dc.SetFont(strong ? bold : plain);
        dc.SetTextForeground(aside ? wxSystemSettings::GetColour(wxSYS_COLOUR_GRAYTEXT) : text);
        const auto measure = [&dc](const std::string& piece)
        { return dc.GetTextExtent(wxString::FromUTF8(piece)).x; };
        for (const std::string& piece : WrapWords(line, width, measure))
        {
            dc.DrawText(wxString::FromUTF8(piece), margin, y);
            y += dc.GetCharHeight() + FromDIP(2);
        }
        y += FromDIP(4);
    }
}

void CAnalysisPane::OnSize(wxSizeEvent& event)
{
    Refresh(); // the lines wrap anew
    event.Skip();
}
