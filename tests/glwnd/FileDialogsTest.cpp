#include "glwnd/FileDialogs.h"

#include <gtest/gtest.h>

TEST(FileDialogs, FilterLosesOnlyTheClosingBars)
{
    EXPECT_EQ(ToWxFilter("PLX Files (*.plx)|*.plx|All Files (*.*)|*.*||"),
              "PLX Files (*.plx)|*.plx|All Files (*.*)|*.*");
    EXPECT_EQ(ToWxFilter("All Files (*.*)|*.*"), "All Files (*.*)|*.*");
}

TEST(FileDialogs, DefaultExtensionOnlyWhenTheNameHasNone)
{
    EXPECT_EQ(WithDefaultExtension("/home/a/game", ".plx"), "/home/a/game.plx");
    EXPECT_EQ(WithDefaultExtension("/home/a/game.plx", ".plx"), "/home/a/game.plx");
    EXPECT_EQ(WithDefaultExtension("/home/a/game.txt", ".plx"), "/home/a/game.txt");
    // A dot in a folder name is not the file's extension.
    EXPECT_EQ(WithDefaultExtension("/home/a.b/game", ".plx"), "/home/a.b/game.plx");
    EXPECT_EQ(WithDefaultExtension("game", ".plx"), "game.plx");
}

TEST(FileDialogs, HandlerAnswersInsteadOfTheDialogAndCanBeRemoved)
{
    FileDialogKind seenKind = FileDialogKind::Open;
    std::string seenExtension;
    std::string seenFilter;
    const FileDialogHandler old = SetFileDialogHandler(
        [&](FileDialogKind kind, const std::string& extension, const std::string& filter)
        {
            seenKind = kind;
            seenExtension = extension;
            seenFilter = filter;
            return std::optional<std::string>("/tmp/x.plx");
        });
    EXPECT_EQ(RunFileDialog(nullptr, FileDialogKind::Save, ".plx", "F|*.f||"), "/tmp/x.plx");
    EXPECT_EQ(seenKind, FileDialogKind::Save);
    EXPECT_EQ(seenExtension, ".plx");
    EXPECT_EQ(seenFilter, "F|*.f||"); // handed on in the original form

    SetFileDialogHandler([](FileDialogKind, const std::string&, const std::string&)
                         { return std::optional<std::string>(); });
    EXPECT_EQ(RunFileDialog(nullptr, FileDialogKind::Open, ".plx", "F|*.f||"), std::nullopt);
    SetFileDialogHandler(old);
}
