#include "glwnd/WxMessageBoxes.h"

#include <wx/msgdlg.h>
#include <wx/window.h>

#include "glwnd/MessageService.h"

long WxMessageBoxStyle(unsigned type)
{
    long style = wxOK | wxCENTRE;
    if ((type & MB_ICONSTOP) == MB_ICONSTOP)
        style |= wxICON_STOP;
    return style;
}

void InstallWxMessageBoxes()
{
    SetMessageBoxHandler(
        [](const std::string& text, const std::string& caption, unsigned type)
        {
            wxMessageDialog box(wxGetActiveWindow(), wxString::FromUTF8(text),
                                wxString::FromUTF8(caption), WxMessageBoxStyle(type));
            box.ShowModal();
        });
}
