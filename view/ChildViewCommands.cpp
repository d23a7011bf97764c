#include "view/ChildView.h"

#include <wx/toplevel.h>

#include "record/Pdn.h"
#include "savegame/GameFileCommands.h"

void CChildView::OnNewGame(wxCommandEvent&)
{
    CancelComputer();
    m_board.Reset();
    m_record.Reset(m_board);
    m_movePath = NotatedMove();
    m_refusal.clear();
    ClearHints();
    PlaceChips();
    InvalidateRect();
    SpinCamera();
    // A chosen chip or a multi-jump of the old game is forgotten.
    m_pickingChip = true;
    m_jumpPending = false;
    m_selectedChip.reset();
    StartComputerIfItsTurn();
}

void CChildView::OnLoadGame(wxCommandEvent&)
{
    // Stopped before the chooser opens: a move found meanwhile would land on
    // whatever the file holds. If nothing loads, the game goes on as it was.
    CancelComputer();
    CCheckerBoard board = m_board;
    CGameRecord record = m_record;
    if (!RunLoadGameCommand(wxGetTopLevelParent(this), board, record))
    {
        StartComputerIfItsTurn();
        return;
    }
    // The chips, the move input, the highlights and the camera, as for any
    // position the record shows.
    TakeRecord(record);
}

void CChildView::OnSaveGame(wxCommandEvent&)
{
    RunSaveGameCommand(wxGetTopLevelParent(this), m_board, m_record, GameTags());
}
