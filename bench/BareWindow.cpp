// The yardstick for the game's start-up figures: the least a wx program can
// do to show the same thing's frame, one top-level window of the game's
// default size holding a double-buffered wxGLCanvas that paints itself
// cleared. Measured the same way as the game (tools/bench.sh).

#include <GL/gl.h>
#include <wx/app.h>
#include <wx/dcclient.h>
#include <wx/display.h>
#include <wx/frame.h>
#include <wx/glcanvas.h>

namespace
{

class CBareCanvas : public wxGLCanvas
{
public:
    CBareCanvas(wxWindow* parent, const wxGLAttributes& attributes)
        : wxGLCanvas(parent, attributes), m_context(this)
    {
        Bind(wxEVT_PAINT, &CBareCanvas::OnPaint, this);
    }

private:
    void OnPaint(wxPaintEvent&)
    {
        wxPaintDC dc(this);
        SetCurrent(m_context);
        const wxSize size = GetClientSize() * GetContentScaleFactor();
        glViewport(0, 0, size.x, size.y);
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        SwapBuffers();
    }

    wxGLContext m_context;
};

class CBareApp : public wxApp
{
public:
    bool OnInit() override
    {
        // The game's frame takes three quarters of the work area; so does this.
        const wxRect area = wxDisplay(0u).GetClientArea();
        auto* frame = new wxFrame(nullptr, wxID_ANY, "Bare window", wxDefaultPosition,
                                  wxSize(area.width * 3 / 4, area.height * 3 / 4));
        wxGLAttributes attributes;
        attributes.PlatformDefaults().RGBA().DoubleBuffer().Depth(24).EndList();
        new CBareCanvas(frame, attributes);
        frame->Show();
        return true;
    }
};

} // namespace

wxIMPLEMENT_APP(CBareApp);
