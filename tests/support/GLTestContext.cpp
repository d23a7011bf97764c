#include "tests/support/GLTestContext.h"

#include <GL/glx.h>
#include <X11/Xlib.h>

struct CGLTestContext::Handles
{
    Display* display = nullptr;
    GLXPbuffer pbuffer = 0;
    GLXContext context = nullptr;
};

CGLTestContext::CGLTestContext(int width, int height) : m_handles(std::make_unique<Handles>())
{
    Handles& h = *m_handles;
    h.display = XOpenDisplay(nullptr);
    if (!h.display)
    {
        m_error = "cannot open the X display (run under xvfb-run)";
        return;
    }

    // Attribute and value pairs, ending with None.
    const int attributes[][2] = {{GLX_DRAWABLE_TYPE, GLX_PBUFFER_BIT},
                                 {GLX_RENDER_TYPE, GLX_RGBA_BIT},
                                 {GLX_RED_SIZE, 8},
                                 {GLX_GREEN_SIZE, 8},
                                 {GLX_BLUE_SIZE, 8},
                                 {GLX_DEPTH_SIZE, 24},
                                 {GLX_DOUBLEBUFFER, False},
                                 {None, None}};
    const int size[] = {GLX_PBUFFER_WIDTH, width, GLX_PBUFFER_HEIGHT, height, None};
    int count = 0;
    GLXFBConfig* configs =
        glXChooseFBConfig(h.display, DefaultScreen(h.display), attributes[0], &count);
    if (configs && count > 0)
    {
        h.pbuffer = glXCreatePbuffer(h.display, configs[0], size);
        h.context = glXCreateNewContext(h.display, configs[0], GLX_RGBA_TYPE, nullptr, True);
    }
    if (configs)
        XFree(configs);
    m_current =
        h.pbuffer && h.context && glXMakeContextCurrent(h.display, h.pbuffer, h.pbuffer, h.context);
    if (m_current)
        glViewport(0, 0, width, height);
    else
        m_error = "no GLX pixel buffer with a current context on this display";
}

CGLTestContext::~CGLTestContext()
{
    Handles& h = *m_handles;
    if (!h.display)
        return;
    if (m_current)
        glXMakeContextCurrent(h.display, None, None, nullptr);
    if (h.context)
        glXDestroyContext(h.display, h.context);
    if (h.pbuffer)
        glXDestroyPbuffer(h.display, h.pbuffer);
    XCloseDisplay(h.display);
}
