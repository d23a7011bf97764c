// Slides and camera turns played by the event loop: the record changes at
// once, the picture follows frame by frame, the board waits for it, and the
// commands that replace or move the game put the picture at its end first.

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>

#include "ViewTestSupport.h"
#include "WxTestEnvironment.h"
#include "notation/Fen.h"
#include "view/BoardAnimator.h"
#include "view/CommandIds.h"

namespace
{
using namespace std::chrono_literals;

bool Thinking(const CChildView& view)
{
    return view.StatusText() == "Thinking...";
}

void Steps(CChildView& view, int frames)
{
    for (int i = 0; i < frames; ++i)
        view.m_animator->Step();
}
} // namespace

TEST(PlayAnimation, TheRecordChangesAtOnceThePictureFollowsFrameByFrameAndTheBoardWaits)
{
    ViewWindow window(wxSize(320, 240));
    CChildView& view = window.View();
    const CSGPtr chip = ChipAt(view, 2, 2);
    const unsigned long paints = view.GetPaintCount();
    StartMove(window, 2, 2, 3, 3);
    CCheckerBoard expected;
    expected.MoveBlack(2, 2, 3, 3);
    EXPECT_EQ(view.m_board, expected);
    EXPECT_EQ(view.m_record.Moves().size(), 1u);
    EXPECT_EQ(view.StatusText(), "Red to move");
    EXPECT_EQ(view.GetPaintCount(), paints) << "nothing is painted inside the handler";
    EXPECT_FALSE(view.BoardIsReady());
    EXPECT_EQ(ChipAt(view, 2, 2).get(), chip.get()) << "the picture has not moved yet";

    // A press meanwhile chooses nothing: it would pick from a scene about
    // to change.
    view.LButtonDown(SquarePoint(window, 5, 1));
    view.LButtonUp();
    EXPECT_TRUE(view.m_pickingChip);
    EXPECT_EQ(HintCount(view), 0u);

    // The slide: one painted frame a step, rising to 0.75 of a plain step's
    // hop half way, one column on and one row up (x with the column, z
    // against the row).
    std::vector<GrVec3> slide;
    for (int frame = 0; frame < 50; ++frame)
    {
        view.m_animator->Step();
        const double* at = Transform(chip.get()).m_translation;
        slide.push_back({at[0], at[1], at[2]});
    }
    EXPECT_EQ(view.GetPaintCount() - paints, 50u);
    EXPECT_EQ(slide[0], (GrVec3{0.0, 0.0, 0.0}));
    EXPECT_NEAR(slide[25][0], 0.5, 1e-12);
    EXPECT_NEAR(slide[25][1], 0.375, 1e-12);
    EXPECT_NEAR(slide[25][2], -0.5, 1e-12);
    EXPECT_LT(slide[49][0], 1.0) << "t stops at 0.98; the rebuild puts the chip down";
    EXPECT_EQ(ChipAt(view, 2, 2).get(), chip.get());

    // The next frame rebuilds the chips and starts the turn toward red.
    view.m_animator->Step();
    EXPECT_TRUE(ChipsMatchBoard(view));
    EXPECT_LT(view.m_camera.m_eye[2], 0.0) << "red's turn goes by -Z";
    EXPECT_TRUE(view.m_facingSide0);
    PlayOut(view);
    EXPECT_EQ(view.GetPaintCount() - paints, 50u + 90u);
    EXPECT_TRUE(EyeAtX(view, -20.0));
    EXPECT_FALSE(view.m_facingSide0);
    EXPECT_TRUE(view.BoardIsReady());
    Click(window, 5, 1);
    EXPECT_EQ(HintCount(view), 1u) << "ready again: a press chooses";
}

// Every command that replaces the game or moves in its record first puts
// the picture where its animations lead, then does its work (which may
// queue a turn of its own).
TEST(PlayAnimation, CommandsDuringAnAnimationFinishItAtOnceAndGoOn)
{
    ViewWindow window(wxSize(320, 240));
    CChildView& view = window.View();
    CCommandSeams seams;
    seams.m_answer = (seams.m_folder / "start.pdn").string();
    RunCommand(view, &CChildView::OnSaveGame); // the opening, to load later
    ASSERT_TRUE(wxTheClipboard->Open());
    wxTheClipboard->SetData(new wxTextDataObject("B:W21,22:B1,2"));
    wxTheClipboard->Close();
    const auto handler = [&view](void (CChildView::*handler)(wxCommandEvent&))
    {
        return [&view, handler]
        {
            wxCommandEvent command;
            (view.*handler)(command);
        };
    };
    const std::vector<std::pair<std::string, std::function<void()>>> commands = {
        {"undo", handler(&CChildView::OnUndoMove)},
        {"move list", [&] { view.GoToMove(0); }},
        {"new game", handler(&CChildView::OnNewGame)},
        {"load", handler(&CChildView::OnLoadGame)},
        {"paste", handler(&CChildView::OnPasteGame)},
        {"reset camera", handler(&CChildView::OnResetCamera)},
        {"redraw chips", handler(&CChildView::OnRedrawChips)},
    };
    for (const auto& [name, command] : commands)
    {
        RunCommand(view, &CChildView::OnNewGame);
        StartMove(window, 2, 2, 3, 3);
        Steps(view, 50 + 30); // a third of the way through the turn to red
        ASSERT_FALSE(view.BoardIsReady()) << name;
        command();
        EXPECT_TRUE(ChipsMatchBoard(view)) << name;
        EXPECT_TRUE(EyeAtX(view, view.m_facingSide0 ? 20.0 : -20.0)) << name << ": mid-turn";
        if (name == "reset camera" || name == "redraw chips")
        {
            EXPECT_FALSE(view.m_facingSide0) << name << ": the turn to red was finished";
        }
        PlayOut(view);
    }
    EXPECT_EQ(seams.m_boxes, std::vector<std::string>{});

    // Redo while undo's turn back to black plays.
    wxCommandEvent command;
    view.OnUndoMove(command);
    Steps(view, 10);
    view.OnRedoMove(command);
    EXPECT_TRUE(ChipsMatchBoard(view));
    EXPECT_EQ(view.m_record.Place(), 1u);
    EXPECT_TRUE(EyeAtX(view, 20.0)) << "undo's turn finished, redo's to come";
}

// The computer's multi-jump slides jump by jump behind the player's move;
// it starts thinking only when the picture has caught up.
TEST(PlayAnimation, ComputersMultiJumpQueuesItsSlidesAndItThinksOnceTheBoardIsReady)
{
    ViewWindow window(wxSize(320, 240));
    CChildView& view = window.View();
    CCommandSeams seams;
    // Black's 1-5 leaves red one move, the double jump 22x15x6.
    PlayRedAgainstBeginnerFrom(view, seams, "B:W22,25:B1,10,18");
    StartMove(window, 0, 6, 1, 7);
    EXPECT_FALSE(Thinking(view)) << "the player's slide plays first";
    PlayOut(view);
    EXPECT_TRUE(Thinking(view));

    const unsigned long paints = view.GetPaintCount();
    ASSERT_TRUE(PumpUntil([&] { return !Thinking(view); }, 20s));
    EXPECT_EQ(view.m_board, BoardFromFen(ParseFen("B:W6,25:B5").value()));
    PlayOut(view);
    // Two slides of 50 frames; the computer's side turns no camera. The end
    // state's own repaint may come while the answer is awaited.
    EXPECT_GE(view.GetPaintCount() - paints, 100u);
    EXPECT_LE(view.GetPaintCount() - paints, 102u);
    EXPECT_TRUE(ChipsMatchBoard(view));
    EXPECT_EQ(HintCount(view), 0u) << "the landing square's highlight went with the last jump";
    EXPECT_TRUE(EyeAtX(view, 20.0));
    EXPECT_FALSE(Thinking(view)) << "black is to move";
}

TEST(PlayAnimation, ResetCameraAndNewGameBringADraggedCameraBack)
{
    ViewWindow window(wxSize(320, 240));
    CChildView& view = window.View();
    CCommandSeams seams;
    const auto drag = [&view]
    {
        RunCommand(view, &CChildView::OnCameraPanTilt); // moves the look-at point too
        view.RButtonDown(wxPoint(100, 100));
        view.MouseMove(wxPoint(260, 20), true);
        ASSERT_GT(std::abs(view.m_camera.m_center[1]), 1.0) << "the drag moved the camera";
    };
    drag();
    Command(view, ViewCommand::ResetCamera);
    EXPECT_TRUE(EyeAtX(view, 20.0));
    EXPECT_EQ(view.m_camera.m_center, (GrVec3{0.0, 0.0, 0.0}));
    EXPECT_EQ(view.m_camera.m_mode, CGrCamera::PanTilt) << "the drag mode stays";

    Click(window, 2, 2);
    Click(window, 3, 3); // the camera turns to red
    drag();
    Command(view, ViewCommand::ResetCamera);
    EXPECT_TRUE(EyeAtX(view, -20.0)) << "at the end it faces";
    drag();
    RunCommand(view, &CChildView::OnNewGame);
    EXPECT_TRUE(EyeAtX(view, 20.0)) << "back, then turned to black";
    EXPECT_EQ(view.m_camera.m_center, (GrVec3{0.0, 0.0, 0.0}));
}
