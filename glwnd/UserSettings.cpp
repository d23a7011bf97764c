#include "glwnd/UserSettings.h"

#include <cstdlib>

#include <wx/fileconf.h>
#include <wx/filename.h>
#include <wx/log.h>

namespace
{
wxFileConfig* s_settings = nullptr; // the one we made, while wx still holds it
} // namespace

std::string UserSettingsPath()
{
    // Relative values are to be ignored, as the XDG base directory rules say.
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    std::string folder;
    if (xdg != nullptr && xdg[0] == '/')
        folder = xdg;
    else if (const char* home = std::getenv("HOME"); home != nullptr && home[0] != '\0')
        folder = std::string(home) + "/.config";
    else
        folder = ".config";
    return folder + "/plaxen/plaxen.conf";
}

wxConfigBase& UserSettings()
{
    // Someone may have replaced or deleted wx's global configuration since
    // (the application does at its end): only ours is the player's file.
    if (s_settings == nullptr || wxConfigBase::Get(false) != s_settings)
    {
        const wxString path = wxString::FromUTF8(UserSettingsPath());
        // wx writes the file but does not make its folder. Without one (a
        // read-only home) the settings last for this run only.
        const wxLogNull quiet;
        wxFileName::Mkdir(wxFileName(path).GetPath(), 0700, wxPATH_MKDIR_FULL);
        s_settings = new wxFileConfig(wxEmptyString, wxEmptyString, path, wxEmptyString,
                                      wxCONFIG_USE_LOCAL_FILE);
        delete wxConfigBase::Set(s_settings);
    }
    return *s_settings;
}

void SaveUserSettings()
{
    UserSettings().Flush();
}
