#pragma once
// The review's progress box: how many of the game's positions are done,
// and a Cancel that stops the review at once. Modeless, so that the board
// window stays live (it paints, its camera drags, its menus open) while
// the review runs on its worker thread.

#include <cstddef>
#include <functional>
#include <string>

#include <wx/dialog.h>

class wxGauge;
class wxStaticText;

// "Reviewing the game: position 12 of 49".
std::string ReviewProgressText(std::size_t done, std::size_t total);

class CReviewProgress : public wxDialog
{
public:
    // `onCancel` is called when the player presses Cancel or closes the box;
    // the box then goes. The owner destroys it when the review ends.
    CReviewProgress(wxWindow* parent, std::size_t total, std::function<void()> onCancel);

    // Closes the box without calling `onCancel`.
    void Dismiss();
    // Shows `done` positions of the review's total as done.
    void SetDone(std::size_t done);
    std::string Text() const;

private:
    void OnCancel(wxCommandEvent& event);
    void OnClose(wxCloseEvent& event);

    wxGauge* m_gauge = nullptr;
    wxStaticText* m_text = nullptr;
    std::size_t m_total = 0;
    std::function<void()> m_onCancel;
};
