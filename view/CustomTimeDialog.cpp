#include "view/CustomTimeDialog.h"

#include <algorithm>
#include <utility>

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/spinctrl.h>
#include <wx/stattext.h>

namespace
{
CCustomTimeDialog::Handler& CurrentHandler()
{
    static CCustomTimeDialog::Handler handler;
    return handler;
}
} // namespace

CCustomTimeDialog::CCustomTimeDialog(wxWindow* parent, const TimeControl& shown)
    : wxDialog(parent, wxID_ANY, "Custom Time Control")
{
    m_minutes = new wxSpinCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                               wxSP_ARROW_KEYS, kMinCustomMinutes, kMaxCustomMinutes);
    m_increment = new wxSpinCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                 wxSP_ARROW_KEYS, 0, kMaxCustomIncrementSeconds);
    // A preset's seconds round to the nearest minute the field can hold.
    SetFields((shown.seconds + 30) / 60, shown.incrementSeconds);

    auto* fields = new wxFlexGridSizer(2, FromDIP(6), FromDIP(10));
    fields->Add(new wxStaticText(this, wxID_ANY, "&Minutes for each side:"), 0,
                wxALIGN_CENTER_VERTICAL);
    fields->Add(m_minutes);
    fields->Add(new wxStaticText(this, wxID_ANY, "&Seconds added a move:"), 0,
                wxALIGN_CENTER_VERTICAL);
    fields->Add(m_increment);
    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(fields, 0, wxALL, FromDIP(12));
    column->Add(CreateSeparatedButtonSizer(wxOK | wxCANCEL), 0, wxEXPAND | wxALL, FromDIP(12));
    SetSizerAndFit(column);
    CentreOnParent();
}

std::optional<TimeControl> CCustomTimeDialog::Control() const
{
    return CustomTimeControl(m_minutes->GetValue(), m_increment->GetValue());
}

void CCustomTimeDialog::SetFields(int minutes, int incrementSeconds)
{
    m_minutes->SetValue(std::clamp(minutes, kMinCustomMinutes, kMaxCustomMinutes));
    m_increment->SetValue(std::clamp(incrementSeconds, 0, kMaxCustomIncrementSeconds));
}

std::optional<TimeControl> CCustomTimeDialog::Ask(wxWindow* parent, const TimeControl& shown)
{
    if (const Handler& handler = CurrentHandler())
        return handler(shown);
    CCustomTimeDialog dialog(parent, shown);
    if (dialog.ShowModal() != wxID_OK)
        return std::nullopt;
    return dialog.Control();
}

CCustomTimeDialog::Handler CCustomTimeDialog::SetHandler(Handler handler)
{
    return std::exchange(CurrentHandler(), std::move(handler));
}
