#include "savegame/GameFile.h"

#include <gtest/gtest.h>

// The title and the unsaved mark through a game's life, and where Save may
// write without asking.
TEST(GameFile, TitleAndUnsavedMarkFollowTheGameAndSaveAsksWhereAFileMayHoldMore)
{
    CGameFile file;
    EXPECT_EQ(file.Title("Plaxen"), "Plaxen");
    EXPECT_FALSE(file.HasUnsavedMoves());
    EXPECT_EQ(file.SavePath(), "");
    file.Changed();
    EXPECT_EQ(file.Title("Plaxen"), "*Plaxen");

    file.Saved("/home/ann/games/evening.pdn");
    EXPECT_FALSE(file.HasUnsavedMoves());
    EXPECT_EQ(file.Title("Plaxen"), "evening.pdn - Plaxen");
    EXPECT_EQ(file.SavePath(), "/home/ann/games/evening.pdn") << "what was just written";
    file.Changed();
    EXPECT_EQ(file.Title("Plaxen"), "*evening.pdn - Plaxen");

    // A PDN file from elsewhere may hold more games, and tags and comments
    // the game does not keep: never written back unasked. A .plx file holds
    // one position and nothing else.
    file.Loaded("/home/ann/collection.PDN");
    EXPECT_FALSE(file.HasUnsavedMoves());
    EXPECT_EQ(file.Title("Plaxen"), "collection.PDN - Plaxen");
    EXPECT_EQ(file.SavePath(), "");
    file.Loaded("position.plx");
    EXPECT_EQ(file.SavePath(), "position.plx");
    EXPECT_EQ(file.Title("Plaxen"), "position.plx - Plaxen");

    file.Replaced(true); // a pasted game with moves
    EXPECT_EQ(file.Title("Plaxen"), "*Plaxen");
    EXPECT_EQ(file.SavePath(), "");
    file.Replaced(false); // a bare position: nothing to lose
    EXPECT_FALSE(file.HasUnsavedMoves());
    file.Changed();
    file.Started();
    EXPECT_EQ(file.Title("Plaxen"), "Plaxen");
    EXPECT_FALSE(file.HasUnsavedMoves());

    EXPECT_TRUE(IsPdnName("a.pdn") && IsPdnName("B.Pdn"));
    EXPECT_FALSE(IsPdnName("pdn") || IsPdnName("a.pdn.plx") || IsPdnName(".pd"));
}
