#include "view/ChildView.h"

// filled in with move handling
void CChildView::OnNewGame(wxCommandEvent&) {}
// filled in with move handling
void CChildView::OnLoadGame(wxCommandEvent&) {}
// filled in with move handling
void CChildView::OnSaveGame(wxCommandEvent&) {}
