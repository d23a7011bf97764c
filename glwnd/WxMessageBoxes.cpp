#include "glwnd/WxMessageBoxes.h"

#include <string>
#include <vector>

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
    // The service has made every text UTF-8 already.
    SetMessageBoxHandler(
        [](const std::string& text, const std::string& caption, unsigned type)
        {
            wxMessageDialog box(wxGetActiveWindow(), wxString::FromUTF8(text),
                                wxString::FromUTF8(caption), WxMessageBoxStyle(type));
            box.ShowModal();
        });
    SetQuestionBoxHandler(
        [](const std::string& text, const std::string& caption,
           const std::vector<std::string>& buttons) -> std::size_t
        {
            const auto label = [&buttons](std::size_t i) { return wxString::FromUTF8(buttons[i]); };
            if (buttons.size() >= 3)
            {
                wxMessageDialog box(wxGetActiveWindow(), wxString::FromUTF8(text),
                                    wxString::FromUTF8(caption),
                                    wxYES_NO | wxCANCEL | wxICON_WARNING | wxCENTRE);
                box.SetYesNoCancelLabels(label(0), label(1), label(2));
                switch (box.ShowModal())
                {
                case wxID_YES:
                    return 0;
                case wxID_NO:
                    return 1;
                default:
                    return 2; // Cancel, Escape or the close box
                }
            }
            if (buttons.size() == 2)
            {
                wxMessageDialog box(wxGetActiveWindow(), wxString::FromUTF8(text),
                                    wxString::FromUTF8(caption),
                                    wxOK | wxCANCEL | wxCANCEL_DEFAULT | wxICON_WARNING | wxCENTRE);
                box.SetOKCancelLabels(label(0), label(1));
                return box.ShowModal() == wxID_OK ? 0 : 1;
            }
            return 0; // nothing to choose between
        });
}
