#pragma once
// The player's settings between runs (the folder the file choosers last
// opened, the main window's place and size): one text file,
// $XDG_CONFIG_HOME/plaxen/plaxen.conf, or ~/.config/plaxen/plaxen.conf when
// that variable is unset, as desktops expect.

#include <string>

class wxConfigBase;

// The settings, read when first needed and made wx's global configuration,
// so that wx's remembered window places go to the same file. Written when
// the program ends, or at once by SaveUserSettings.
wxConfigBase& UserSettings();

// Writes the settings to their file now.
void SaveUserSettings();

// Where the settings file lives.
std::string UserSettingsPath();
