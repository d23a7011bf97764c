#include "view/ReviewProgress.h"

#include <wx/button.h>
#include <wx/gauge.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

namespace
{
const char* const kReviewTitle = "Review Game";
} // namespace

std::string ReviewProgressText(std::size_t done, std::size_t total)
{
    return "Reviewing the game: position " + std::to_string(done) + " of " + std::to_string(total);
}

CReviewProgress::CReviewProgress(wxWindow* parent, std::size_t total,
                                 std::function<void()> onCancel)
    : wxDialog(parent, wxID_ANY, kReviewTitle, wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxCLOSE_BOX),
      m_total(total), m_onCancel(std::move(onCancel))
{
    auto* column = new wxBoxSizer(wxVERTICAL);
    m_text = new wxStaticText(this, wxID_ANY, wxString::FromUTF8(ReviewProgressText(0, total)));
    m_gauge = new wxGauge(this, wxID_ANY, static_cast<int>(total), wxDefaultPosition,
                          FromDIP(wxSize(320, -1)));
    column->Add(m_text, 0, wxALL, FromDIP(10));
    column->Add(m_gauge, 0, wxLEFT | wxRIGHT | wxEXPAND, FromDIP(10));
    column->Add(new wxButton(this, wxID_CANCEL), 0, wxALL | wxALIGN_RIGHT, FromDIP(10));
    SetSizerAndFit(column);
    Bind(wxEVT_BUTTON, &CReviewProgress::OnCancel, this, wxID_CANCEL);
    Bind(wxEVT_CLOSE_WINDOW, &CReviewProgress::OnClose, this);
    CentreOnParent();
}

void CReviewProgress::SetDone(std::size_t done)
{
    m_gauge->SetValue(static_cast<int>(std::min(done, m_total)));
    m_text->SetLabel(wxString::FromUTF8(ReviewProgressText(done, m_total)));
}

void CReviewProgress::Dismiss()
{
    m_onCancel = nullptr;
    Destroy();
}

std::string CReviewProgress::Text() const
{
    return m_text->GetLabel().utf8_string();
}

void CReviewProgress::OnCancel(wxCommandEvent&)
{
    // A copy: the owner dismisses the box from inside, which lets go of
    // m_onCancel while it would still be running.
    if (const auto onCancel = m_onCancel)
        onCancel();
}

void CReviewProgress::OnClose(wxCloseEvent&)
{
    if (const auto onCancel = m_onCancel)
        onCancel();
}
