// Games and files as the player meets them: nothing unsaved goes without a
// question, Save writes where the game belongs, and every refusal of a file
// reads, whatever bytes the file held.

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>

#include "ViewTestSupport.h"
#include "assets/Texture.h"
#include "notation/TextEncoding.h"
#include "scene/SGMesh.h"
#include "tests/support/TempFolder.h"
#include "view/CommandIds.h"

namespace
{
std::string Question(const std::string& text)
{
    return text + " [Plaxen: Save|Don't Save|Cancel]";
}

std::string FileText(const std::string& path)
{
    return testsupport::TempFolder::Read(path);
}
} // namespace

TEST(PlayFiles, UnsavedMovesAreOfferedForSavingBeforeTheGameGoes)
{
    ViewWindow window(wxSize(320, 240));
    CChildView& view = window.View();
    CCommandSeams seams;
    ASSERT_TRUE(wxTheClipboard->Open());
    wxTheClipboard->SetData(new wxTextDataObject("W:W21:B1"));
    wxTheClipboard->Close();

    // A game with no moves asks nothing.
    RunCommand(view, &CChildView::OnNewGame);
    EXPECT_TRUE(view.MayClose());
    EXPECT_TRUE(seams.m_questions.empty());

    // Cancel keeps the game and does nothing else: no chooser, no new board.
    Click(window, 2, 2);
    Click(window, 3, 3);
    const CCheckerBoard played = view.m_board;
    EXPECT_EQ(view.m_gameFile.Title("Plaxen"), "*Plaxen");
    seams.m_replies = {2, 2, 2, 2};
    RunCommand(view, &CChildView::OnNewGame);
    RunCommand(view, &CChildView::OnLoadGame);
    Command(view, ViewCommand::PasteGame);
    EXPECT_FALSE(view.MayClose());
    EXPECT_EQ(seams.m_questions,
              (std::vector<std::string>{Question("Save the game before starting a new one?"),
                                        Question("Save the game before loading another?"),
                                        Question("Save the game before pasting another?"),
                                        Question("Save the game before quitting?")}));
    EXPECT_TRUE(seams.m_dialogs.empty());
    EXPECT_EQ(view.m_board, played);

    // Save, with the chooser cancelled, keeps it too; with a file chosen the
    // game is written there before the new one starts.
    seams.m_replies = {0, 0};
    RunCommand(view, &CChildView::OnNewGame);
    EXPECT_EQ(view.m_board, played);
    const std::string evening = (seams.m_folder / "evening.pdn").string();
    seams.m_answer = evening;
    RunCommand(view, &CChildView::OnNewGame);
    EXPECT_EQ(view.m_board, CCheckerBoard());
    EXPECT_NE(FileText(evening).find("1. 11-15 *"), std::string::npos) << FileText(evening);
    EXPECT_EQ(seams.m_dialogs.size(), 2u);

    // Just saved or loaded: nothing to ask. Undo and redo are changes.
    RunCommand(view, &CChildView::OnLoadGame);
    EXPECT_EQ(view.m_gameFile.Title("Plaxen"), "evening.pdn - Plaxen");
    seams.m_questions.clear();
    Command(view, ViewCommand::UndoMove);
    EXPECT_EQ(view.m_gameFile.Title("Plaxen"), "*evening.pdn - Plaxen");
    seams.m_replies = {1}; // Don't Save
    EXPECT_TRUE(view.MayClose());
    seams.m_answer = (seams.m_folder / "undone.plx").string();
    RunCommand(view, &CChildView::OnSaveGameAs);
    Command(view, ViewCommand::RedoMove);
    EXPECT_EQ(view.m_gameFile.Title("Plaxen"), "*undone.plx - Plaxen");
    RunCommand(view, &CChildView::OnSaveGame);
    EXPECT_TRUE(view.MayClose());
    EXPECT_EQ(seams.m_questions,
              std::vector<std::string>{Question("Save the game before quitting?")});

    // A pasted game with moves has none of them in a file.
    RunCommand(view, &CChildView::OnCopyGame);
    Command(view, ViewCommand::PasteGame);
    EXPECT_EQ(view.m_gameFile.Title("Plaxen"), "*Plaxen");
}

TEST(PlayFiles, SaveWritesToTheGamesOwnFileAndSaveAsAsksForOne)
{
    ViewWindow window(wxSize(320, 240));
    CChildView& view = window.View();
    CCommandSeams seams;
    const std::string plx = (seams.m_folder / "position.plx").string();
    seams.m_answer = plx;
    RunCommand(view, &CChildView::OnSaveGame); // no file yet: the chooser
    Click(window, 2, 2);
    Click(window, 3, 3);
    seams.m_answer = (seams.m_folder / "elsewhere.plx").string();
    RunCommand(view, &CChildView::OnSaveGame); // its own file: no chooser
    EXPECT_EQ(seams.m_dialogs.size(), 1u);
    std::ostringstream position;
    view.m_board.WriteGame(position);
    EXPECT_EQ(FileText(plx), position.str());
    EXPECT_FALSE(std::filesystem::exists(*seams.m_answer));

    RunCommand(view, &CChildView::OnSaveGameAs); // always the chooser
    EXPECT_EQ(seams.m_dialogs.size(), 2u);
    EXPECT_EQ(view.m_gameFile.Title("Plaxen"), "elsewhere.plx - Plaxen");

    // A .plx file read back is the game's own; a PDN file may hold other
    // games, so the first Save after loading one asks where.
    seams.m_answer = plx;
    RunCommand(view, &CChildView::OnLoadGame);
    Click(window, 5, 1);
    Click(window, 4, 0);
    RunCommand(view, &CChildView::OnSaveGame);
    EXPECT_EQ(seams.m_dialogs.size(), 3u);
    const std::string collection = (seams.m_folder / "collection.pdn").string();
    std::ofstream(collection)
        << "[Event \"club\"]\n1. 11-15 23-19 *\n\n[Event \"two\"]\n1. 9-13 *\n";
    seams.m_answer = collection;
    RunCommand(view, &CChildView::OnLoadGame);
    seams.m_answer.reset(); // the chooser cancelled: nothing written anywhere
    RunCommand(view, &CChildView::OnSaveGame);
    EXPECT_EQ(seams.m_dialogs.size(), 5u);
    EXPECT_NE(FileText(collection).find("[Event \"two\"]"), std::string::npos);
    EXPECT_TRUE(seams.m_boxes.empty());
}

// Texts quoted from files in Latin-1, as older programs write them, would
// leave an empty box; every reader's refusal must read. Names are made of
// such bytes too.
TEST(PlayFiles, EveryReadersRefusalShowsReadableTextWhateverItsBytes)
{
    ViewWindow window(wxSize(320, 240));
    CChildView& view = window.View();
    CCommandSeams seams;
    const std::string folder = (seams.m_folder / "jou\xE9").string();
    std::filesystem::create_directory(folder);
    const std::string shownFolder = Utf8OrLatin1(folder);
    const auto write = [&folder](const std::string& name, const std::string& bytes)
    {
        std::ofstream(folder + "/" + name, std::ios::binary) << bytes;
        return folder + "/" + name;
    };

    // The saved-game readers, through Load Game.
    seams.m_answer = write("partie.plx", "X \xE9 X r X r X r\n");
    RunCommand(view, &CChildView::OnLoadGame);
    seams.m_answer = write("partie.pdn", "[Event \"f\xEAte\"]\n1. \xE9t\xE9 *\n");
    RunCommand(view, &CChildView::OnLoadGame);
    // The images and the board mesh, as the view reads its art.
    CTexture texture;
    texture.LoadFile((folder + "/caf\xE9.bmp").c_str());
    texture.LoadFile(write("bois\xE9.bmp", "\xE9\xE9 not an image at all").c_str());
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(folder); // no res/ here
    CSGMesh mesh;
    mesh.LoadObj();
    std::filesystem::current_path(before);

    EXPECT_EQ(
        seams.m_boxes,
        (std::vector<std::string>{
            "There was an error opening up your Plaxen file. [Error Opening File, 0]",
            "There was an error opening up your Plaxen file.\n\nLine 2: \"\xC3\xA9t\xC3\xA9\" "
            "is not a move. [Error Opening File, 0]",
            "Unable to open image file: " + shownFolder + "/caf\xC3\xA9.bmp [Plaxen, 0]",
            "Unsupported texture file type: " + shownFolder + "/bois\xC3\xA9.bmp [Plaxen, 0]",
            "File not found [Plaxen, 0]"}));
    for (const std::string& box : seams.m_boxes)
        EXPECT_TRUE(IsValidUtf8(box)) << box;
    EXPECT_EQ(view.m_board, CCheckerBoard()) << "nothing was loaded";
}
