#pragma once
// A child window with an OpenGL drawing surface and the paint cycle that
// drives it. Subclasses draw in OnGLDraw; everything else about GL (visual,
// context, viewport, default projection, presenting) happens here.

#include <chrono>
#include <memory>
#include <string>

#include <wx/glcanvas.h>
#include <wx/palette.h>

class COpenGLWnd : public wxGLCanvas
{
public:
    // No window and no context yet: the board view loads its assets in its
    // constructor, before the frame that will hold it exists.
    COpenGLWnd();
    ~COpenGLWnd() override;

    // Chooses the visual (RGBA, 8-bit alpha, depth 32, else 24, else 16;
    // double-buffered iff m_doublebuffer), creates the window and the
    // context m_hrc, and builds a palette if the visual needs one. On failure
    // shows the reason through ReportError and returns false; the window is
    // then not usable and its parent (or owner, if it never got a window)
    // destroys it.
    bool Create(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize, long style = 0);

    // The drawing hook, called once per paint with m_hrc current, the
    // viewport covering the client area and the default projection loaded.
    // The default clears to cyan.
    virtual void OnGLDraw(wxDC* dc);

    // Marks the whole window for repainting; nothing is drawn in the call.
    void InvalidateRect();
    // Runs a pending repaint inside the call, so the frame is presented when
    // it returns. Does nothing while the window is not on screen.
    void UpdateWindow();

    // Client width and height in physical pixels (what glViewport needs).
    wxSize GetClientRect() const;
    // A mouse event position (logical pixels) in physical pixels.
    wxPoint ToPhysical(const wxPoint& logical) const;

    // Makes m_hrc current outside a paint (picking). False when there is no
    // context or the window is not realised yet.
    bool MakeCurrent();
    // Leaves no context current on this thread.
    void ReleaseCurrent();

    // Shows `text`, one blank and the system's description of the last
    // failure in a stop box; always returns -1.
    int ReportError(const char* text);

    // Animations show a frame every 1/60 s at most: the software renderer
    // ignores the swap interval and would otherwise run them at thousands of
    // frames a second, over before anyone sees them. Tests switch the floor
    // off to run fast. On by default; applies to every window.
    static void SetFrameFloorEnabled(bool on);
    // The least time between two frames of an animation: 1/60 s, or zero
    // with the floor off.
    static std::chrono::microseconds FramePeriod();

    // Completed paint cycles since creation (tests and the start-up probe).
    unsigned long GetPaintCount() const { return m_paintCount; }

    bool m_doublebuffer = false;
    wxGLContext* m_hrc = nullptr; // owned; lives until the window goes
    // Only for visuals with a colour map to fill; X11 true-colour visuals have
    // no palette to realise, so on those this stays null.
    std::unique_ptr<wxPalette> m_pPalette;

protected:
    void OnPaint(wxPaintEvent& event);
    void OnEraseBkgnd(wxEraseEvent& event);

    // The three steps that can fail, apart so that a test double can make
    // them fail: the window with the chosen visual, the context, and making
    // the context current for a paint.
    virtual bool DoCreateWindow(wxWindow* parent, const wxGLAttributes& attributes, wxWindowID id,
                                const wxPoint& pos, const wxSize& size, long style);
    virtual bool DoCreateContext();
    virtual bool DoMakeCurrent();

private:
    bool ChooseAttributes(wxGLAttributes& attributes);
    void BuildPalette();
    void RequestVsync();

    // Filled by a failing step with what the system said; ReportError shows
    // it, or strerror(errno) when the step had nothing better.
    std::string m_systemError;
    unsigned long m_paintCount = 0;
    bool m_vsyncRequested = false;
    bool m_makeCurrentReported = false;

    wxDECLARE_EVENT_TABLE();
};
