#include "glwnd/OpenGLWnd.h"

#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstring>

#include <wx/dcclient.h>

#include <GL/glu.h>

#include "glwnd/GlxSupport.h"
#include "glwnd/MessageService.h"
#include "glwnd/Palette.h"

namespace
{
constexpr std::chrono::microseconds kFramePeriod{16667}; // 1/60 s
constexpr int kGlxDoubleBuffer = 5;                      // GLX_DOUBLEBUFFER
constexpr int kDepthChoices[] = {32, 24, 16};

bool s_frameFloorEnabled = true;
wxAssertHandler_t s_savedAssertHandler = nullptr;

// wxGLCanvas on GTK has no default constructor: each of its constructors
// creates the window at once. Given an empty attribute list its creation
// stops, with an assertion, before it touches X or makes a window, which
// leaves exactly the uncreated window that two-step creation needs. The
// assertion is expected, so it is silenced for the base constructor only.
wxWindow* NoParentYet()
{
    s_savedAssertHandler = wxSetAssertHandler(nullptr);
    return nullptr;
}

const wxGLAttributes& NoAttributes()
{
    static const wxGLAttributes none;
    return none;
}
} // namespace

wxBEGIN_EVENT_TABLE(COpenGLWnd, wxGLCanvas)
    EVT_PAINT(COpenGLWnd::OnPaint)
    EVT_ERASE_BACKGROUND(COpenGLWnd::OnEraseBkgnd)
wxEND_EVENT_TABLE()

COpenGLWnd::COpenGLWnd() : wxGLCanvas(NoParentYet(), NoAttributes())
{
    wxSetAssertHandler(s_savedAssertHandler);
}

COpenGLWnd::~COpenGLWnd()
{
    delete m_hrc;
}

bool COpenGLWnd::Create(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size,
                        long style)
{
    wxGLAttributes attributes;
    if (!ChooseAttributes(attributes))
    {
        ReportError("ChoosePixelFormat Failed");
        return false;
    }
    // A resize must repaint everything: the viewport and aspect change.
    if (!DoCreateWindow(parent, attributes, id, pos, size, style | wxFULL_REPAINT_ON_RESIZE))
    {
        m_systemError = "The window could not be created with the chosen GLX visual.";
        ReportError("SetPixelFormat  Failed");
        return false;
    }
    if (!DoCreateContext())
    {
        m_systemError = "GLX refused a rendering context for the chosen visual.";
        ReportError("Unable to create an OpenGL rendering context");
        return false;
    }
    BuildPalette();
    return true;
}

void COpenGLWnd::OnGLDraw(wxDC*)
{
    glClearColor(0.0f, 1.0f, 1.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glFlush();
}

void COpenGLWnd::InvalidateRect()
{
    Refresh();
}

void COpenGLWnd::UpdateWindow()
{
    if (!IsShownOnScreen())
        return;
    Update();
}

wxSize COpenGLWnd::GetClientRect() const
{
    const wxSize logical = GetClientSize();
    const double scale = GetContentScaleFactor();
    return wxSize(static_cast<int>(std::lround(logical.x * scale)),
                  static_cast<int>(std::lround(logical.y * scale)));
}

wxPoint COpenGLWnd::ToPhysical(const wxPoint& logical) const
{
    const double scale = GetContentScaleFactor();
    return wxPoint(static_cast<int>(std::lround(logical.x * scale)),
                   static_cast<int>(std::lround(logical.y * scale)));
}

bool COpenGLWnd::MakeCurrent()
{
    return m_hrc != nullptr && m_hrc->SetCurrent(*this);
}

void COpenGLWnd::ReleaseCurrent()
{
    ReleaseCurrentGlxContext();
}

int COpenGLWnd::ReportError(const char* text)
{
    const int error = errno;
    const std::string description = m_systemError.empty() ? std::strerror(error) : m_systemError;
    m_systemError.clear();
    AfxMessageBox(std::string(text) + " " + description, MB_ICONSTOP);
    return -1;
}

void COpenGLWnd::SetFrameFloorEnabled(bool on)
{
    s_frameFloorEnabled = on;
}

std::chrono::microseconds COpenGLWnd::FramePeriod()
{
    return s_frameFloorEnabled ? kFramePeriod : std::chrono::microseconds::zero();
}

void COpenGLWnd::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this); // GTK wants the paint acknowledged even when nothing is drawn
    if (m_hrc == nullptr)
        return; // creation failed; there is nothing to draw with

    // A palette, if one was built, needs no selecting here: GTK 3 only hands
    // out true-colour visuals, so no paint ever has a colour map to realise.
    const bool current = DoMakeCurrent();
    if (!current && !m_makeCurrentReported)
    {
        // Once is enough: the box itself causes more paints, which would fail
        // the same way and stack box upon box.
        m_makeCurrentReported = true;
        m_systemError = "glXMakeCurrent refused the window's context.";
        ReportError("wglMakeCurrent Failed");
    }
    if (current && !m_vsyncRequested)
    {
        m_vsyncRequested = true;
        // Frames then follow the display's refresh where the driver honours it.
        RequestSwapInterval(1);
    }

    const wxSize size = GetClientRect();
    glViewport(0, 0, size.x, size.y);
    // A window with no height (minimised, squeezed) has no aspect ratio; it
    // keeps whatever projection it had and draws nothing visible anyway.
    if (size.y > 0)
    {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(30.0, static_cast<double>(size.x) / size.y, 1.0, 10.0);
    }

    OnGLDraw(&dc);

    if (m_doublebuffer)
        SwapBuffers();
    ReleaseCurrentGlxContext();
    ++m_paintCount;
}

void COpenGLWnd::OnEraseBkgnd(wxEraseEvent&)
{
    // Never cleared: the next frame covers every pixel, and clearing first
    // would flicker.
}

bool COpenGLWnd::DoCreateWindow(wxWindow* parent, const wxGLAttributes& attributes, wxWindowID id,
                                const wxPoint& pos, const wxSize& size, long style)
{
    return wxGLCanvas::Create(parent, attributes, id, pos, size, style);
}

bool COpenGLWnd::DoCreateContext()
{
    m_hrc = new wxGLContext(this);
    if (m_hrc->IsOK())
        return true;
    delete m_hrc;
    m_hrc = nullptr;
    return false;
}

bool COpenGLWnd::DoMakeCurrent()
{
    return MakeCurrent();
}

bool COpenGLWnd::ChooseAttributes(wxGLAttributes& attributes)
{
    if (!DisplayHasGlx(m_systemError))
        return false;
    for (const int depth : kDepthChoices)
    {
        attributes.Reset();
        attributes.PlatformDefaults().RGBA().MinRGBA(8, 8, 8, 8).Depth(depth);
        if (m_doublebuffer)
        {
            attributes.DoubleBuffer();
        }
        else
        {
            // Left unsaid, GLX may hand out a double-buffered visual whose
            // front buffer nothing would ever reach.
            attributes.AddAttribute(kGlxDoubleBuffer);
            attributes.AddAttribute(0);
        }
        attributes.EndList();
        if (wxGLCanvas::IsDisplaySupported(attributes))
            return true;
    }
    m_systemError =
        "No GLX visual offers RGBA with 8-bit alpha and a 16-bit or deeper depth buffer.";
    return false;
}

void COpenGLWnd::BuildPalette()
{
    const std::vector<PaletteEntry> entries = BuildPaletteEntries(DescribeVisual(GetXVisualInfo()));
    m_pPalette.reset();
    if (entries.empty())
        return;
    unsigned char red[256], green[256], blue[256];
    for (std::size_t i = 0; i < entries.size() && i < 256; ++i)
    {
        red[i] = entries[i].red;
        green[i] = entries[i].green;
        blue[i] = entries[i].blue;
    }
    m_pPalette = std::make_unique<wxPalette>(static_cast<int>(entries.size()), red, green, blue);
}
