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
    int count = 0;
    GLXFBConfig* configs =
        glXChooseFBConfig(h.display, DefaultScreen(h.display), attributes[0], &count);
    if (!configs || count == 0)
    {
        m_error = "no GLX frame-buffer configuration with a pixel buffer";
        if (configs)
            XFree(configs);
        return;
    }
    const GLXFBConfig config = configs[0];
    XFree(configs);

    const int size[] = {GLX_PBUFFER_WIDTH, width, GLX_PBUFFER_HEIGHT, height, None};
    h.pbuffer = glXCreatePbuffer(h.display, config, size);
    h.context = glXCreateNewContext(h.display, config, GLX_RGBA_TYPE, nullptr, True);
    if (!h.pbuffer || !h.context)
    {
        m_error = "cannot create the GLX pixel buffer or context";
        return;
    }
    m_current = glXMakeContextCurrent(h.display, h.pbuffer, h.pbuffer, h.context);
    if (!m_current)
        m_error = "cannot make the GLX context current";
    else
        glViewport(0, 0, width, height);
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
