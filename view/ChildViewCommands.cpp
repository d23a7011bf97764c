#include "view/ChildView.h"

#include <wx/toplevel.h>

#include "savegame/GameFileCommands.h"

void CChildView::OnNewGame(wxCommandEvent&)
{
    CancelComputer();
    m_board.Reset();
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
    if (!RunLoadGameCommand(wxGetTopLevelParent(this), m_board))
    {
        StartComputerIfItsTurn();
        return;
    }
    PlaceChips();
    InvalidateRect();
    m_pickingChip = true;
    m_jumpPending = false;
    m_selectedChip.reset();
    ClearHints();
    SpinCamera();
    StartComputerIfItsTurn();
}

void CChildView::OnSaveGame(wxCommandEvent&)
{
    RunSaveGameCommand(wxGetTopLevelParent(this), m_board);
}
