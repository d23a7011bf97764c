#include "app/AboutDlg.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

#include "app/AppIcons.h"
#include "app/Version.h"

CAboutDlg::CAboutDlg(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, "About Plaxen", wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX)
{
    auto* icon = new wxStaticBitmap(this, wxID_ANY, AppIconBitmap(32));
    auto* notice = new wxStaticText(this, wxID_ANY, NoticeText());
    auto* credits = new wxStaticText(this, wxID_ANY, CreditsText());
    credits->Wrap(FromDIP(320));
    auto* ok = new wxButton(this, wxID_OK, "OK");
    ok->SetDefault();

    // The original's layout: icon left, two lines of text, OK at the top right.
    auto* lines = new wxBoxSizer(wxVERTICAL);
    lines->Add(notice, 0, wxBOTTOM, FromDIP(10));
    lines->Add(credits);
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(icon, 0, wxALL, FromDIP(14));
    row->Add(lines, 1, wxTOP | wxBOTTOM | wxALIGN_CENTER_VERTICAL, FromDIP(14));
    row->Add(ok, 0, wxALL | wxALIGN_TOP, FromDIP(10));
    SetSizerAndFit(row);
    CentreOnParent();
}

wxString CAboutDlg::NoticeText()
{
    return wxString::Format("Plaxen Version %s", kPlaxenVersion);
}

wxString CAboutDlg::CreditsText()
{
    return wxString::FromUTF8(kPlaxenDescription) +
           ": one player against the computer at three levels, or two sharing one mouse. Games "
           "are saved and loaded in PDN, the notation other checkers programs use.";
}
