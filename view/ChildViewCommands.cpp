#include "view/ChildView.h"

#include <wx/toplevel.h>

#include "glwnd/MessageService.h"
#include "record/Pdn.h"
#include "savegame/GameFileCommands.h"
#include "view/BoardAnimator.h"

namespace
{
const char* const kSaveBeforeNewGame = "Save the game before starting a new one?";
const char* const kSaveBeforeLoading = "Save the game before loading another?";
const char* const kSaveBeforeQuitting = "Save the game before quitting?";
} // namespace

void CChildView::OnNewGame(wxCommandEvent&)
{
    // The picture first jumps to where its animations lead; then nothing
    // may move while the player is asked.
    m_animator->Finish();
    CancelComputer();
    if (!SaveChangesFirst(kSaveBeforeNewGame))
    {
        StartComputerIfItsTurn();
        return;
    }
    m_board.Reset();
    m_record.Reset(m_board);
    m_gameFile.Started();
    m_movePath = NotatedMove();
    m_refusal.clear();
    ClearHints();
    PlaceChips();
    // A camera dragged out of sight comes back to where a game starts it.
    PlaceCamera(m_facingSide0);
    InvalidateRect();
    SpinCamera();
    // A chosen chip or a multi-jump of the old game is forgotten.
    m_pickingChip = true;
    m_jumpPending = false;
    m_selectedChip.reset();
    StartComputerIfItsTurn();
    FollowGame();
}

void CChildView::OnLoadGame(wxCommandEvent&)
{
    // Stopped before the chooser opens: a move found meanwhile would land on
    // whatever the file holds. If nothing loads, the game goes on as it was.
    m_animator->Finish();
    CancelComputer();
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
