#include "rules/CheckerBoard.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <sys/resource.h>

namespace fs = std::filesystem;
using testsupport::TempFolder;

namespace
{
// The initial position with black to move, exactly as the program writes it.
const std::string kInitialFile = "X r X r X r X r \r\r\nr X r X r X r X \r\r\n"
                                 "X r X r X r X r \r\r\n_ X _ X _ X _ X \r\r\n"
                                 "X _ X _ X _ X _ \r\r\nb X b X b X b X \r\r\n"
                                 "X b X b X b X b \r\r\nb X b X b X b X \r\r\n0";

bool Read(CCheckerBoard& board, const std::string& bytes)
{
    std::istringstream in(bytes, std::ios::binary);
    return board.ReadGame(in);
}

// Red to move after one step: what every refused read must leave alone.
CCheckerBoard SomeGame()
{
    CCheckerBoard board;
    board.MoveBlack(2, 2, 3, 3);
    return board;
}
} // namespace

TEST(SavedGame, InitialPositionIsWrittenAsExactly153Bytes)
{
    TempFolder folder;
    const std::string path = folder / "game.plx";
    std::ofstream(path) << std::string(500, 'z');
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink(path, folder / "link.plx");
    ASSERT_TRUE(CCheckerBoard().SaveGame(folder / "link.plx"));
    EXPECT_EQ(TempFolder::Read(path), kInitialFile);
    EXPECT_EQ(kInitialFile.size(), 153u);
    EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read | fs::perms::owner_write)
        << "a replaced file keeps its permissions";
    EXPECT_TRUE(fs::is_symlink(folder / "link.plx")) << "saved through the link";
}

TEST(SavedGame, ReaderIsLenientAboutSpacingAndAMissingSide)
{
    std::string compact;
    std::remove_copy_if(kInitialFile.begin(), kInitialFile.end(), std::back_inserter(compact),
                        [](char c) { return std::isspace(static_cast<unsigned char>(c)); });
    std::string onePerLine;
    for (const char letter : compact)
        onePerLine += std::string(1, letter) + "\n";
    for (const std::string& text : {compact, "\t " + onePerLine + " and more words"})
    {
        CCheckerBoard board = SomeGame();
        EXPECT_TRUE(Read(board, text)) << text;
        EXPECT_EQ(board, CCheckerBoard());
    }
    // Kings, "X" on a dark square (a dead square) and red to move, through
    // a file and back.
    const std::string kings = "X X X R X B" + kInitialFile.substr(11, 141) + "1";
    TempFolder folder;
    CCheckerBoard board;
    ASSERT_TRUE(board.LoadGame(folder.Write("kings.plx", kings)));
    EXPECT_EQ(board.m_cells[8 * 7 + 1], CCheckerBoard::Light);
    EXPECT_EQ(board.m_cells[8 * 7 + 3], CCheckerBoard::RedKing);
    EXPECT_EQ(board.m_cells[8 * 7 + 5], CCheckerBoard::BlackKing);
    EXPECT_EQ(board.m_side, CCheckerBoard::RedSide);
    ASSERT_TRUE(board.SaveGame(folder / "copy.plx"));
    EXPECT_EQ(TempFolder::Read(folder / "copy.plx"), kings);

    // A missing or unreadable side keeps the side to move.
    CCheckerBoard redToMove;
    redToMove.m_side = CCheckerBoard::RedSide;
    for (const char* tail : {"", "\r\r\n", "abc", "-"})
    {
        board = SomeGame();
        EXPECT_TRUE(Read(board, kInitialFile.substr(0, 152) + tail)) << '"' << tail << '"';
        EXPECT_EQ(board, redToMove);
    }
}

TEST(SavedGame, RefusedFilesLeaveTheBoardUnchanged)
{
    const auto with = [](std::size_t at, const std::string& bytes)
    { return std::string(kInitialFile).replace(at, bytes.size(), bytes); };
    const std::size_t side = kInitialFile.size() - 1;
    const std::pair<const char*, std::string> files[] = {
        {"lower-case x", with(side - 5, "x")},
        {"piece on a light square", with(0, "r")},
        {"empty on a light square", with(0, "_")},
        {"a digit for a letter", with(2, "4")},
        {"63 letters", kInitialFile.substr(0, side - 5)},
        {"side 2", with(side, "2")},
        {"side -1", with(side, "-1")},
        {"side past any integer", with(side, "99999999999999999999")},
    };
    const CCheckerBoard before = SomeGame();
    for (const auto& [why, bytes] : files)
    {
        CCheckerBoard board = before;
        EXPECT_FALSE(Read(board, bytes)) << why;
        EXPECT_EQ(board, before) << why;
    }
    TempFolder folder;
    CCheckerBoard board = before;
    EXPECT_FALSE(board.LoadGame(folder / "missing.plx"));
    EXPECT_EQ(board, before);
}

TEST(SavedGame, FailedSaveReportsFalseKeepsTheOldFileAndLeavesNoTemporary)
{
    TempFolder folder;
    EXPECT_FALSE(SomeGame().SaveGame(folder / "no-such-folder/game.plx"));
    fs::create_directories(folder / "taken/inside");
    EXPECT_FALSE(SomeGame().SaveGame(folder / "taken")) << "the target is a folder";

    // Files may not grow past 100 bytes: the write fails half-way, as on a
    // full disk, which no permission can bring about when tests run as root.
    std::ofstream(folder / "game.plx") << "an older game";
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 100;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = SomeGame().SaveGame(folder / "game.plx");
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &saved), 0);
    EXPECT_FALSE(written);
    EXPECT_EQ(TempFolder::Read(folder / "game.plx"), "an older game");
    EXPECT_TRUE(fs::is_directory(folder / "taken/inside"));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path), {}), 2) << "no temporary left";
}
