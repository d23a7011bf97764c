// Options > Time Control > Custom...: the dialog's fields make a control
// within the bounds, and the seam answers for it in tests.

#include "view/CustomTimeDialog.h"

#include <gtest/gtest.h>

#include "ViewTestSupport.h"

TEST(CustomTimeDialog, FieldsGiveAControlWithinTheBoundsAndTheSeamAnswersInstead)
{
    {
        CCustomTimeDialog dialog(nullptr, TimeControl{300, 3});
        EXPECT_EQ(dialog.Control(), (TimeControl{300, 3}));
        dialog.SetFields(0, 99);
        EXPECT_EQ(dialog.Control(),
                  (TimeControl{kMinCustomMinutes * 60, kMaxCustomIncrementSeconds}));
        dialog.SetFields(500, -1);
        EXPECT_EQ(dialog.Control(), (TimeControl{kMaxCustomMinutes * 60, 0}));
    }
    // Seconds the fields cannot hold round to the nearest minute.
    EXPECT_EQ(CCustomTimeDialog(nullptr, TimeControl{90, 0}).Control(), (TimeControl{120, 0}));

    std::optional<TimeControl> shown;
    const auto previous = CCustomTimeDialog::SetHandler(
        [&](const TimeControl& control)
        {
            shown = control;
            return std::optional<TimeControl>(TimeControl{420, 2});
        });
    EXPECT_EQ(CCustomTimeDialog::Ask(nullptr, TimeControl{600, 0}), (TimeControl{420, 2}));
    EXPECT_EQ(shown, (TimeControl{600, 0}));
    CCustomTimeDialog::SetHandler(previous);
}
