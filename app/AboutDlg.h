#pragma once
// The About box: icon, version notice, credits and an OK button.

#include <wx/dialog.h>

class CAboutDlg : public wxDialog
{
public:
    // Builds the box, titled "About Plaxen", without showing it.
    explicit CAboutDlg(wxWindow* parent = nullptr);

    // The notice line: product name and version.
    static wxString NoticeText();
    // The credits line.
    static wxString CreditsText();
};
