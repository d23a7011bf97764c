// Games that end by a draw claimed or agreed, or by a resignation: the
// commands enabled exactly when the game allows them, the computer's claims
// and its answer to an offer, and every such end ending the game as a side
// without a move does.

#include <chrono>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ViewTestSupport.h"
#include "WxTestEnvironment.h"
#include "record/Pdn.h"
#include "tests/record/RecordTestSupport.h"
#include "view/CommandIds.h"

namespace
{
using namespace std::chrono_literals;

// A king each: black's goes between 1 and 6, red's between 32 and 27, and
// every position comes round again four plies on.
const char* const kLevel = "B:WK32:BK1";
const std::vector<const char*> kLevelCycle = {"1-6", "32-27", "6-1", "27-32"};
// Red's two kings against black's one: a win for red.
const char* const kRedAhead = "B:WK30,K31:BK1";
const std::vector<const char*> kRedAheadCycle = {"1-6", "30-26", "6-1", "26-30"};

// The game from `fen` going `plies` moves round `cycle`.
CGameRecord Round(const char* fen, const std::vector<const char*>& cycle, std::size_t plies)
{
    CGameRecord record = GameOf(fen, {});
    for (std::size_t ply = 0; ply < plies; ++ply)
        PlayOn(record, {cycle[ply % cycle.size()]});
    return record;
}

bool Thinking(const CChildView& view)
{
    return view.StatusText() == "Thinking...";
}

// Sends command `id` through the view's event table, leaving what it sets
// off unplayed.
void Send(CChildView& view, int id)
{
    wxCommandEvent command(wxEVT_MENU, id);
    view.ProcessWindowEvent(command);
}

// The game is over as any end leaves it: the record says so, the status bar
// says `text`, and once the picture has caught up a press chooses nothing.
::testing::AssertionResult EndedAs(const ViewWindow& window, const std::string& text)
{
    CChildView& view = window.View();
    if (!view.m_record.IsOver() || view.StatusText() != text)
        return ::testing::AssertionFailure() << "status \"" << view.StatusText() << "\"";
    if (Enabled(view, ViewCommand::Resign) || Enabled(view, ViewCommand::ClaimDraw) ||
        Enabled(view, ViewCommand::OfferDraw))
        return ::testing::AssertionFailure() << "a command left enabled";
    PlayOut(view);
    for (int row = 0; row < 8; ++row)
        for (int col = (row + 1) % 2; col < 8; col += 2)
            if (view.m_board.m_cells[8 * row + col] != CCheckerBoard::Empty)
            {
                view.LButtonDown(SquarePoint(window, row, col));
                if (HintCount(view) != 0)
                    return ::testing::AssertionFailure() << "a chip was chosen";
            }
    return ::testing::AssertionSuccess();
}

std::string Pdn(const CChildView& view)
{
    return WritePdn(view.m_record, view.GameTags());
}
} // namespace

TEST(PlayEndings, ClaimDrawIsEnabledExactlyWhenTheRulesAllowAndEndsTheGame)
{
    ViewWindow window(wxSize(320, 240));
    CChildView& view = window.View();
    view.TakeRecord(Round(kLevel, kLevelCycle, 7));
    PlayOut(view);
    EXPECT_FALSE(Enabled(view, ViewCommand::ClaimDraw)) << "every position twice at most";
    EXPECT_FALSE(Enabled(view, ViewCommand::OfferDraw)) << "no computer to offer to";
    EXPECT_TRUE(Enabled(view, ViewCommand::Resign));
    Command(view, ViewCommand::ClaimDraw);
    EXPECT_FALSE(view.m_record.IsOver());

    // Black's king reaches 1 a third time with black to move. A different
    // move, then one taken back, passes the claim and gives it back.
    ClickMove(window, ParseMove("27-32").value());
    EXPECT_TRUE(Enabled(view, ViewCommand::ClaimDraw));
    ClickMove(window, ParseMove("1-5").value());
    EXPECT_FALSE(Enabled(view, ViewCommand::ClaimDraw));
    Command(view, ViewCommand::UndoMove);
    EXPECT_TRUE(Enabled(view, ViewCommand::ClaimDraw));
    // With the computer to move, the player cannot claim for it.
    Command(view, ViewCommand::LevelExpert);
    Command(view, ViewCommand::ComputerPlaysBlack);
    EXPECT_TRUE(Thinking(view));
    EXPECT_FALSE(Enabled(view, ViewCommand::ClaimDraw));
    Command(view, ViewCommand::ComputerPlaysBlack);

    Send(view, ViewCommand::ClaimDraw);
    EXPECT_FALSE(view.BoardIsReady()) << "the camera circles the board";
    EXPECT_TRUE(EndedAs(window, "Drawn by threefold repetition"));
    EXPECT_TRUE(EyeAtX(view, 20.0)) << "five times round, back at black's end";
    EXPECT_EQ(view.m_record.End(), DrawnBy(GameEndKind::Repetition));
    EXPECT_NE(Pdn(view).find("[Result \"1-1\"]"), std::string::npos) << Pdn(view);
    EXPECT_TRUE(view.m_gameFile.HasUnsavedMoves());

    // Undo takes back the last move and the claim with it.
    Command(view, ViewCommand::UndoMove);
    EXPECT_FALSE(view.m_record.IsOver());
    EXPECT_EQ(view.StatusText(), "Red to move");
}

TEST(PlayEndings, TheComputerClaimsWhenItCannotWinAndPlaysOnWhenItCan)
{
    ViewWindow window(wxSize(320, 240));
    CChildView& view = window.View();
    Command(view, ViewCommand::ComputerPlaysRed);

    // Red to move, its king's square on 27 a third time: level, so it claims.
    view.TakeRecord(Round(kLevel, kLevelCycle, 9));
    ASSERT_TRUE(PumpUntil([&] { return !Thinking(view); }, 20s));
    EXPECT_TRUE(EndedAs(window, "Drawn by threefold repetition"));
    EXPECT_EQ(view.m_record.Moves().size(), 9u) << "it claimed instead of moving";

    // Two kings against one, the same claim open: it plays for the win.
    view.TakeRecord(Round(kRedAhead, kRedAheadCycle, 9));
    ASSERT_TRUE(PumpUntil([&] { return view.m_record.Moves().size() == 10; }, 20s));
    EXPECT_FALSE(view.m_record.IsOver());

    // Playing both sides it claims at once, without thinking first.
    Command(view, ViewCommand::ComputerPlaysBlack);
    view.TakeRecord(Round(kRedAhead, kRedAheadCycle, 8));
    PlayOut(view);
    EXPECT_FALSE(Thinking(view));
    EXPECT_TRUE(EndedAs(window, "Drawn by threefold repetition"));
    EXPECT_EQ(view.m_record.Moves().size(), 8u);
}

TEST(PlayEndings, TheComputerTakesADrawOfferedInALevelPositionAndDeclinesOneItCanWin)
{
    ViewWindow window(wxSize(320, 240));
    CChildView& view = window.View();
    view.TakeRecord(GameOf(kRedAhead, {}));
    Command(view, ViewCommand::ComputerPlaysRed);
    ASSERT_TRUE(Enabled(view, ViewCommand::OfferDraw));
    Command(view, ViewCommand::OfferDraw);
    EXPECT_TRUE(Thinking(view)) << "it judges on its worker";
    EXPECT_FALSE(Enabled(view, ViewCommand::OfferDraw));
    ASSERT_TRUE(PumpUntil([&] { return !Thinking(view); }, 20s));
    EXPECT_EQ(view.StatusText(), "The computer declines the draw and plays on");
    EXPECT_FALSE(view.m_record.IsOver());
    // The game goes on: the next chip chosen clears the answer.
    ClickMove(window, ParseMove("1-6").value());
    EXPECT_EQ(view.m_record.Moves().size(), 1u);
    ASSERT_TRUE(PumpUntil([&] { return view.m_record.Moves().size() == 2; }, 20s));

    view.TakeRecord(GameOf(kLevel, {}));
    Command(view, ViewCommand::OfferDraw);
    ASSERT_TRUE(PumpUntil([&] { return !Thinking(view); }, 20s));
    EXPECT_TRUE(EndedAs(window, "Drawn by agreement"));
    EXPECT_EQ(view.m_record.End(), DrawnBy(GameEndKind::Agreement));
}

TEST(PlayEndings, ResigningAsksFirstTakesBackAHalfMadeCaptureAndEndsTheGame)
{
    ViewWindow window(wxSize(320, 240));
    CChildView& view = window.View();
    CCommandSeams seams;
    // Black's capture 22x31x24x15, its first jump made.
    const CGameRecord start = GameOf("B:W12,19,26,27,29:B1,22", {});
    view.TakeRecord(start);
    NotatedMove firstJump = ParseMove("22x31x24x15").value();
    firstJump.squares.resize(2);
    ClickMove(window, firstJump);
    ASSERT_TRUE(view.m_jumpPending);

    seams.m_replies = {1};
    Command(view, ViewCommand::Resign);
    EXPECT_FALSE(view.m_record.IsOver()) << "cancelled";
    EXPECT_TRUE(view.m_jumpPending);
    seams.m_replies = {0};
    Send(view, ViewCommand::Resign);
    EXPECT_EQ(seams.m_questions, std::vector<std::string>(2, "Resign this game for black? "
                                                             "[Plaxen: Resign|Cancel]"));
    EXPECT_FALSE(view.BoardIsReady()) << "the camera circles the board";
    EXPECT_TRUE(EndedAs(window, "Black resigns"));
    EXPECT_EQ(view.m_record.End(), LostBy(GameEndKind::Resignation, CCheckerBoard::BlackSide));
    EXPECT_EQ(view.m_board, start.Board()) << "the capture begun is taken back";
    EXPECT_TRUE(ChipsMatchBoard(view));
    EXPECT_NE(Pdn(view).find("[Result \"0-2\"]"), std::string::npos) << Pdn(view);

    // Against the computer only the player resigns, on their own move.
    Command(view, ViewCommand::ComputerPlaysRed);
    RunCommand(view, &CChildView::OnNewGame);
    ClickMove(window, ParseMove("11-15").value());
    EXPECT_TRUE(Thinking(view));
    EXPECT_FALSE(Enabled(view, ViewCommand::Resign));
}

TEST(PlayEndings, ALoadedGamesEndIsTheGamesEnd)
{
    ViewWindow window(wxSize(320, 240));
    CChildView& view = window.View();
    CCommandSeams seams;
    Command(view, ViewCommand::ComputerPlaysRed);
    seams.m_answer = (seams.m_folder / "agreed.pdn").string();
    std::ofstream(*seams.m_answer) << "[Result \"1-1\"]\n1. 11-15 1-1\n";
    RunCommand(view, &CChildView::OnLoadGame);
    ASSERT_EQ(view.m_record.Moves().size(), 1u);
    EXPECT_FALSE(Thinking(view)) << "red is to move, but the game is over";
    EXPECT_TRUE(EndedAs(window, "Drawn by agreement"));
}
