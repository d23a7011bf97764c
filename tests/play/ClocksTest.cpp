// Games on a clock, on made-up time: a time control waits for the next
// game, the side to move's clock runs only while the board waits for its
// move, the increment, the flag, undo held back while the clocks run, and
// New Game and Load Game starting them again.

#include <chrono>

#include <gtest/gtest.h>

#include "ViewTestSupport.h"
#include "WxTestEnvironment.h"
#include "record/Pdn.h"
#include "tests/record/RecordTestSupport.h"
#include "view/ClockKeeper.h"
#include "view/CommandIds.h"
#include "view/CustomTimeDialog.h"

namespace
{
using namespace std::chrono_literals;

constexpr int kNoClock = ViewCommand::TimeControlFirst;
constexpr int kFivePlusThree = ViewCommand::TimeControlFirst + 1;
constexpr int kCustom = ViewCommand::TimeControlLast;

class PlayClocks : public ::testing::Test
{
protected:
    PlayClocks()
    {
        view.m_clocks->SetTimeSource([this] { return now; });
    }

    ViewWindow window{wxSize(320, 240)};
    CChildView& view = window.View();
    CCommandSeams seams;
    CClockKeeper::TimePoint now = CClockKeeper::TimePoint{} + 1h;
};

} // namespace

TEST_F(PlayClocks, ATimeControlWaitsForTheNextGameAndTheClockRunsOnlyWhileTheBoardWaits)
{
    Command(view, kFivePlusThree);
    EXPECT_TRUE(Checked(view, kFivePlusThree));
    EXPECT_FALSE(view.m_clocks->HasClocks()) << "the game under way has none";

    RunCommand(view, &CChildView::OnNewGame);
    EXPECT_EQ(view.m_clocks->PaneText(CCheckerBoard::BlackSide), "Black 5:00");
    EXPECT_EQ(view.m_clocks->Running(), CCheckerBoard::BlackSide);
    now += 20s;

    // The move stops black's clock and adds the increment; the slide and
    // the camera's turn cost red nothing, however long they take.
    StartMove(window, 2, 2, 3, 3); // 11-15
    EXPECT_FALSE(view.BoardIsReady());
    EXPECT_EQ(view.m_clocks->Running(), -1);
    EXPECT_EQ(view.m_clocks->LeftMs(CCheckerBoard::BlackSide), 283000);
    now += 30s;
    PlayOut(view);
    EXPECT_EQ(view.m_clocks->Running(), CCheckerBoard::RedSide);
    EXPECT_EQ(view.m_clocks->LeftMs(CCheckerBoard::RedSide), 300000);

    // While the clocks run, nothing is taken back: not by undo or redo, nor
    // by a click in the move list.
    EXPECT_FALSE(Enabled(view, ViewCommand::UndoMove));
    EXPECT_FALSE(Enabled(view, ViewCommand::RedoMove));
    Command(view, ViewCommand::UndoMove);
    view.GoToMove(0);
    EXPECT_EQ(view.m_record.Place(), 1u);
    EXPECT_EQ(view.GameTags().timeControl, "300+3");

    // A capture's first jump slides on paused time too; the clock runs again
    // for the rest of the capture once the picture has caught up.
    view.TakeRecord(GameOf("B:W12,19,26,27,29:B1,22", {}));
    PlayOut(view);
    StartMove(window, 5, 5, 7, 3); // 22x31
    EXPECT_EQ(view.m_clocks->Running(), -1);
    now += 30s;
    PlayOut(view);
    EXPECT_EQ(view.m_clocks->Running(), CCheckerBoard::BlackSide);
    now += 2s;
    ClickMove(window, ParseMove("31x24x15").value());
    EXPECT_EQ(view.m_record.Moves().size(), 1u);
    EXPECT_EQ(view.m_clocks->LeftMs(CCheckerBoard::BlackSide), 301000);

    // Another control, or none, waits for the next new game; New Game and
    // Load Game start the clocks again.
    Command(view, kNoClock);
    EXPECT_TRUE(view.m_clocks->HasClocks());
    Command(view, kFivePlusThree);
    RunCommand(view, &CChildView::OnNewGame);
    EXPECT_EQ(view.m_clocks->LeftMs(CCheckerBoard::BlackSide), 300000);
    now += 40s;
    seams.Load(view, CCheckerBoard());
    EXPECT_EQ(view.m_clocks->LeftMs(CCheckerBoard::BlackSide), 300000);
    Command(view, kNoClock);
    RunCommand(view, &CChildView::OnNewGame);
    EXPECT_FALSE(view.m_clocks->HasClocks());
    EXPECT_EQ(view.m_clocks->PaneText(CCheckerBoard::RedSide), "");
    EXPECT_FALSE(view.m_clocks->IsArmed()) << "nothing ticks without clocks";
    EXPECT_EQ(view.GameTags().timeControl, "");
}

TEST_F(PlayClocks, AFlagEndsTheGameAndAMoveMadeTooLateDoesNotCount)
{
    // Custom...: a minute each, nothing added.
    const auto previous = CCustomTimeDialog::SetHandler(
        [](const TimeControl&) {
            return std::optional<TimeControl>(TimeControl{60, 0});
        });
    Command(view, kCustom);
    CCustomTimeDialog::SetHandler(previous);
    EXPECT_TRUE(Checked(view, kCustom));
    EXPECT_FALSE(Checked(view, kFivePlusThree));
    RunCommand(view, &CChildView::OnNewGame);

    ClickMove(window, ParseMove("11-15").value());
    EXPECT_EQ(view.m_clocks->LeftMs(CCheckerBoard::BlackSide), 60000) << "no increment";
    now += 61s;
    // Red's move comes after its time ran out, before the timer said so.
    const CCheckerBoard before = view.m_board;
    ClickMove(window, ParseMove("22-18").value());
    EXPECT_EQ(view.m_board, before);
    EXPECT_EQ(view.StatusText(), "Red loses on time");
    EXPECT_EQ(view.m_record.End(), LostBy(GameEndKind::Time, CCheckerBoard::RedSide));
    EXPECT_EQ(view.m_clocks->Running(), -1);
    EXPECT_FALSE(view.m_clocks->IsArmed()) << "nothing ticks once the game is over";

    // Over, the game may be looked through: its clocks are put away.
    EXPECT_TRUE(Enabled(view, ViewCommand::UndoMove));
    Command(view, ViewCommand::UndoMove);
    EXPECT_FALSE(view.m_record.IsOver());
    EXPECT_FALSE(view.m_clocks->HasClocks());
    EXPECT_EQ(view.GameTags().timeControl, "60");

    // The timer's flag: black's time runs out while black thinks.
    RunCommand(view, &CChildView::OnNewGame);
    now += 60s;
    view.m_clocks->Tick();
    EXPECT_FALSE(view.BoardIsReady()) << "the camera circles the board";
    EXPECT_EQ(view.StatusText(), "Black loses on time");
    PlayOut(view);
    Click(window, 2, 2);
    EXPECT_EQ(HintCount(view), 0u);
}
