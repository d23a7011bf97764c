#pragma once
// The application object: start-up, the About box and File > Exit.

#include <wx/app.h>

class CPlaxenApp : public wxApp
{
public:
    // Start-up: creates, loads and shows the main frame. False (the program
    // ends, non-zero) when the frame or its view cannot be created.
    bool OnInit() override;

protected:
    void OnAppAbout(wxCommandEvent& event);
    void OnAppExit(wxCommandEvent& event);

    wxDECLARE_EVENT_TABLE();
};
