#pragma once
// The open and save file choosers, with a seam for tests.

#include <functional>
#include <optional>
#include <string>

class wxWindow;

enum class FileDialogKind
{
    Open,
    Save
};

using FileDialogHandler = std::function<std::optional<std::string>(
    FileDialogKind kind, const std::string& defaultExtension, const std::string& filter)>;

// Runs a modal open or save chooser and returns the full path chosen, or
// nullopt when cancelled. Both kinds open in ChooserFolder() and remember
// the folder of what was chosen for the next time. The save chooser asks
// before replacing a file. A name typed without an extension gets that of
// the file type showing in the chooser, or `defaultExtension` (".plx")
// under "All Files"; when that names a file that exists, the player is asked
// whether to replace it, and saying no cancels. `filter` is in the original
// form, "Desc (*.x)|*.x|All Files (*.*)|*.*||". With a handler installed,
// the handler answers instead of the chooser, and the rest is the same.
std::optional<std::string> RunFileDialog(wxWindow* parent, FileDialogKind kind,
                                         const std::string& defaultExtension,
                                         const std::string& filter);

// Installs `handler` for later calls and returns the one it replaces; an
// empty handler brings the real dialog back.
FileDialogHandler SetFileDialogHandler(FileDialogHandler handler);

// The folder the choosers open in: the one the last file was chosen from
// (remembered between runs in the user's settings) while it exists, else
// the working directory.
std::string ChooserFolder();

// The question asked when the extension added to a typed name makes it the
// name of a file that exists: "A file named "game.plx" already exists. Do
// you want to replace it?".
std::string ReplaceQuestion(const std::string& path);

// The filter in wx's syntax: the original form ends with "||", which wx would
// read as an empty extra entry.
std::string ToWxFilter(const std::string& filter);

// The extension of entry `index` of `filter` (".pdn" for "*.pdn"), or
// `fallback` when that entry names no single extension ("*.*") or is missing.
std::string FilterExtension(const std::string& filter, int index, const std::string& fallback);

// `path` with `defaultExtension` appended when its file name has no
// extension of its own.
std::string WithDefaultExtension(const std::string& path, const std::string& defaultExtension);
