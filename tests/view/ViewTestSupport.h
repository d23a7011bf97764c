#pragma once
// A board view in a shown frame, for the view's GUI tests. Linking
// ViewTestSupport.cpp registers the running wx application (WxTestEnvironment)
// as the binary's global environment, so a test binary links it once and
// registers nothing of its own.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include <wx/gdicmn.h>

#include "view/ChildView.h"

class wxFrame;

// An RGBA frame as glReadPixels returns it: bottom row first, so window
// coordinates from gluProject index it directly.
struct FrameImage
{
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;

    // Red, green, blue at (x, y); -1 each outside the image.
    std::array<int, 3> At(int x, int y) const;
};

// A frame whose only child is a CChildView with the given client size,
// shown and painted once. The frame floor is off while it lives.
class ViewWindow
{
public:
    explicit ViewWindow(wxSize client = wxSize(800, 600));
    // Takes `view` (a test's own subclass, say), not created yet.
    ViewWindow(CChildView* view, wxSize client);
    ~ViewWindow();
    ViewWindow(const ViewWindow&) = delete;
    ViewWindow& operator=(const ViewWindow&) = delete;

    CChildView& View() const { return *m_view; }
    wxFrame& Frame() const { return *m_frame; }

    // One synchronous repaint, as the animations ask for it.
    void Repaint();
    // Draws one frame as the paint cycle does, with the context current, and
    // reads it back from the back buffer before any swap.
    FrameImage Capture();
    // The window position (GL convention, origin bottom left) of a world
    // point through the matrices the last normal frame recorded.
    wxRealPoint Project(double x, double y, double z) const;

private:
    wxFrame* m_frame = nullptr;
    CChildView* m_view = nullptr;
};
