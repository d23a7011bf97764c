#pragma once
// Options > Time Control > Custom...: each side's minutes and the seconds
// added after each of its moves, within the bounds a made-up control has
// (record/TimeControl.h). With a handler installed (tests), the handler
// answers instead of the dialog.

#include <functional>
#include <optional>

#include <wx/dialog.h>

#include "record/TimeControl.h"

class wxSpinCtrl;

class CCustomTimeDialog : public wxDialog
{
public:
    using Handler = std::function<std::optional<TimeControl>(const TimeControl& shown)>;

    // The two fields filled from `shown`, its time in whole minutes.
    CCustomTimeDialog(wxWindow* parent, const TimeControl& shown);

    // The control the fields give now.
    std::optional<TimeControl> Control() const;
    void SetFields(int minutes, int incrementSeconds);

    // Asks for a control, starting from `shown`: nothing when cancelled.
    static std::optional<TimeControl> Ask(wxWindow* parent, const TimeControl& shown);
    // Installs `handler` for later calls and returns the one it replaces;
    // an empty handler brings the real dialog back.
    static Handler SetHandler(Handler handler);

private:
    wxSpinCtrl* m_minutes = nullptr;
    wxSpinCtrl* m_increment = nullptr;
};
