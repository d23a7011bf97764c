#pragma once
// The board view in a shown frame, for the view's and the play GUI tests:
// reading frames back, finding nodes, and playing as a user does, with
// presses over board squares found by projecting them through the last
// frame's matrices and the file chooser and message boxes answered by the
// test. Linking ViewTestSupport.cpp registers the running wx application
// (WxTestEnvironment), so a test binary links it once.

#include <array>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <wx/event.h>
#include <wx/gdicmn.h>

#include "notation/NotatedMove.h"
#include "scene/SGComposite.h"
#include "scene/SGCylinder.h"
#include "scene/SGRotationTranslation.h"
#include "view/ChildView.h"

class wxFrame;

// An RGBA frame as glReadPixels returns it: bottom row first, so window
// coordinates from gluProject index it directly.
struct FrameImage
{
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;

    // Red, green, blue at the pixel nearest (fx, fy); -1 each outside the image.
    std::array<int, 3> At(double fx, double fy) const
    {
        const auto x = static_cast<int>(std::lround(fx)), y = static_cast<int>(std::lround(fy));
        if (x < 0 || y < 0 || x >= width || y >= height)
            return {-1, -1, -1};
        const std::size_t i = (static_cast<std::size_t>(y) * width + x) * 4;
        return {rgba[i], rgba[i + 1], rgba[i + 2]};
    }
};

// A frame whose only child is a CChildView with the given client size,
// shown and painted once. The frame floor is off while it lives.
class ViewWindow
{
public:
    // Takes `view` (a test's own subclass, say), not created yet.
    explicit ViewWindow(wxSize client = wxSize(800, 600), CChildView* view = new CChildView);
    ~ViewWindow();
    ViewWindow(const ViewWindow&) = delete;
    ViewWindow& operator=(const ViewWindow&) = delete;

    CChildView& View() const { return *m_view; }
    wxFrame& Frame() const { return *m_frame; }

    // One synchronous repaint, as the animations ask for it.
    void Repaint() const
    {
        m_view->InvalidateRect();
        m_view->UpdateWindow();
    }
    // Draws one frame as the paint cycle does, with the context current, and
    // reads it back from the back buffer before any swap.
    FrameImage Capture();
    // The window position (GL convention, origin bottom left) of a world
    // point through the matrices the last normal frame recorded.
    wxRealPoint Project(double x, double y, double z) const;
    // The driver's own selection pass, as the game once picked: DrawScene(true)
    // in GL_SELECT mode under a pick matrix of `region` pixels at window
    // point (x, y). The records land in `buffer`; returns glRenderMode's count.
    int SelectWithGL(double x, double y, double region, std::vector<std::uint32_t>& buffer);

private:
    wxFrame* m_frame = nullptr;
    CChildView* m_view = nullptr;
};

inline CSGRotationTranslation& Transform(CSGNode* node)
{
    return dynamic_cast<CSGRotationTranslation&>(*node);
}
inline std::vector<CSGPtr>& Children(const CSGPtr& composite)
{
    return dynamic_cast<CSGComposite&>(*composite).m_children;
}
// The cylinder of a chip subtree (outer transform, inner transform, cylinder).
inline CSGCylinder& Cylinder(const CSGPtr& chip)
{
    return dynamic_cast<CSGCylinder&>(*Transform(Transform(chip.get()).Child(0)).Child(0));
}
// The chip table's entry for board square (row, col).
inline const CSGPtr& ChipAt(const CChildView& view, int row, int col)
{
    return view.m_chipNodes[8 * (7 - col) + row];
}
inline std::size_t HintCount(const CChildView& view)
{
    return Children(view.m_hintsNode).size();
}

// The physical client pixel over a world point, as a mouse event gives it.
wxPoint ScreenPoint(const ViewWindow& window, double x, double y, double z);
// Over the centre of board square (row, col), `lift` above the board
// surface (y = 0.25); the square's centre is x = 3.5 - row, z = 3.5 - col.
inline wxPoint SquarePoint(const ViewWindow& window, int row, int col, double lift = 0.0)
{
    return ScreenPoint(window, 3.5 - row, 0.25 + lift, 3.5 - col);
}
// Plays the view's queued animations to their end frame by frame, each
// frame painted, without waiting for the animator's timer.
void PlayOut(CChildView& view);
// Left press and release over square (row, col); what the release set off
// is played out.
inline void Click(const ViewWindow& window, int row, int col)
{
    window.View().LButtonDown(SquarePoint(window, row, col));
    window.View().LButtonUp();
    PlayOut(window.View());
}
// Plays `move` by clicks: the chip, then every landing square in turn.
void ClickMove(const ViewWindow& window, const NotatedMove& move);
// Every dark square empty, black to move.
CCheckerBoard EmptyBoard();
// The chip table holds a node exactly where the board holds a piece.
::testing::AssertionResult ChipsMatchBoard(const CChildView& view);
// The eye at (x, 12, 0), within the rounding of the camera turn's steps.
::testing::AssertionResult EyeAtX(const CChildView& view, double x);
// Runs a command handler of the view and plays out what it set off.
inline void RunCommand(CChildView& view, void (CChildView::*handler)(wxCommandEvent&))
{
    wxCommandEvent command;
    (view.*handler)(command);
    PlayOut(view);
}
// Sends command `id` through the view's event table and plays out what it
// set off.
void Command(CChildView& view, int id);
// Whether the view's update handler enables command `id`, and checks it.
bool Enabled(CChildView& view, int id);
bool Checked(CChildView& view, int id);

struct CCommandSeams;
// The computer to play red at Beginner level from the position `fen`, read
// from a file through Load Game.
void PlayRedAgainstBeginnerFrom(CChildView& view, CCommandSeams& seams, const char* fen);

// While it lives: file choosers answer m_answer, message boxes are recorded,
// questions are recorded and answered from m_replies (Don't Save, the
// second button, when it is empty), and a temporary folder exists.
struct CCommandSeams
{
    CCommandSeams();
    ~CCommandSeams();
    // Writes `board` to a file and loads it through the Load Game command.
    void Load(CChildView& view, const CCheckerBoard& board);

    std::filesystem::path m_folder;
    std::optional<std::string> m_answer;
    std::vector<std::string> m_dialogs;   // "open"/"save", extension, filter
    std::vector<std::string> m_boxes;     // "text [caption, type]"
    std::vector<std::string> m_questions; // "text [caption: button|button...]"
    std::vector<std::size_t> m_replies;   // the answers to give, first first
};
