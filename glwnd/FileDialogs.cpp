#include "glwnd/FileDialogs.h"

#include <filesystem>
#include <utility>

#include <wx/config.h>
#include <wx/filedlg.h>
#include <wx/filefn.h>

#include "glwnd/MessageService.h"
#include "glwnd/UserSettings.h"

namespace
{
const char* const kFolderKey = "/Files/LastFolder";

FileDialogHandler& CurrentHandler()
{
    static FileDialogHandler handler;
    return handler;
}

// What the chooser returned, as it was typed or picked: the chooser has
// asked about replacing this one itself.
struct Chosen
{
    std::string path;
    std::string extension; // for a name typed without one
};

std::optional<Chosen> Choose(wxWindow* parent, FileDialogKind kind,
                             const std::string& defaultExtension, const std::string& filter)
{
    if (const FileDialogHandler& handler = CurrentHandler())
    {
        const auto path = handler(kind, defaultExtension, filter);
        return path ? std::optional(Chosen{*path, defaultExtension}) : std::nullopt;
    }
    const long style = kind == FileDialogKind::Open ? wxFD_OPEN : wxFD_SAVE | wxFD_OVERWRITE_PROMPT;
    // Never left empty: GTK would show its "Recent" list, where a save cannot go.
    wxFileDialog dialog(parent, kind == FileDialogKind::Open ? "Open" : "Save As",
                        wxString::FromUTF8(ChooserFolder()), wxEmptyString,
                        wxString::FromUTF8(ToWxFilter(filter)), style);
    if (dialog.ShowModal() != wxID_OK)
        return std::nullopt;
    // A name typed bare takes the file type the chooser was showing.
    return Chosen{dialog.GetPath().utf8_string(),
                  FilterExtension(filter, dialog.GetFilterIndex(), defaultExtension)};
}
} // namespace

std::optional<std::string> RunFileDialog(wxWindow* parent, FileDialogKind kind,
                                         const std::string& defaultExtension,
                                         const std::string& filter)
{
    const auto chosen = Choose(parent, kind, defaultExtension, filter);
    if (!chosen)
        return std::nullopt;
    const std::string path = WithDefaultExtension(chosen->path, chosen->extension);
    const std::filesystem::path file(path);
    UserSettings().Write(kFolderKey, wxString::FromUTF8(file.parent_path().string()));
    SaveUserSettings(); // remembered even if the program ends badly later
    std::error_code error;
    if (kind == FileDialogKind::Save && path != chosen->path &&
        std::filesystem::exists(file, error) &&
        QuestionBox(ReplaceQuestion(path), {"Replace", "Cancel"}) != 0)
        return std::nullopt;
    return path;
}

std::string FilterExtension(const std::string& filter, int index, const std::string& fallback)
{
    // Descriptions and patterns alternate: the pattern of entry i is field 2i + 1.
    std::size_t start = 0;
    for (int field = 0; field < 2 * index + 1; ++field)
    {
        start = filter.find('|', start);
        if (start == std::string::npos)
            return fallback;
        ++start;
    }
    const std::string pattern = filter.substr(start, filter.find('|', start) - start);
    const bool single = pattern.size() > 2 && pattern.compare(0, 2, "*.") == 0 &&
                        pattern.find_first_of(";*?", 2) == std::string::npos;
    return single ? pattern.substr(1) : fallback;
}

FileDialogHandler SetFileDialogHandler(FileDialogHandler handler)
{
    return std::exchange(CurrentHandler(), std::move(handler));
}

std::string ChooserFolder()
{
    const std::string folder = UserSettings().Read(kFolderKey, wxString()).utf8_string();
    std::error_code error;
    if (!folder.empty() && std::filesystem::is_directory(folder, error))
        return folder;
    return wxGetCwd().utf8_string();
}

std::string ReplaceQuestion(const std::string& path)
{
    return "A file named \"" + std::filesystem::path(path).filename().string() +
           "\" already exists. Do you want to replace it?";
}

std::string ToWxFilter(const std::string& filter)
{
    std::string converted = filter;
    while (!converted.empty() && converted.back() == '|')
        converted.pop_back();
    return converted;
}

std::string WithDefaultExtension(const std::string& path, const std::string& defaultExtension)
{
    const std::size_t nameStart = path.find_last_of('/') + 1; // npos + 1 == 0
    if (path.find('.', nameStart) != std::string::npos || nameStart == path.size())
        return path;
    return path + defaultExtension;
}
