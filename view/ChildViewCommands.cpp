#include "view/ChildView.h"

#include <algorithm>

#include <wx/toplevel.h>

#include "glwnd/MessageService.h"
#include "record/DrawRules.h"
#include "record/Pdn.h"
#include "savegame/GameFileCommands.h"
#include "view/BoardAnimator.h"
#include "view/ClockKeeper.h"
#include "view/CommandIds.h"
#include "view/ComputerPlayer.h"
#include "view/CustomTimeDialog.h"

namespace
{
const char* const kSaveBeforeNewGame = "Save the game before starting a new one?";
const char* const kSaveBeforeLoading = "Save the game before loading another?";
const char* const kSaveBeforeQuitting = "Save the game before quitting?";

// What "Custom..." shows while no time control of its own has been made.
constexpr TimeControl kCustomStart{600, 0};

std::string ResignQuestion(std::int32_t side)
{
    return std::string("Resign this game for ") +
           (side == CCheckerBoard::BlackSide ? "black" : "red") + "?";
}
} // namespace

void CChildView::OnNewGame(wxCommandEvent&)
{
    // The picture first jumps to where its animations lead; then nothing
    // may move while the player is asked.
    m_animator->Finish();
    CancelComputer();
    m_clocks->Pause(); // no flag falls while the player is asked
    if (!SaveChangesFirst(kSaveBeforeNewGame))
    {
        StartComputerIfItsTurn();
        return;
    }
    m_board.Reset();
    m_record.Reset(m_board);
    m_clocks->NewGame();
    m_gameFile.Started();
    // A chosen chip or a multi-jump of the old game is forgotten.
    ForgetMoveInput();
    PlaceChips();
    // A camera dragged out of sight comes back to where a game starts it.
    PlaceCamera(m_facingSide0);
    InvalidateRect();
    SpinCamera();
    StartComputerIfItsTurn();
    FollowGame();
}

void CChildView::OnLoadGame(wxCommandEvent&)
{
    // Stopped before the chooser opens: a move found meanwhile would land on
    // whatever the file holds. If nothing loads, the game goes on as it was.
    m_animator->Finish();
    CancelComputer();
    m_clocks->Pause();
    CCheckerBoard board = m_board;
    CGameRecord record = m_record;
    const auto path = SaveChangesFirst(kSaveBeforeLoading)
                          ? RunLoadGameCommand(wxGetTopLevelParent(this), board, record)
                          : std::nullopt;
    if (!path)
    {
        StartComputerIfItsTurn();
        return;
    }
    // The chips, the move input, the highlights and the camera, as for any
    // position the record shows.
    TakeRecord(record);
    m_gameFile.Loaded(*path);
}

void CChildView::OnSaveGame(wxCommandEvent&)
{
    SaveGame(m_gameFile.SavePath());
}

void CChildView::OnSaveGameAs(wxCommandEvent&)
{
    SaveGame(std::string());
}

bool CChildView::SaveGame(const std::string& path)
{
    const auto saved =
        RunSaveGameCommand(wxGetTopLevelParent(this), m_board, m_record, GameTags(), path);
    if (saved)
        m_gameFile.Saved(*saved);
    return saved.has_value();
}

bool CChildView::SaveChangesFirst(const std::string& question)
{
    if (!m_gameFile.HasUnsavedMoves())
        return true;
    switch (QuestionBox(question, {"Save", "Don't Save", "Cancel"}))
    {
    case 0:
        return SaveGame(m_gameFile.SavePath()); // a cancelled or failed save keeps the game
    case 1:
        return true;
    default:
        return false;
    }
}

bool CChildView::MayClose()
{
    m_animator->Finish();
    if (!SaveChangesFirst(kSaveBeforeQuitting))
        return false;
    // What the computer played while the player was asked is put down, and
    // nothing more may land while the window goes; no search goes on.
    m_animator->Finish();
    CancelReview(); // first: a review that ends lets the computer start again
    CancelComputer();
    DismissHint();
    SetAnalysisShown(false);
    return true;
}

void CChildView::OnClaimDraw(wxCommandEvent&)
{
    if (const auto draw = PlayerMayClaim())
        EndGameBy(DrawnBy(*draw));
}

void CChildView::OnUpdateClaimDraw(wxUpdateUIEvent& event)
{
    event.Enable(PlayerMayClaim().has_value());
}

void CChildView::OnOfferDraw(wxCommandEvent&)
{
    if (!MayOfferDraw())
        return;
    if (!m_computer)
        m_computer = std::make_unique<CComputerPlayer>(this);
    m_refusal.clear();
    m_drawOffer = m_computer->Judge(m_record.History(), m_computerLevel);
}

void CChildView::OnUpdateOfferDraw(wxUpdateUIEvent& event)
{
    event.Enable(MayOfferDraw());
}

void CChildView::OnResign(wxCommandEvent&)
{
    if (!MayResign())
        return;
    const std::int32_t side = m_board.m_side;
    // The clock goes on while the player makes up their mind; if it runs
    // out meanwhile, the game has ended on time and there is nothing to
    // resign.
    if (QuestionBox(ResignQuestion(side), {"Resign", "Cancel"}) == 0 && MayResign())
        EndGameBy(LostBy(GameEndKind::Resignation, side));
}

void CChildView::OnUpdateResign(wxUpdateUIEvent& event)
{
    event.Enable(MayResign());
}

void CChildView::OnTimeControl(wxCommandEvent& event)
{
    const auto choices = TimeControlChoices();
    const auto index = static_cast<std::size_t>(event.GetId() - ViewCommand::TimeControlFirst);
    if (index >= choices.size())
        return;
    if (!choices[index].custom)
    {
        m_clocks->Choose(choices[index].control);
        return;
    }
    // Cancelled, the choice stays as it was.
    if (const auto custom = CCustomTimeDialog::Ask(wxGetTopLevelParent(this),
                                                   m_clocks->Chosen().value_or(kCustomStart)))
        m_clocks->Choose(custom);
}

void CChildView::OnUpdateTimeControl(wxUpdateUIEvent& event)
{
    const auto choices = TimeControlChoices();
    const auto index = static_cast<std::size_t>(event.GetId() - ViewCommand::TimeControlFirst);
    if (index >= choices.size())
        return;
    const auto& chosen = m_clocks->Chosen();
    const bool preset = std::any_of(choices.begin(), choices.end(),
                                    [&](const TimeControlChoice& choice)
                                    { return !choice.custom && choice.control == chosen; });
    event.Check(choices[index].custom ? !preset : choices[index].control == chosen);
}

std::optional<GameEndKind> CChildView::PlayerMayClaim() const
{
    if (m_jumpPending || BoardIsTheComputers())
        return std::nullopt;
    return ClaimableDraw(m_record);
}

bool CChildView::MayOfferDraw() const
{
    const bool computerBlack = m_computerPlays[CCheckerBoard::BlackSide];
    return computerBlack != m_computerPlays[CCheckerBoard::RedSide] && !m_record.IsOver() &&
           !m_jumpPending && !BoardIsTheComputers();
}

bool CChildView::MayResign() const
{
    return !m_record.IsOver() && !BoardIsTheComputers();
}

bool CChildView::ClocksRun() const
{
    return m_clocks->HasClocks() && !m_record.IsOver();
}
