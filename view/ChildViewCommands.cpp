#include "view/ChildView.h"

#include <wx/toplevel.h>

#include "savegame/GameFileCommands.h"

void CChildView::OnNewGame(wxCommandEvent&)
{
    m_board.Reset();
    ClearHints();
    PlaceChips();
    InvalidateRect();
    SpinCamera();
    // A chosen chip or a multi-jump of the old game is forgotten.
    m_pickingChip = true;
    m_jumpPending = false;
    m_selectedChip.reset();
}

void CChildView::OnLoadGame(wxCommandEvent&)
{
    if (!RunLoadGameCommand(wxGetTopLevelParent(this), m_board))
        return; // cancelled, or refused and reported: the game goes on as it was
    PlaceChips();
    InvalidateRect();
    m_pickingChip = true;
    m_jumpPending = false;
    m_selectedChip.reset();
    ClearHints();
    SpinCamera();
}

void CChildView::OnSaveGame(wxCommandEvent&)
{
    RunSaveGameCommand(wxGetTopLevelParent(this), m_board);
}
