#include "glwnd/FileDialogs.h"

#include <filesystem>

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/eventfilter.h>
#include <wx/filedlg.h>

#include "tests/support/TempFolder.h"

TEST(FileDialogs, FilterAndDefaultExtensionConversions)
{
    EXPECT_EQ(ToWxFilter("PLX Files (*.plx)|*.plx|All Files (*.*)|*.*||"),
              "PLX Files (*.plx)|*.plx|All Files (*.*)|*.*");
    EXPECT_EQ(WithDefaultExtension("/home/a/game", ".plx"), "/home/a/game.plx");
    EXPECT_EQ(WithDefaultExtension("/home/a/game.txt", ".plx"), "/home/a/game.txt");
    EXPECT_EQ(WithDefaultExtension("/home/a.b/game", ".plx"), "/home/a.b/game.plx");
    EXPECT_EQ(WithDefaultExtension("game", ".plx"), "game.plx");
    const std::string filter = "PLX (*.plx)|*.plx|PDN (*.pdn)|*.pdn|All Files (*.*)|*.*||";
    const char* extensions[] = {".plx", ".pdn", ".plx", ".plx"};
    for (int index = 0; index < 4; ++index)
        EXPECT_EQ(FilterExtension(filter, index, ".plx"), extensions[index]) << index;
}

namespace
{
// Sees the first event of any file chooser, notes the folder it shows and
// has it cancelled once the event is handled.
class ChooserWatcher : public wxEventFilter
{
public:
    ChooserWatcher() { wxEvtHandler::AddFilter(this); }
    ~ChooserWatcher() override { wxEvtHandler::RemoveFilter(this); }

    int FilterEvent(wxEvent& event) override
    {
        auto* dialog = dynamic_cast<wxFileDialog*>(event.GetEventObject());
        if (dialog && !seen)
        {
            seen = true;
            folder = dialog->GetDirectory().utf8_string();
            wxTheApp->CallAfter([dialog] { dialog->EndModal(wxID_CANCEL); });
        }
        return Event_Skip;
    }

    bool seen = false;
    std::string folder;
};
} // namespace

// The chooser starts in the working directory, the player's folder, rather
// than in GTK's "Recent" list, where nothing can be saved.
TEST(FileDialogs, ChooserOpensInTheWorkingDirectory)
{
    const testsupport::TempFolder folder;
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(folder.path);
    ChooserWatcher watcher;
    const std::optional<std::string> chosen =
        RunFileDialog(nullptr, FileDialogKind::Save, ".plx", "PLX Files (*.plx)|*.plx||");
    std::filesystem::current_path(before);
    EXPECT_FALSE(chosen);
    EXPECT_EQ(watcher.folder, folder.path.string());
}
