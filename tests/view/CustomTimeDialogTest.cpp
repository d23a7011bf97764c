#include "view/CustomTimeDialog.h"

#include <gtest/gtest.h>

#include "ViewTestSupport.h"

// Minutes and seconds a move, from the control shown (rounded to whole
// minutes) and kept within the bounds of a made-up control.
TEST(CustomTimeDialog, FieldsGiveAControlWithinTheBounds)
{
    CCustomTimeDialog dialog(nullptr, TimeControl{90, 3});
    EXPECT_EQ(dialog.Control(), (TimeControl{120, 3}));
    dialog.SetFields(500, 99);
    EXPECT_EQ(dialog.Control(), (TimeControl{kMaxCustomMinutes * 60, kMaxCustomIncrementSeconds}));
}
