// New Game, Save Game and Load Game as the menu runs them, with the file
// chooser and the message boxes answered by the test.

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "PlayTestSupport.h"

namespace
{
const char* const kFilter = "PLX Files (*.plx)|*.plx|All Files (*.*)|*.*||";

void Command(CChildView& view, void (CChildView::*handler)(wxCommandEvent&))
{
    wxCommandEvent command;
    (view.*handler)(command);
}
} // namespace

TEST(PlayCommands, SaveThenLoadRestoresTheGameAndTurnsToTheSideToMove)
{
    ViewWindow window(wxSize(320, 240));
    CChildView& view = window.View();
    CCommandSeams seams;
    PlayMove(window, 2, 2, 3, 3);
    const CCheckerBoard saved = view.m_board;

    seams.m_answer = (seams.m_folder / "game.plx").string();
    Command(view, &CChildView::OnSaveGame);
    EXPECT_EQ(std::filesystem::file_size(*seams.m_answer), 153u);

    Command(view, &CChildView::OnNewGame);
    EXPECT_EQ(view.m_board, CCheckerBoard());
    EXPECT_TRUE(EyeAt(view, 20.0, 12.0, 0.0));
    Click(view, SquarePoint(window, 2, 4)); // a chip chosen, its square lit

    Command(view, &CChildView::OnLoadGame);
    EXPECT_EQ(view.m_board, saved);
    EXPECT_TRUE(ChipsMatchBoard(view));
    EXPECT_TRUE(view.m_pickingChip);
    EXPECT_FALSE(view.m_selectedChip);
    EXPECT_EQ(HintCount(view), 0u);
    EXPECT_TRUE(EyeAt(view, -20.0, 12.0, 0.0)); // red is to move

    ASSERT_EQ(seams.m_dialogs.size(), 2u);
    EXPECT_EQ(seams.m_dialogs[0].kind, FileDialogKind::Save);
    EXPECT_EQ(seams.m_dialogs[1].kind, FileDialogKind::Open);
    for (const auto& dialog : seams.m_dialogs)
    {
        EXPECT_EQ(dialog.extension, ".plx");
        EXPECT_EQ(dialog.filter, kFilter);
    }
    EXPECT_TRUE(seams.m_boxes.empty());
}

TEST(PlayCommands, FailuresShowTheirMessageAndChangeNothing)
{
    ViewWindow window(wxSize(320, 240));
    CChildView& view = window.View();
    CCommandSeams seams;
    Click(view, SquarePoint(window, 2, 2));
    const CSGPtr chip = view.m_chipNodes[8 * 5 + 2];

    const std::string lowerX = (seams.m_folder / "lower-x.plx").string();
    {
        CCheckerBoard board;
        std::ofstream out(lowerX, std::ios::binary);
        board.WriteGame(out);
        out.seekp(0);
        out.put('x');
    }
    for (const std::string& path : {(seams.m_folder / "missing.plx").string(), lowerX})
    {
        seams.m_answer = path;
        Command(view, &CChildView::OnLoadGame);
    }
    seams.m_answer = (seams.m_folder / "no-such-folder" / "game.plx").string();
    Command(view, &CChildView::OnSaveGame);

    ASSERT_EQ(seams.m_boxes.size(), 3u);
    for (int i = 0; i < 2; ++i)
    {
        EXPECT_EQ(seams.m_boxes[i].text, "There was an error opening up your Plaxen file.");
        EXPECT_EQ(seams.m_boxes[i].caption, "Error Opening File");
        EXPECT_EQ(seams.m_boxes[i].type, 0u);
    }
    EXPECT_EQ(seams.m_boxes[2].text, "There was an error saving your game.");
    EXPECT_EQ(seams.m_boxes[2].caption, "Error Saving File");
    EXPECT_EQ(seams.m_boxes[2].type, 0u);

    EXPECT_EQ(view.m_board, CCheckerBoard());
    EXPECT_EQ(view.m_chipNodes[8 * 5 + 2].get(), chip.get());
    EXPECT_EQ(view.m_selectedChip.get(), chip.get()); // the chosen chip stays chosen
    EXPECT_EQ(HintCount(view), 1u);
}

TEST(PlayCommands, CancelledChoosersDoNothing)
{
    ViewWindow window(wxSize(320, 240));
    CChildView& view = window.View();
    CCommandSeams seams;
    Click(view, SquarePoint(window, 2, 2));
    Command(view, &CChildView::OnLoadGame);
    Command(view, &CChildView::OnSaveGame);
    EXPECT_EQ(seams.m_dialogs.size(), 2u);
    EXPECT_TRUE(seams.m_boxes.empty());
    EXPECT_FALSE(view.m_pickingChip);
    EXPECT_EQ(HintCount(view), 1u);
    EXPECT_TRUE(std::filesystem::is_empty(seams.m_folder));
}

TEST(PlayCommands, NewGameForgetsTheChosenChipAndTheMultiJump)
{
    ViewWindow window(wxSize(320, 240));
    CChildView& view = window.View();
    CCommandSeams seams;

    // A chosen chip is forgotten: a press and release on an empty square
    // afterwards moves nothing.
    Click(view, SquarePoint(window, 2, 2));
    Command(view, &CChildView::OnNewGame);
    EXPECT_FALSE(view.m_selectedChip);
    EXPECT_EQ(HintCount(view), 0u);
    Click(view, SquarePoint(window, 3, 3));
    EXPECT_EQ(view.m_board, CCheckerBoard());

    CCheckerBoard jumps = EmptyBoard();
    jumps.m_cells[8 * 3 + 1] = CCheckerBoard::BlackMan;
    jumps.m_cells[8 * 4 + 2] = CCheckerBoard::RedMan;
    jumps.m_cells[8 * 6 + 4] = CCheckerBoard::RedMan;
    LoadPosition(view, seams, jumps);
    PlayMove(window, 3, 1, 5, 3);
    ASSERT_TRUE(view.m_jumpPending);

    // No capture-only restriction survives: an ordinary opening step is taken.
    Command(view, &CChildView::OnNewGame);
    EXPECT_FALSE(view.m_jumpPending);
    EXPECT_EQ(HintCount(view), 0u);
    EXPECT_TRUE(ChipsMatchBoard(view));
    PlayMove(window, 2, 0, 3, 1);
    EXPECT_EQ(view.m_board.m_side, CCheckerBoard::RedSide);
    EXPECT_TRUE(EyeAt(view, -20.0, 12.0, 0.0));

    // Red to move: New Game turns back to black, but not while "No Spin" is on.
    Command(view, &CChildView::OnNoSpin);
    Command(view, &CChildView::OnNewGame);
    EXPECT_TRUE(EyeAt(view, -20.0, 12.0, 0.0));
    Command(view, &CChildView::OnNoSpin);
    EXPECT_TRUE(EyeAt(view, 20.0, 12.0, 0.0));
}
