#include "app/PlaxenApp.h"

#include <wx/window.h>

#include "app/AboutDlg.h"
#include "app/MainFrame.h"
#include "app/Resource.h"
#include "glwnd/WxMessageBoxes.h"

wxBEGIN_EVENT_TABLE(CPlaxenApp, wxApp)
    EVT_MENU(ID_APP_ABOUT, CPlaxenApp::OnAppAbout)
    EVT_MENU(ID_APP_EXIT, CPlaxenApp::OnAppExit)
wxEND_EVENT_TABLE()

bool CPlaxenApp::OnInit()
{
    // Common controls: GTK's widgets need no initialising of their own.
    // The base start-up is skipped on purpose: it parses the command line,
    // and the program takes none.
    // OLE: there is no component runtime to start, so nothing can fail here.
    // Control container: the program hosts no embedded controls.
    // Registry key: nothing is stored, so the program has no settings store.
    SetAppDisplayName(wxString::FromUTF8(LoadResourceString(AFX_IDS_APP_TITLE)));
    InstallWxMessageBoxes(); // failures from here on show real boxes

    auto* frame = new CMainFrame;
    if (!frame->LoadFrame())
        return false; // the frame destroyed itself; the view has said why
    SetTopWindow(frame);
    frame->Show();
    frame->Update();
    return true;
}

void CPlaxenApp::OnAppAbout(wxCommandEvent&)
{
    CAboutDlg about;
    about.ShowModal();
}

void CPlaxenApp::OnAppExit(wxCommandEvent&)
{
    // Closing the main window ends the program, as the framework's Exit does.
    if (wxWindow* main = GetTopWindow())
        main->Close();
}
