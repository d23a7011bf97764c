// New Game, Save Game and Load Game as the menu runs them.

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "ViewTestSupport.h"

TEST(PlayCommands, NewGameAndLoadDropTheChosenChipAndTheMultiJump)
{
    ViewWindow window(wxSize(320, 240));
    CChildView& view = window.View();
    CCommandSeams seams;
    Click(window, 2, 2);
    Click(window, 3, 3);
    const CCheckerBoard saved = view.m_board;
    seams.m_answer = (seams.m_folder / "game.plx").string();
    RunCommand(view, &CChildView::OnSaveGame);
    EXPECT_EQ(std::filesystem::file_size(*seams.m_answer), 153u);

    view.LButtonDown(SquarePoint(window, 5, 1)); // a chip chosen and lit
    RunCommand(view, &CChildView::OnNewGame);
    EXPECT_EQ(view.m_board, CCheckerBoard());
    EXPECT_TRUE(EyeAtX(view, 20.0));
    EXPECT_FALSE(view.m_selectedChip);
    EXPECT_EQ(HintCount(view), 0u);
    Click(window, 3, 3); // an empty square: no move can follow
    EXPECT_EQ(view.m_board, CCheckerBoard());

    Click(window, 2, 4);
    RunCommand(view, &CChildView::OnLoadGame);
    EXPECT_EQ(view.m_board, saved);
    EXPECT_TRUE(ChipsMatchBoard(view));
    EXPECT_TRUE(view.m_pickingChip);
    EXPECT_FALSE(view.m_selectedChip);
    EXPECT_EQ(HintCount(view), 0u);
    EXPECT_TRUE(EyeAtX(view, -20.0)); // red is to move
    const std::string settings = "PLX Files (*.plx)|*.plx|Portable Draughts Notation "
                                 "(*.pdn)|*.pdn|All Files (*.*)|*.*||";
    EXPECT_EQ(seams.m_dialogs,
              (std::vector<std::string>{"save .plx " + settings,
                                        "open .plx Checkers games (*.plx, *.pdn)|*.plx;*.pdn|" +
                                            settings}));
    EXPECT_TRUE(seams.m_boxes.empty());

    CCheckerBoard jumps = EmptyBoard();
    jumps.m_cells[8 * 3 + 1] = CCheckerBoard::BlackMan;
    jumps.m_cells[8 * 4 + 2] = jumps.m_cells[8 * 6 + 4] = CCheckerBoard::RedMan;
    seams.Load(view, jumps);
    Click(window, 3, 1);
    Click(window, 5, 3);
    ASSERT_TRUE(view.m_jumpPending);

    // No capture-only restriction survives: an ordinary step is taken.
    RunCommand(view, &CChildView::OnNewGame);
    EXPECT_FALSE(view.m_jumpPending);
    EXPECT_TRUE(ChipsMatchBoard(view));
    Click(window, 2, 0);
    Click(window, 3, 1);
    EXPECT_EQ(view.m_board.m_cells[8 * 3 + 1], CCheckerBoard::BlackMan);
    EXPECT_TRUE(EyeAtX(view, -20.0));

    // Red to move: New Game turns back to black, though not under "No Spin"
    // (switching it off catches up: the spin tests).
    RunCommand(view, &CChildView::OnNoSpin);
    RunCommand(view, &CChildView::OnNewGame);
    EXPECT_TRUE(EyeAtX(view, -20.0));
}

TEST(PlayCommands, FailuresShowTheirMessageAndCancelDoesNothing)
{
    ViewWindow window(wxSize(320, 240));
    CChildView& view = window.View();
    CCommandSeams seams;
    view.LButtonDown(SquarePoint(window, 2, 2));
    const CSGPtr chip = ChipAt(view, 2, 2);

    const std::string lowerX = (seams.m_folder / "lower-x.plx").string();
    std::ofstream(lowerX) << "x" << CCheckerBoard();
    for (const std::string name : {"missing.plx", "lower-x.plx"})
    {
        seams.m_answer = (seams.m_folder / name).string();
        RunCommand(view, &CChildView::OnLoadGame);
    }
    seams.m_answer = (seams.m_folder / "no-such-folder" / "game.plx").string();
    RunCommand(view, &CChildView::OnSaveGame);
    seams.m_answer.reset();
    RunCommand(view, &CChildView::OnLoadGame);
    RunCommand(view, &CChildView::OnSaveGame);

    const std::string opening =
        "There was an error opening up your Plaxen file. [Error Opening File, 0]";
    EXPECT_EQ(seams.m_boxes, (std::vector<std::string>{
                                 opening, opening,
                                 "There was an error saving your game. [Error Saving File, 0]"}));
    EXPECT_EQ(seams.m_dialogs.size(), 5u);
    EXPECT_EQ(view.m_board, CCheckerBoard());
    EXPECT_EQ(ChipAt(view, 2, 2).get(), chip.get());
    EXPECT_EQ(view.m_selectedChip.get(), chip.get()); // still chosen, still lit
    EXPECT_EQ(HintCount(view), 1u);
}
