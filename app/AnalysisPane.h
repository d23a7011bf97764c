#pragma once
// The analysis pane beside the board: the engine's live view of the
// position, in the system's font and colours: a heading, the evaluation in
// words and figures from black's side, the depth, the speed and the line
// the engine expects, each wrapped to the pane's width.

#include <functional>
#include <string>
#include <vector>

#include <wx/window.h>

#include "view/Analyst.h"

// `text` in lines no wider than `width` as `measure` gives widths, broken
// at blanks; a word wider than the width stands alone on its line.
std::vector<std::string> WrapWords(const std::string& text, int width,
                                   const std::function<int(const std::string&)>& measure);

class CAnalysisPane : public wxWindow
{
public:
    explicit CAnalysisPane(wxWindow* parent);

    // Shows `report`; does nothing when it is what the pane shows.
    void ShowReport(const AnalysisReport& report);
    // What the pane says, a line to each item before wrapping: the heading,
    // the state, the evaluation, then "Depth: ...", "Speed: ...", "Expected
    // line: ..." for those the report has.
    std::vector<std::string> Lines() const;

private:
    void OnPaint(wxPaintEvent& event);
    void OnSize(wxSizeEvent& event);

    AnalysisReport m_report;
};
