// Playing the computer: its moves come through the board's own path, the
// window stays live while it thinks, and a search the game has moved past
// never lands.

#include <chrono>

#include <gtest/gtest.h>

#include "ViewTestSupport.h"
#include "WxTestEnvironment.h"
#include "notation/BoardMoves.h"
#include "view/CommandIds.h"
#include "view/ComputerPlayer.h"

namespace
{
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

bool Thinking(const CChildView& view)
{
    return view.StatusText() == "Thinking...";
}

// True when `after` is `before` with one legal move played.
::testing::AssertionResult OneLegalMove(const CCheckerBoard& before, const CCheckerBoard& after)
{
    for (const NotatedMove& move : ListLegalMoves(before))
    {
        CCheckerBoard played = before;
        if (PlayMove(played, move) != MoveRefused && played == after)
            return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "no legal move of\n" << before << "gives\n" << after;
}
} // namespace

TEST(PlayComputer, AnswersThroughTheBoardsPathWhileTheCameraStaysWithThePlayer)
{
    ViewWindow window(wxSize(320, 240));
    CChildView& view = window.View();
    Command(view, ViewCommand::LevelBeginner);
    Command(view, ViewCommand::ComputerPlaysRed);
    EXPECT_FALSE(Thinking(view)) << "black is to move: the computer waits";
    for (const int id : {ViewCommand::LevelBeginner, ViewCommand::LevelExpert})
    {
        wxUpdateUIEvent update(id);
        view.ProcessWindowEvent(update);
        EXPECT_EQ(update.GetChecked(), id == ViewCommand::LevelBeginner);
    }

    for (int move = 0; move < 3; ++move)
    {
        // The player's move, then the computer's answer on its own.
        const CCheckerBoard before = view.m_board;
        ClickMove(window, ListLegalMoves(before).front());
        ASSERT_TRUE(OneLegalMove(before, view.m_board));
        ASSERT_EQ(view.m_board.m_side, CCheckerBoard::RedSide);
        EXPECT_TRUE(Thinking(view));

        // While it thinks the board is not the player's: a press chooses nothing.
        const CCheckerBoard theirs = view.m_board;
        Click(window, 5, 1);
        EXPECT_EQ(HintCount(view), 0u);
        EXPECT_EQ(view.m_board, theirs);
        ASSERT_TRUE(PumpUntil([&] { return !Thinking(view); }, 20s));
        PlayOut(view);
        EXPECT_TRUE(OneLegalMove(theirs, view.m_board));
        EXPECT_EQ(view.m_board.m_side, CCheckerBoard::BlackSide);
        EXPECT_TRUE(ChipsMatchBoard(view));
        EXPECT_TRUE(EyeAtX(view, 20.0)) << "one side is the computer's: no turn after moves";
        EXPECT_TRUE(view.m_pickingChip);
        EXPECT_FALSE(view.m_selectedChip);
    }
}

TEST(PlayComputer, CancelledAtOnceAndNoStaleMoveLands)
{
    ViewWindow window(wxSize(320, 240));
    CChildView& view = window.View();
    RunCommand(view, &CChildView::OnNoSpin); // no camera turns: only the stop is timed
    Command(view, ViewCommand::LevelExpert); // a second a move: long enough to interrupt
    Command(view, ViewCommand::ComputerPlaysBlack);
    ASSERT_TRUE(Thinking(view)) << "ticked with black to move, it starts at once";

    // Unticking stops it within a few milliseconds (tools/bench.sh times
    // it); a margin for loaded machines and sanitizers still lies far below
    // the second it would think.
    auto start = Clock::now();
    Command(view, ViewCommand::ComputerPlaysBlack);
    EXPECT_LT(Clock::now() - start, 500ms);
    EXPECT_FALSE(Thinking(view));
    PumpFor(1200ms);
    EXPECT_EQ(view.m_board, CCheckerBoard()) << "the stopped search played nothing";

    // New Game and Load Game while it thinks: the answer to the old position
    // never lands on the new one.
    CCommandSeams seams;
    Command(view, ViewCommand::ComputerPlaysRed);
    Click(window, 2, 2);
    Click(window, 3, 3);
    ASSERT_TRUE(Thinking(view));
    start = Clock::now();
    RunCommand(view, &CChildView::OnNewGame);
    EXPECT_LT(Clock::now() - start, 500ms);
    PumpFor(1200ms);
    EXPECT_EQ(view.m_board, CCheckerBoard());

    CCheckerBoard loaded = EmptyBoard();
    loaded.m_cells[8 * 4 + 4] = CCheckerBoard::RedMan;
    loaded.m_cells[8 * 0 + 0] = CCheckerBoard::BlackMan;
    loaded.m_cells[8 * 0 + 2] = CCheckerBoard::BlackMan;
    loaded.m_side = CCheckerBoard::RedSide;
    Click(window, 2, 2);
    Click(window, 3, 3);
    ASSERT_TRUE(Thinking(view));
    seams.Load(view, loaded);
    ASSERT_TRUE(Thinking(view)) << "red is to move in the loaded game too";
    ASSERT_TRUE(PumpUntil([&] { return !Thinking(view); }, 20s));
    EXPECT_TRUE(OneLegalMove(loaded, view.m_board));
}

TEST(PlayComputer, BothSidesPlayEachOtherAndTheCameraTurnsAsBefore)
{
    ViewWindow window(wxSize(320, 240));
    CChildView& view = window.View();
    Command(view, ViewCommand::LevelBeginner);
    Command(view, ViewCommand::ComputerPlaysRed);
    Command(view, ViewCommand::ComputerPlaysBlack);
    CCheckerBoard before = view.m_board;
    for (int ply = 0; ply < 4; ++ply)
    {
        ASSERT_TRUE(PumpUntil([&] { return !(view.m_board == before); }, 20s)) << "ply " << ply;
        PlayOut(view);
        EXPECT_TRUE(OneLegalMove(before, view.m_board));
        // Neither side is the player's: the camera faces the side to move.
        EXPECT_TRUE(EyeAtX(view, view.m_board.m_side == CCheckerBoard::BlackSide ? 20.0 : -20.0));
        before = view.m_board;
    }
}
