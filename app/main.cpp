// Plaxen's entry point: wx runs the application, on GDK's X11 back end.

#include <wx/app.h>

#include "app/PlaxenApp.h"
#include "glwnd/GlxSupport.h"

wxIMPLEMENT_APP_NO_MAIN(CPlaxenApp);

int main(int argc, char** argv)
{
    // The OpenGL window speaks GLX; a wx or GDK that would pick Wayland or
    // EGL must not get the chance.
    RestrictGdkToX11();
    return wxEntry(argc, argv);
}
