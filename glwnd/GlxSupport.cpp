#include "glwnd/GlxSupport.h"

#include <bit>
#include <cstring>

#include <wx/utils.h>

#include <gdk/gdk.h>

#include <GL/glx.h>
#include <X11/Xutil.h>

namespace
{
// Extension names are separated by blanks; a plain substring search would
// also match a longer name that starts with the one asked for.
bool HasExtension(const char* list, const char* name)
{
    if (list == nullptr)
        return false;
    const std::size_t length = std::strlen(name);
    for (const char* p = list; (p = std::strstr(p, name)) != nullptr; p += length)
    {
        const bool startsWord = p == list || p[-1] == ' ';
        const bool endsWord = p[length] == ' ' || p[length] == '\0';
        if (startsWord && endsWord)
            return true;
    }
    return false;
}
} // namespace

bool DisplayHasGlx(std::string& why)
{
    Display* display = wxGetX11Display();
    if (display == nullptr)
    {
        why = "No X display is open.";
        return false;
    }
    int errorBase = 0;
    int eventBase = 0;
    if (!glXQueryExtension(display, &errorBase, &eventBase))
    {
        why = "The X server " + std::string(DisplayString(display)) +
              " does not offer the GLX extension.";
        return false;
    }
    return true;
}

bool RequestSwapInterval(int interval)
{
    Display* display = glXGetCurrentDisplay();
    const GLXDrawable drawable = glXGetCurrentDrawable();
    if (display == nullptr || drawable == 0)
        return false;
    const char* extensions = glXQueryExtensionsString(display, DefaultScreen(display));
    if (HasExtension(extensions, "GLX_EXT_swap_control"))
    {
        using SwapIntervalEXT = void (*)(Display*, GLXDrawable, int);
        const auto swapInterval = reinterpret_cast<SwapIntervalEXT>(
            glXGetProcAddress(reinterpret_cast<const GLubyte*>("glXSwapIntervalEXT")));
        if (swapInterval != nullptr)
        {
            swapInterval(display, drawable, interval);
            return true;
        }
    }
    if (HasExtension(extensions, "GLX_MESA_swap_control"))
    {
        using SwapIntervalMESA = int (*)(unsigned);
        const auto swapInterval = reinterpret_cast<SwapIntervalMESA>(
            glXGetProcAddress(reinterpret_cast<const GLubyte*>("glXSwapIntervalMESA")));
        if (swapInterval != nullptr)
            return swapInterval(static_cast<unsigned>(interval)) == 0;
    }
    return false;
}

void ReleaseCurrentGlxContext()
{
    if (Display* display = glXGetCurrentDisplay())
        glXMakeCurrent(display, None, nullptr);
}

bool IsGlxContextCurrent()
{
    return glXGetCurrentContext() != nullptr;
}

PixelFormatFields DescribeVisual(const void* xVisualInfo)
{
    PixelFormatFields fields;
    const auto* visual = static_cast<const XVisualInfo*>(xVisualInfo);
    if (visual == nullptr)
        return fields;
    const auto bits = [](unsigned long mask) { return std::popcount(mask); };
    const auto shift = [](unsigned long mask) { return mask == 0 ? 0 : std::countr_zero(mask); };
    fields.cColorBits = visual->depth;
    fields.cRedBits = bits(visual->red_mask);
    fields.cRedShift = shift(visual->red_mask);
    fields.cGreenBits = bits(visual->green_mask);
    fields.cGreenShift = shift(visual->green_mask);
    fields.cBlueBits = bits(visual->blue_mask);
    fields.cBlueShift = shift(visual->blue_mask);
    fields.needPalette = visual->c_class == PseudoColor || visual->c_class == GrayScale;
    return fields;
}

void RestrictGdkToX11()
{
    gdk_set_allowed_backends("x11");
}
