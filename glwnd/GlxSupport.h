#pragma once
// The few GLX calls that wx has no wrapper for. The X headers stay in the
// .cpp: their macros (None, Bool, Status) collide with everything else.

#include <string>

#include "glwnd/Palette.h"

// True when the display wx is connected to offers the GLX extension; otherwise
// false with a description of what is missing in `why`.
bool DisplayHasGlx(std::string& why);

// Asks for `interval` vertical retraces per buffer swap on the current
// context's drawable (GLX_EXT_swap_control, else GLX_MESA_swap_control).
// False when neither extension is offered or no context is current.
bool RequestSwapInterval(int interval);

// Leaves no GLX context current on this thread.
void ReleaseCurrentGlxContext();

// True when some GLX context is current on this thread.
bool IsGlxContextCurrent();

// The pixel layout of an XVisualInfo (passed as wx hands it out, untyped):
// indexed-colour visuals (PseudoColor, GrayScale) need a palette.
PixelFormatFields DescribeVisual(const void* xVisualInfo);

// Keeps GDK on its X11 back end, whatever the session offers: the window
// relies on GLX. Must run before wx starts GTK.
void RestrictGdkToX11();
