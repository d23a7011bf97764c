#include "glwnd/FileDialogs.h"

#include <utility>

#include <wx/filedlg.h>
#include <wx/filefn.h>

namespace
{
FileDialogHandler& CurrentHandler()
{
    static FileDialogHandler handler;
    return handler;
}
} // namespace

std::optional<std::string> RunFileDialog(wxWindow* parent, FileDialogKind kind,
                                         const std::string& defaultExtension,
                                         const std::string& filter)
{
    if (const FileDialogHandler& handler = CurrentHandler())
        return handler(kind, defaultExtension, filter);

    const long style = kind == FileDialogKind::Open ? wxFD_OPEN : wxFD_SAVE;
    // Opens in the working directory, the player's folder: left empty, GTK
    // shows its "Recent" list, where a save cannot go.
    wxFileDialog dialog(parent, kind == FileDialogKind::Open ? "Open" : "Save As", wxGetCwd(),
                        wxEmptyString, wxString::FromUTF8(ToWxFilter(filter)), style);
    if (dialog.ShowModal() != wxID_OK)
        return std::nullopt;
    // A name typed bare takes the file type the chooser was showing.
    return WithDefaultExtension(dialog.GetPath().utf8_string(),
                                FilterExtension(filter, dialog.GetFilterIndex(), defaultExtension));
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
