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
    return WithDefaultExtension(dialog.GetPath().utf8_string(), defaultExtension);
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
