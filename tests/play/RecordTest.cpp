// The game's record as the player meets it: undo and redo, PDN through the
// file commands and the clipboard, and what the status bar says.

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>

#include "ViewTestSupport.h"
#include "WxTestEnvironment.h"
#include "notation/BoardMoves.h"
#include "notation/Fen.h"
#include "record/Pdn.h"
#include "view/CommandIds.h"

namespace
{
using namespace std::chrono_literals;

CCheckerBoard FromFen(const char* fen)
{
    return BoardFromFen(ParseFen(fen).value());
}

void PutOnClipboard(const std::string& text)
{
    ASSERT_TRUE(wxTheClipboard->Open());
    wxTheClipboard->SetData(new wxTextDataObject(wxString::FromUTF8(text)));
    wxTheClipboard->Close();
}
} // namespace

TEST(PlayRecord, UndoAndRedoThroughACaptureWithACrowningAndTheStatusOnTheWay)
{
    ViewWindow window(wxSize(320, 240));
    CChildView& view = window.View();
    CCommandSeams seams;
    EXPECT_FALSE(Enabled(view, ViewCommand::UndoMove)) << "nothing to take back at the start";
    EXPECT_FALSE(Enabled(view, ViewCommand::RedoMove));
    EXPECT_EQ(view.StatusText(), "Black to move");

    // Refused moves say why, until the next chip is chosen.
    const std::pair<std::array<int, 4>, const char*> refused[] = {
        {{2, 2, 4, 4}, "A jump goes over an enemy chip"},
        {{2, 2, 1, 1}, "That square is not free"},
        {{5, 1, 4, 0}, "It is black's turn"},
    };
    for (const auto& [squares, reason] : refused)
    {
        Click(window, squares[0], squares[1]);
        Click(window, squares[2], squares[3]);
        EXPECT_EQ(view.StatusText(), reason);
    }
    view.LButtonDown(SquarePoint(window, 2, 2));
    EXPECT_EQ(view.StatusText(), "Black to move");

    // From a loaded .plx file (no history): a capture that crowns on the
    // way and goes on as a king, one jump at a time.
    const CCheckerBoard loaded = FromFen("B:W12,19,26,27,29:B1,22");
    seams.Load(view, loaded);
    EXPECT_FALSE(Enabled(view, ViewCommand::UndoMove));
    EXPECT_EQ(view.StatusText(), "Black must capture");
    const std::vector<NotatedMove> moves = ListLegalMoves(loaded);
    ASSERT_EQ(PrintMoves(moves), "22x31x24x15");
    NotatedMove firstJump = moves[0];
    firstJump.squares.resize(2);
    ClickMove(window, firstJump);
    EXPECT_EQ(view.StatusText(), "Black must go on capturing with the same chip");
    EXPECT_TRUE(Enabled(view, ViewCommand::UndoMove)) << "a capture half made can be taken back";
    Command(view, ViewCommand::UndoMove);
    EXPECT_EQ(view.m_board, loaded);
    EXPECT_FALSE(view.m_jumpPending);
    EXPECT_TRUE(ChipsMatchBoard(view));

    ClickMove(window, moves[0]);
    CCheckerBoard afterBlack = loaded;
    ASSERT_EQ(PlayMove(afterBlack, moves[0]), MoveTurnPassed);
    ASSERT_EQ(view.m_board, afterBlack);
    const NotatedMove reply = ListLegalMoves(afterBlack).front();
    ClickMove(window, reply);
    const CCheckerBoard afterRed = view.m_board;
    ASSERT_EQ(view.m_record.Moves(), (std::vector<NotatedMove>{moves[0], reply}));

    // Back and forth: board, side, chips and captured rows, the camera's end.
    const std::pair<int, const CCheckerBoard*> steps[] = {{ViewCommand::UndoMove, &afterBlack},
                                                          {ViewCommand::UndoMove, &loaded},
                                                          {ViewCommand::RedoMove, &afterBlack},
                                                          {ViewCommand::RedoMove, &afterRed},
                                                          {ViewCommand::UndoMove, &afterBlack}};
    for (const auto& [id, board] : steps)
    {
        Command(view, id);
        EXPECT_EQ(view.m_board, *board);
        EXPECT_TRUE(ChipsMatchBoard(view));
        EXPECT_TRUE(EyeAtX(view, board->m_side == CCheckerBoard::BlackSide ? 20.0 : -20.0));
    }
    const std::size_t captured = Children(view.m_chipsNode).size();
    Command(view, ViewCommand::UndoMove);
    EXPECT_GT(Children(view.m_chipsNode).size(), captured) << "the captured chips return";
    EXPECT_FALSE(Enabled(view, ViewCommand::UndoMove));
    Command(view, ViewCommand::RedoMove);

    // A different move drops what redo would have played.
    const std::vector<NotatedMove> others = ListLegalMoves(afterBlack);
    ASSERT_GT(others.size(), 1u);
    ClickMove(window, others.back());
    EXPECT_FALSE(Enabled(view, ViewCommand::RedoMove));
    EXPECT_EQ(view.m_record.Moves().size(), 2u);

    RunCommand(view, &CChildView::OnNewGame);
    EXPECT_FALSE(Enabled(view, ViewCommand::UndoMove));
    EXPECT_FALSE(Enabled(view, ViewCommand::RedoMove));
}

TEST(PlayRecord, PdnGamesThroughTheFileCommandsAndTheClipboard)
{
    ViewWindow window(wxSize(320, 240));
    CChildView& view = window.View();
    CCommandSeams seams;
    // The longest move each time: captures, the first ply they can come.
    bool captured = false;
    for (int ply = 0; ply < 12; ++ply)
    {
        const NotatedMove move = ListLegalMoves(view.m_board).back();
        captured = captured || move.capture;
        ClickMove(window, move);
    }
    const CGameRecord played = view.m_record;
    ASSERT_EQ(played.Moves().size(), 12u) << view.m_board;
    ASSERT_TRUE(captured);

    seams.m_answer = (seams.m_folder / "game.pdn").string();
    RunCommand(view, &CChildView::OnSaveGame);
    std::ifstream file(*seams.m_answer);
    const std::string text((std::istreambuf_iterator<char>(file)),
                           std::istreambuf_iterator<char>());
    EXPECT_EQ(text.rfind("[Event \"Plaxen game\"]\n", 0), 0u) << text;
    EXPECT_NE(text.find("[Black \"Player\"]\n[White \"Player\"]\n[Result \"*\"]\n"),
              std::string::npos)
        << text;
    PdnProblem problem;
    EXPECT_EQ(ReadPdn(text, problem).value_or(CGameRecord()).Moves(), played.Moves()) << text;

    RunCommand(view, &CChildView::OnNewGame);
    RunCommand(view, &CChildView::OnLoadGame);
    EXPECT_EQ(view.m_record.Moves(), played.Moves());
    EXPECT_EQ(view.m_board, played.Board());
    EXPECT_TRUE(Enabled(view, ViewCommand::UndoMove)) << "a PDN game brings its history";
    EXPECT_TRUE(ChipsMatchBoard(view));

    // A file that is no game, or holds an illegal move: where and why; the
    // game on the board stays.
    std::ofstream(seams.m_folder / "bad.pdn") << "1. 11-15 23-19\n2. 9-13 22-17 3. 13-22 *\n";
    seams.m_answer = (seams.m_folder / "bad.pdn").string();
    RunCommand(view, &CChildView::OnLoadGame);
    ASSERT_EQ(seams.m_boxes.size(), 1u);
    EXPECT_EQ(seams.m_boxes[0], "There was an error opening up your Plaxen file.\n\nLine 2: 13-22 "
                                "is not a legal move for black. [Error Opening File, 0]");
    EXPECT_EQ(view.m_board, played.Board());

    // The clipboard: a game copied out comes back; a bare FEN sets up its
    // position; anything else is refused with its reason.
    Command(view, ViewCommand::CopyGame);
    RunCommand(view, &CChildView::OnNewGame);
    Command(view, ViewCommand::PasteGame);
    EXPECT_EQ(view.m_record.Moves(), played.Moves());
    PutOnClipboard("W:WK3,26:B7,K30");
    Command(view, ViewCommand::PasteGame);
    EXPECT_EQ(view.m_board, FromFen("W:WK3,26:B7,K30"));
    EXPECT_TRUE(EyeAtX(view, -20.0));
    PutOnClipboard("hello");
    Command(view, ViewCommand::PasteGame);
    ASSERT_EQ(seams.m_boxes.size(), 2u);
    EXPECT_EQ(seams.m_boxes[1], "The clipboard holds no game that Plaxen can read.\n\nLine 1: "
                                "\"hello\" is not a move. [Error Pasting Game, 0]");
    EXPECT_EQ(view.m_board, FromFen("W:WK3,26:B7,K30"));
}

TEST(PlayRecord, UndoAgainstTheComputerTakesBackBothMovesAndStopsItsThinking)
{
    ViewWindow window(wxSize(320, 240));
    CChildView& view = window.View();
    Command(view, ViewCommand::LevelBeginner);
    Command(view, ViewCommand::ComputerPlaysRed);
    ClickMove(window, ParseMove("11-15").value());
    ASSERT_TRUE(PumpUntil([&] { return view.m_record.Moves().size() == 2; }, 20s));
    ASSERT_TRUE(PumpUntil([&] { return view.StatusText() != "Thinking..."; }, 5s));
    Command(view, ViewCommand::UndoMove);
    EXPECT_EQ(view.m_board, CCheckerBoard()) << "the reply and the player's move both go";

    Command(view, ViewCommand::LevelExpert);
    ClickMove(window, ParseMove("9-13").value());
    ASSERT_EQ(view.StatusText(), "Thinking...");
    Command(view, ViewCommand::UndoMove);
    EXPECT_EQ(view.StatusText(), "Black to move");
    PumpFor(1200ms);
    EXPECT_EQ(view.m_board, CCheckerBoard()) << "the stopped search played nothing";
    Command(view, ViewCommand::RedoMove);
    EXPECT_EQ(view.m_record.Place(), 1u);
    EXPECT_EQ(view.StatusText(), "Thinking...") << "after the redo the computer is to move";
}

// A click in the move list on the player's own move, against the computer:
// the game just after it, the computer to move. Its reply, the one it played
// before, keeps the rest of the game for redo.
TEST(PlayRecord, AMoveListClickLandsJustAfterTheMoveAndTheSameReplyKeepsTheRest)
{
    ViewWindow window(wxSize(320, 240));
    CChildView& view = window.View();
    CCommandSeams seams;
    // After 1-5, red's one move is 22x15x6.
    PlayRedAgainstBeginnerFrom(view, seams, "B:W22,25:B1,10,18");
    for (const char* move : {"1-5", "5-9"})
    {
        const std::size_t played = view.m_record.Moves().size() + 2;
        ClickMove(window, ParseMove(move).value());
        ASSERT_TRUE(PumpUntil([&] { return view.m_record.Moves().size() == played; }, 20s));
        PlayOut(view);
    }
    const std::vector<NotatedMove> moves = view.m_record.Moves();
    ASSERT_EQ(PrintMove(moves[1]), "22x15x6");

    view.GoToMove(1);
    EXPECT_EQ(view.m_record.Place(), 1u);
    EXPECT_EQ(view.StatusText(), "Thinking...");
    ASSERT_TRUE(PumpUntil([&] { return view.m_record.Place() == 2; }, 20s));
    PlayOut(view);
    EXPECT_EQ(view.m_record.Moves(), moves);
    EXPECT_TRUE(Enabled(view, ViewCommand::RedoMove));

    // Undo and redo still rest only where the player is to move.
    Command(view, ViewCommand::UndoMove);
    EXPECT_EQ(view.m_record.Place(), 0u);
    Command(view, ViewCommand::RedoMove);
    EXPECT_EQ(view.m_record.Place(), 2u);
}
