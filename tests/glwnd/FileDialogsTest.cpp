#include "glwnd/FileDialogs.h"

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/eventfilter.h>
#include <wx/filedlg.h>

#include <wx/fileconf.h>

#include "glwnd/MessageService.h"
#include "glwnd/UserSettings.h"
#include "tests/support/MessageLog.h"
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
// whether it asks before replacing a file, and has it cancelled once the
// event is handled.
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
            asksBeforeReplacing = dialog->HasFlag(wxFD_OVERWRITE_PROMPT);
            wxTheApp->CallAfter([dialog] { dialog->EndModal(wxID_CANCEL); });
        }
        return Event_Skip;
    }

    bool seen = false;
    std::string folder;
    bool asksBeforeReplacing = false;
};

// The chooser's answers and the questions asked, while it lives.
struct Seams
{
    Seams()
    {
        SetFileDialogHandler([this](FileDialogKind, const std::string&, const std::string&)
                             { return answer; });
        SetQuestionBoxHandler(
            [this](const std::string& text, const std::string&, const std::vector<std::string>& b)
            {
                questions.push_back(text + " [" + b.at(0) + "|" + b.at(1) + "]");
                return reply;
            });
    }
    ~Seams()
    {
        SetFileDialogHandler({});
        SetQuestionBoxHandler({});
    }
    std::optional<std::string> answer;
    std::size_t reply = 1;
    std::vector<std::string> questions;
};
} // namespace

// Both choosers start in the folder a file was last chosen from, kept in
// the player's settings file between runs; without one, or when it is gone,
// in the working directory (not GTK's "Recent" list, where nothing can be
// saved). The save chooser asks before replacing a file.
TEST(FileDialogs, ChoosersStartInTheFolderLastUsedElseTheWorkingDirectory)
{
    const testsupport::TempFolder folder;
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(folder.path);
    EXPECT_EQ(ChooserFolder(), folder.path.string());
    {
        ChooserWatcher watcher;
        EXPECT_FALSE(RunFileDialog(nullptr, FileDialogKind::Save, ".plx", "PLX (*.plx)|*.plx||"));
        EXPECT_EQ(watcher.folder, folder.path.string());
        EXPECT_TRUE(watcher.asksBeforeReplacing);
    }

    const std::filesystem::path games = folder.path / "games";
    std::filesystem::create_directory(games);
    {
        Seams seams;
        seams.answer = (games / "evening.pdn").string();
        EXPECT_EQ(RunFileDialog(nullptr, FileDialogKind::Open, ".plx", "PDN (*.pdn)|*.pdn||"),
                  seams.answer);
    }
    // In the file, where the next run finds it.
    wxFileConfig written(wxEmptyString, wxEmptyString, wxString::FromUTF8(UserSettingsPath()),
                         wxEmptyString, wxCONFIG_USE_LOCAL_FILE);
    EXPECT_EQ(written.Read("/Files/LastFolder", wxString()).utf8_string(), games.string());
    EXPECT_EQ(UserSettingsPath(),
              std::string(std::getenv("XDG_CONFIG_HOME")) + "/plaxen/plaxen.conf")
        << "tests keep their settings in a temporary home";
    {
        ChooserWatcher watcher;
        EXPECT_FALSE(RunFileDialog(nullptr, FileDialogKind::Open, ".plx", "PLX (*.plx)|*.plx||"));
        EXPECT_EQ(watcher.folder, games.string());
        EXPECT_FALSE(watcher.asksBeforeReplacing);
    }
    std::filesystem::remove(games);
    EXPECT_EQ(ChooserFolder(), folder.path.string());
    std::filesystem::current_path(before);
}

// The chooser asked about the name as typed; a name that the added
// extension turns into an existing file's is asked about here.
TEST(FileDialogs, AnExtensionAddedToAnExistingFilesNameAsksBeforeReplacing)
{
    const testsupport::TempFolder folder;
    const std::string game = folder.Write("game.plx", "X");
    Seams seams;
    seams.answer = folder / "game";
    EXPECT_EQ(RunFileDialog(nullptr, FileDialogKind::Save, ".plx", "PLX (*.plx)|*.plx||"),
              std::nullopt)
        << "Cancel keeps the file";
    seams.reply = 0;
    EXPECT_EQ(RunFileDialog(nullptr, FileDialogKind::Save, ".plx", "PLX (*.plx)|*.plx||"), game);
    const std::string question =
        "A file named \"game.plx\" already exists. Do you want to replace it? [Replace|Cancel]";
    EXPECT_EQ(seams.questions, (std::vector<std::string>{question, question}));

    // Named with its extension, a new name, or opened: nothing to ask.
    for (const std::string& name : {game, folder / "new"})
    {
        seams.answer = name;
        EXPECT_TRUE(RunFileDialog(nullptr, FileDialogKind::Save, ".plx", "PLX (*.plx)|*.plx||"));
    }
    seams.answer = folder / "game";
    EXPECT_EQ(RunFileDialog(nullptr, FileDialogKind::Open, ".plx", "PLX (*.plx)|*.plx||"), game);
    EXPECT_EQ(seams.questions.size(), 2u);
}

// Every text reaches the boxes as UTF-8, whatever bytes it was made of, and
// a question nobody can answer gets its cautious last button.
TEST(MessageService, TextsAreShownAsUtf8AndUnansweredQuestionsAreCancelled)
{
    testsupport::MessageLog log;
    AfxMessageBox("Unable to open image file: caf\xE9.bmp");
    CaptionedMessageBox("d\xC3\xA9j\xC3\xA0 vu", "\xE9t\xE9");
    EXPECT_EQ(log.boxes,
              (std::vector<std::string>{"Unable to open image file: caf\xC3\xA9.bmp [Plaxen, 0]",
                                        "d\xC3\xA9j\xC3\xA0 vu [\xC3\xA9t\xC3\xA9, 0]"}));
    EXPECT_EQ(QuestionBox("Save?", {"Save", "Don't Save", "Cancel"}), 2u);
    std::vector<std::string> seen;
    SetQuestionBoxHandler(
        [&seen](const std::string& text, const std::string& caption,
                const std::vector<std::string>& buttons)
        {
            seen.push_back(text + " " + caption + " " + buttons[1]);
            return std::size_t{7}; // no such button: the cautious one
        });
    EXPECT_EQ(QuestionBox("Replace \xE9t\xE9.plx?", {"Replace", "No \xE9"}), 1u);
    SetQuestionBoxHandler({});
    EXPECT_EQ(seen, std::vector<std::string>{"Replace \xC3\xA9t\xC3\xA9.plx? Plaxen No \xC3\xA9"});
}
