// Learning from the computer on the board: the hint's marks, the live
// analysis that follows the game, the review's marks on the moves (and in
// the game's PDN file), and the last move marked. No answer of a search the
// game has moved past ever shows, and every search stops at once.

#include <chrono>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ViewTestSupport.h"
#include "WxTestEnvironment.h"
#include "notation/BoardMoves.h"
#include "notation/Fen.h"
#include "record/Review.h"
#include "tests/record/RecordTestSupport.h"
#include "tests/support/TempFolder.h"
#include "view/Analyst.h"
#include "view/BoardMarks.h"
#include "view/CommandIds.h"
#include "view/ReviewProgress.h"

namespace
{
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Stopping a search takes a few milliseconds (tools/bench.sh times it); the
// bound leaves room for a loaded machine and the sanitizers.
constexpr auto kStopBound = 500ms;

// Black's 3-7 loses two men to 22-18 15x22 26x17x10x3.
const std::initializer_list<const char*> kBlunderGame = {
    "12-16", "24-20", "8-12",  "21-17", "9-14",  "25-21", "10-15",
    "17x10", "7x14",  "28-24", "3-7",   "22-18", "15x22", "26x17x10x3"};
constexpr std::size_t kBlunder = 10; // 3-7

CCheckerBoard FromFen(const char* fen)
{
    return BoardFromFen(ParseFen(fen).value());
}

std::vector<int> HintSquares(const CChildView& view)
{
    return view.m_hintMarks->Squares();
}

bool Thinking(const CChildView& view)
{
    return view.StatusText() == "Thinking...";
}

// Sends command `id` and returns how long the view took to handle it; the
// animations it set off are played out after, untimed.
Clock::duration TimedCommand(CChildView& view, int id)
{
    wxCommandEvent command(wxEVT_MENU, id);
    const auto start = Clock::now();
    view.ProcessWindowEvent(command);
    const auto taken = Clock::now() - start;
    PlayOut(view);
    return taken;
}

// Runs the events until the review under way has ended.
bool ReviewEnds(CChildView& view)
{
    return PumpUntil([&] { return !view.IsReviewing(); }, 60s);
}
} // namespace

TEST(PlayHint, MarksTheMovesSquaresInAColourOfTheirOwnUntilTheNextClickAndPlaysNothing)
{
    ViewWindow window(wxSize(480, 360));
    CChildView& view = window.View();
    CCommandSeams seams;
    // A double jump, the only move: the chip's square and both landings.
    const CCheckerBoard shot = FromFen("B:W6,15,32:B1");
    seams.Load(view, shot);
    ASSERT_TRUE(Enabled(view, ViewCommand::Hint));
    Command(view, ViewCommand::Hint);
    ASSERT_TRUE(PumpUntil([&] { return !HintSquares(view).empty(); }, 10s));
    EXPECT_EQ(HintSquares(view), (std::vector<int>{1, 10, 19}));
    EXPECT_EQ(view.StatusText(), "Hint: 1x10x19");
    EXPECT_EQ(view.m_board, shot) << "nothing is played";
    EXPECT_EQ(view.m_record.Moves().size(), 0u);

    // Drawn amber, in a frame just outside the chip, where the chosen
    // chip's outline is green.
    const FrameImage frame = window.Capture();
    const wxRealPoint band = window.Project(3.5 - 2 + 0.415, 0.262, 3.5 - 4); // square 10
    const auto [r, g, b] = frame.At(band.x, band.y);
    EXPECT_GT(r, 200);
    EXPECT_TRUE(g > 100 && g < 200) << g;
    EXPECT_LT(b, 80);

    // The next click takes it away, whatever it chooses.
    Click(window, 7, 1);
    EXPECT_TRUE(HintSquares(view).empty());
    EXPECT_EQ(view.StatusText(), "Black must capture");
}

TEST(PlayHint, GreyedWhenNoHintCanBeHadAndNothingStaleArrivesAfterAChange)
{
    ViewWindow window(wxSize(320, 240));
    CChildView& view = window.View();
    CCommandSeams seams;
    view.TakeRecord(GameOf("W:W18:B14", {"18x9"})); // red took black's last chip
    ASSERT_TRUE(view.m_board.IsGameOver());
    EXPECT_FALSE(Enabled(view, ViewCommand::Hint)) << "the game is over";

    // While the computer thinks: greyed.
    RunCommand(view, &CChildView::OnNewGame);
    Command(view, ViewCommand::LevelExpert);
    Command(view, ViewCommand::ComputerPlaysBlack);
    ASSERT_TRUE(Thinking(view));
    EXPECT_FALSE(Enabled(view, ViewCommand::Hint));
    Command(view, ViewCommand::ComputerPlaysBlack);

    // New Game or an undo while a hint is searched for: the hint of the
    // position left behind never shows.
    ClickMove(window, ParseMove("11-15").value());
    for (const int change : {ViewCommand::NewGame, ViewCommand::UndoMove})
    {
        Command(view, ViewCommand::Hint);
        ASSERT_EQ(view.StatusText(), "Looking for a hint...");
        EXPECT_LT(TimedCommand(view, change), kStopBound);
        EXPECT_EQ(view.StatusText(), "Black to move");
        PumpFor(1500ms);
        EXPECT_TRUE(HintSquares(view).empty());
        EXPECT_EQ(view.StatusText(), "Black to move");
        ClickMove(window, ParseMove("11-15").value());
    }
}

TEST(PlayAnalysis, FollowsTheGameThroughMovesUndoAndNewGameAndShowsNothingStale)
{
    ViewWindow window(wxSize(320, 240));
    CChildView& view = window.View();
    CCommandSeams seams;
    EXPECT_EQ(view.AnalysisShown(), AnalysisReport()) << "hidden: nothing";
    view.SetAnalysisShown(true);
    EXPECT_EQ(view.AnalysisShown().state, "Analysing...");
    // The first plies take under a millisecond, too short to give a speed:
    // the speed shows from the first line measured.
    ASSERT_TRUE(PumpUntil([&] { return !view.AnalysisShown().speed.empty(); }, 10s));
    AnalysisReport report = view.AnalysisShown();
    EXPECT_EQ(report.heading, "Analysis");
    EXPECT_TRUE(report.line.starts_with("1. ")) << report.line;
    EXPECT_TRUE(report.speed.ends_with("positions a second")) << report.speed;

    // A move, and it is red's line; undone, black's again.
    ClickMove(window, ParseMove("11-15").value());
    ASSERT_TRUE(PumpUntil([&] { return view.AnalysisShown().line.starts_with("1... "); }, 10s));
    Command(view, ViewCommand::UndoMove);
    ASSERT_TRUE(PumpUntil([&] { return view.AnalysisShown().line.starts_with("1. "); }, 10s));

    // Black far ahead, then New Game: the old position's figures never
    // show for the new one, however late they arrive.
    seams.Load(view, FromFen("B:W31,32:B1,2,3,4,5,6,7,8"));
    ASSERT_TRUE(PumpUntil(
        [&]
        { return view.AnalysisShown().evaluation.find("black is winning") != std::string::npos; },
        10s))
        << view.AnalysisShown().evaluation;
    EXPECT_LT(TimedCommand(view, ViewCommand::NewGame), kStopBound);
    std::string stale;
    PumpUntil(
        [&]
        {
            report = view.AnalysisShown();
            if (!(report.position == CCheckerBoard()) ||
                report.evaluation.find("black is winning") != std::string::npos ||
                report.evaluation.starts_with("Black wins"))
                stale = report.evaluation;
            return false;
        },
        1500ms);
    EXPECT_EQ(stale, "");
    EXPECT_FALSE(report.evaluation.empty()) << "the new position is being analysed";

    // A game over: its result, and no search.
    view.TakeRecord(GameOf("W:W18:B14", {"18x9"}));
    report = view.AnalysisShown();
    EXPECT_EQ(report.state, "The game is over");
    EXPECT_EQ(report.evaluation, "Red has won");
    EXPECT_FALSE(view.m_analyst->IsSearching());
}

TEST(PlayAnalysis, ShowsTheComputersOwnSearchWhileItThinksAndStopsAtOnceWhenHidden)
{
    ViewWindow window(wxSize(320, 240));
    CChildView& view = window.View();
    CCommandSeams seams;
    Command(view, ViewCommand::LevelExpert); // a second a move: long enough to watch
    view.SetAnalysisShown(true);
    Command(view, ViewCommand::ComputerPlaysRed);
    // Red to move with no capture about, far from the opening book: it
    // searches its whole second.
    seams.Load(view, FromFen("W:W22,23,24,25,26,27,28,29,30,31,32:B1,2,3,4,5,6,7,8,9,10,11"));
    ASSERT_TRUE(Thinking(view));
    ASSERT_TRUE(PumpUntil([&] { return !view.AnalysisShown().line.empty(); }, 10s));
    const AnalysisReport thought = view.AnalysisShown();
    EXPECT_EQ(thought.heading, "The computer's search");
    EXPECT_TRUE(thought.line.starts_with("1... ")) << thought.line;
    EXPECT_FALSE(view.m_analyst->IsSearching()) << "no second search beside the computer's";

    ASSERT_TRUE(PumpUntil([&] { return !Thinking(view) && view.BoardIsReady(); }, 20s));
    PumpFor(50ms);
    EXPECT_EQ(view.AnalysisShown().heading, "Analysis");
    EXPECT_TRUE(view.m_analyst->IsSearching());

    const auto start = Clock::now();
    view.SetAnalysisShown(false);
    EXPECT_LT(Clock::now() - start, kStopBound);
    EXPECT_FALSE(view.m_analyst->IsSearching()) << "hidden: no time used";
    EXPECT_EQ(view.AnalysisShown(), AnalysisReport());
}

TEST(PlayReview, MarksTheKnownBlunderAndTheMarksAndCommentsSurviveSaveAndLoad)
{
    ViewWindow window(wxSize(320, 240));
    CChildView& view = window.View();
    CCommandSeams seams;
    CGameRecord game = GameOf("", kBlunderGame);
    game.SetNote(0, {"!", "a quiet start", std::nullopt});
    view.TakeRecord(game);
    EXPECT_TRUE(Enabled(view, ViewCommand::ReviewGame));
    Command(view, ViewCommand::ReviewGame);
    ASSERT_TRUE(view.IsReviewing());
    ASSERT_TRUE(view.m_reviewProgress);
    EXPECT_EQ(view.m_reviewProgress->Text(), "Reviewing the game: position 0 of 15");
    EXPECT_EQ(view.StatusText(), "Reviewing the game...");
    EXPECT_FALSE(Enabled(view, ViewCommand::ReviewGame));
    EXPECT_FALSE(Enabled(view, ViewCommand::Hint));

    // The window stays live: the camera drags meanwhile, and the board
    // takes no move.
    const GrVec3 eye = view.m_camera.m_eye;
    view.RButtonDown(wxPoint(100, 100));
    view.MouseMove(wxPoint(140, 100), true);
    EXPECT_NE(view.m_camera.m_eye, eye);
    const CCheckerBoard board = view.m_board;
    Click(window, 2, 2);
    Click(window, 3, 3);
    EXPECT_EQ(view.m_board, board);

    std::string progress;
    ASSERT_TRUE(PumpUntil(
        [&]
        {
            if (view.m_reviewProgress && progress.empty() &&
                view.m_reviewProgress->Text() != ReviewProgressText(0, 15))
                progress = view.m_reviewProgress->Text();
            return !view.IsReviewing();
        },
        60s));
    EXPECT_TRUE(progress.starts_with("Reviewing the game: position ")) << progress;
    PumpFor(50ms);
    EXPECT_FALSE(view.m_reviewProgress) << "the box goes with the review";

    const CGameRecord& reviewed = view.m_record;
    // 3-7 is the blunder; no other move is, though the engine may find
    // 10-15, which gives red the better exchange, a little weak ("?").
    for (std::size_t i = 0; i < reviewed.Place(); ++i)
    {
        const MoveNote& note = reviewed.Note(i);
        EXPECT_TRUE(note.evaluation) << i;
        if (i == kBlunder || i == 0)
            EXPECT_EQ(note.mark, i == kBlunder ? "??" : "!") << "an annotator's mark stays";
        else
            EXPECT_NE(note.mark, "??") << i << " " << PrintMove(reviewed.Moves()[i]);
    }
    EXPECT_EQ(reviewed.Note(0).comment, "a quiet start");
    // Red is two men up after 3-7, by the engine's own reckoning.
    EXPECT_LE(ReviewScale(*reviewed.Note(kBlunder).evaluation), -150);
    EXPECT_EQ(view.m_gameFile.Title("Plaxen"), "*Plaxen") << "the notes are not saved yet";

    // Saved as PDN and loaded again, every note comes back.
    const CGameRecord before = view.m_record;
    const std::string path = (seams.m_folder / "reviewed.pdn").string();
    seams.m_answer = path;
    RunCommand(view, &CChildView::OnSaveGameAs);
    EXPECT_NE(testsupport::TempFolder::Read(path).find("6. 3-7?? {-"), std::string::npos)
        << testsupport::TempFolder::Read(path);
    RunCommand(view, &CChildView::OnNewGame);
    RunCommand(view, &CChildView::OnLoadGame);
    ASSERT_EQ(view.m_record.Moves(), before.Moves());
    for (std::size_t i = 0; i < before.Moves().size(); ++i)
        EXPECT_EQ(view.m_record.Note(i), before.Note(i)) << i;
}

TEST(PlayReview, AGoodGameGetsEvaluationsAndNoMarks)
{
    ViewWindow window(wxSize(320, 240));
    CChildView& view = window.View();
    view.TakeRecord(
        GameOf("", {"11-15", "23-19", "8-11", "22-17", "4-8", "17-13", "15-18", "24-20"}));
    Command(view, ViewCommand::ReviewGame);
    ASSERT_TRUE(ReviewEnds(view));
    for (std::size_t i = 0; i < view.m_record.Place(); ++i)
    {
        EXPECT_TRUE(view.m_record.Note(i).evaluation) << i;
        EXPECT_EQ(view.m_record.Note(i).mark, "") << PrintMove(view.m_record.Moves()[i]);
    }
}

TEST(PlayReview, CancelAndAnyChangeToTheGameStopItAtOnceAndNothingOfItLands)
{
    ViewWindow window(wxSize(320, 240));
    CChildView& view = window.View();
    view.TakeRecord(GameOf("", kBlunderGame));
    const auto noEvaluations = [&]
    {
        for (std::size_t i = 0; i < view.m_record.Moves().size(); ++i)
            if (view.m_record.Note(i).evaluation)
                return false;
        return true;
    };

    Command(view, ViewCommand::ReviewGame);
    PumpFor(300ms);
    ASSERT_TRUE(view.m_reviewProgress);
    wxCommandEvent cancel(wxEVT_BUTTON, wxID_CANCEL);
    const auto start = Clock::now();
    view.m_reviewProgress->ProcessWindowEvent(cancel);
    EXPECT_LT(Clock::now() - start, kStopBound);
    EXPECT_FALSE(view.IsReviewing());
    PumpFor(600ms);
    EXPECT_FALSE(view.m_reviewProgress);
    EXPECT_TRUE(noEvaluations());
    EXPECT_EQ(view.StatusText(), "Black to move");

    // Undo while it runs: the review was of another game.
    Command(view, ViewCommand::ReviewGame);
    EXPECT_LT(TimedCommand(view, ViewCommand::UndoMove), kStopBound);
    EXPECT_FALSE(view.IsReviewing());
    PumpFor(600ms);
    EXPECT_TRUE(noEvaluations());
    EXPECT_FALSE(view.m_reviewProgress);

    // The computer waits for the review, and plays once it is cancelled.
    Command(view, ViewCommand::LevelBeginner);
    Command(view, ViewCommand::ReviewGame);
    Command(view, ViewCommand::ComputerPlaysRed); // red is to move after the undo
    EXPECT_FALSE(Thinking(view));
    view.CancelReview();
    EXPECT_TRUE(Thinking(view));
}

TEST(PlayLastMove, MarksTheLastMovesSquaresThroughMovesUndoAndNewGame)
{
    ViewWindow window(wxSize(320, 240));
    CChildView& view = window.View();
    CCommandSeams seams; // New Game's question is answered
    const auto marked = [&] { return view.m_lastMoveMarks->Squares(); };
    EXPECT_FALSE(Checked(view, ViewCommand::ShowLastMove)) << "off at the start";
    ClickMove(window, ParseMove("11-15").value());
    EXPECT_TRUE(marked().empty());
    Command(view, ViewCommand::ShowLastMove);
    EXPECT_TRUE(Checked(view, ViewCommand::ShowLastMove));
    EXPECT_EQ(marked(), (std::vector<int>{11, 15}));
    ClickMove(window, ParseMove("23-19").value());
    EXPECT_EQ(marked(), (std::vector<int>{23, 19}));
    Command(view, ViewCommand::UndoMove);
    EXPECT_EQ(marked(), (std::vector<int>{11, 15}));
    RunCommand(view, &CChildView::OnNewGame);
    EXPECT_TRUE(marked().empty());
    ClickMove(window, ParseMove("9-14").value());
    Command(view, ViewCommand::ShowLastMove);
    EXPECT_TRUE(marked().empty()) << "switched off";
}
