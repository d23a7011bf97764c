#include "view/ChildView.h"

// filled in with move handling
void CChildView::OnLButtonUp(wxMouseEvent& event)
{
    LButtonUp();
    event.Skip();
}

// filled in with move handling
void CChildView::LButtonUp() {}

// filled in with move handling
void CChildView::AnimateMove() {}
