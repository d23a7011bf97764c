#include "glwnd/FileDialogs.h"

#include <gtest/gtest.h>

TEST(FileDialogs, FilterAndDefaultExtensionConversions)
{
    EXPECT_EQ(ToWxFilter("PLX Files (*.plx)|*.plx|All Files (*.*)|*.*||"),
              "PLX Files (*.plx)|*.plx|All Files (*.*)|*.*");
    EXPECT_EQ(WithDefaultExtension("/home/a/game", ".plx"), "/home/a/game.plx");
    EXPECT_EQ(WithDefaultExtension("/home/a/game.txt", ".plx"), "/home/a/game.txt");
    EXPECT_EQ(WithDefaultExtension("/home/a.b/game", ".plx"), "/home/a.b/game.plx");
    EXPECT_EQ(WithDefaultExtension("game", ".plx"), "game.plx");
}
