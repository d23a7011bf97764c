#include "rules/CheckerBoard.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace fs = std::filesystem;

namespace
{
// The initial position with black to move, exactly as the program writes it.
const std::string kInitialFile = "X r X r X r X r \r\r\n"
                                 "r X r X r X r X \r\r\n"
                                 "X r X r X r X r \r\r\n"
                                 "_ X _ X _ X _ X \r\r\n"
                                 "X _ X _ X _ X _ \r\r\n"
                                 "b X b X b X b X \r\r\n"
                                 "X b X b X b X b \r\r\n"
                                 "b X b X b X b X \r\r\n"
                                 "0";

// A folder of its own for each test, removed with everything in it.
class TempFolder
{
public:
    TempFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "plaxen-savegame-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            ADD_FAILURE() << "cannot make a temporary folder";
        m_path = pattern;
    }
    ~TempFolder() { fs::remove_all(m_path); }
    std::string operator/(const std::string& name) const { return (m_path / name).string(); }
    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_path))
            names.push_back(entry.path().filename().string());
        return names;
    }

private:
    fs::path m_path;
};

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

bool Read(CCheckerBoard& board, const std::string& bytes)
{
    std::istringstream in(bytes, std::ios::binary);
    return board.ReadGame(in);
}

// Positions of random games, kings, red to move and unfinished multi-jumps included.
std::vector<CCheckerBoard> PlayedPositions()
{
    std::mt19937 random(7);
    std::vector<CCheckerBoard> positions;
    CCheckerBoard board;
    for (int ply = 0; ply < 400; ++ply)
    {
        if (board.IsGameOver())
            board.Reset();
        const int from = random() % 64;
        const int to = random() % 64;
        CCheckerBoard next = board;
        const MoveResult result = board.m_side == 0
                                      ? next.MoveBlack(from / 8, from % 8, to / 8, to % 8)
                                      : next.MoveRed(from / 8, from % 8, to / 8, to % 8);
        if (result == MoveRefused)
        {
            --ply;
            continue;
        }
        board = next;
        positions.push_back(board);
    }
    return positions;
}

// A position with red to move, which every refused read must leave alone.
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
    WriteFile(path, std::string(500, 'z'));
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    ASSERT_TRUE(CCheckerBoard().SaveGame(path));
    EXPECT_EQ(ReadFile(path), kInitialFile) << "an existing file is replaced completely";
    EXPECT_EQ(kInitialFile.size(), 153u);
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read)
        << "a replaced file keeps its permissions";
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"game.plx"});
}

TEST(SavedGame, PositionsReachedByPlayComeBackUnchanged)
{
    TempFolder folder;
    const std::string path = folder / "game.plx";
    int kings = 0;
    int saved = 0;
    for (const CCheckerBoard& position : PlayedPositions())
    {
        std::ostringstream out(std::ios::binary);
        position.WriteGame(out);
        ASSERT_EQ(out.str().size(), 153u);
        CCheckerBoard loaded;
        loaded.m_side = 1 - position.m_side;
        ASSERT_TRUE(Read(loaded, out.str()));
        ASSERT_EQ(loaded, position);
        if (++saved % 25 == 0) // the file forms must give the same bytes
        {
            ASSERT_TRUE(position.SaveGame(path));
            ASSERT_EQ(ReadFile(path), out.str());
            loaded.Reset();
            ASSERT_TRUE(loaded.LoadGame(path));
            ASSERT_EQ(loaded, position);
        }
        kings += std::count(position.m_cells, position.m_cells + 64, CCheckerBoard::RedKing);
    }
    EXPECT_GT(kings, 0) << "the games should have reached kings";
}

TEST(SavedGame, ReaderSkipsAnyWhiteSpaceAroundLetters)
{
    std::string letters;
    for (const char ch : kInitialFile)
        if (ch != ' ' && ch != '\r' && ch != '\n')
            letters += ch;
    letters.back() = '1'; // red to move
    CCheckerBoard expected;
    expected.m_side = CCheckerBoard::RedSide;

    std::string onePerLine;
    for (const char ch : letters)
        onePerLine += std::string(1, ch) + "\n";
    for (const std::string& text : {letters, onePerLine, "\t " + onePerLine + " trailing words"})
    {
        CCheckerBoard board;
        EXPECT_TRUE(Read(board, text)) << text;
        EXPECT_EQ(board, expected);
    }

    // A dark square may hold "X": a dead square.
    CCheckerBoard board;
    std::string dead = kInitialFile;
    dead[dead.find('r')] = 'X';
    EXPECT_TRUE(Read(board, dead));
    EXPECT_EQ(board.m_cells[8 * 7 + 1], CCheckerBoard::Light);
}

TEST(SavedGame, RefusedFilesLeaveTheBoardUnchanged)
{
    auto replaced = [](std::size_t at, const std::string& bytes)
    { return std::string(kInitialFile).replace(at, bytes.size(), bytes); };
    const std::size_t side = kInitialFile.size() - 1;
    const std::vector<std::pair<std::string, std::string>> files = {
        {"lower-case x first", replaced(0, "x")},
        {"lower-case x last", replaced(side - 5, "x")},
        {"piece on a light square", replaced(0, "r")},
        {"empty mark on a light square", replaced(side - 5, "_")},
        {"a digit among the letters", replaced(2, "4")},
        {"63 letters", kInitialFile.substr(0, side - 5)},
        {"nothing at all", ""},
        {"side 2", replaced(side, "2")},
        {"side -1", replaced(side, "-1")},
        {"side 10", replaced(side, "10")},
        {"side too big for any integer", replaced(side, "99999999999999999999")},
    };
    const CCheckerBoard before = SomeGame();
    for (const auto& [why, bytes] : files)
    {
        SCOPED_TRACE(why);
        CCheckerBoard board = before;
        EXPECT_FALSE(Read(board, bytes));
        EXPECT_EQ(board, before);
    }

    TempFolder folder;
    CCheckerBoard board = before;
    EXPECT_FALSE(board.LoadGame(folder / "missing.plx"));
    WriteFile(folder / "bad.plx", files[0].second);
    EXPECT_FALSE(board.LoadGame(folder / "bad.plx"));
    EXPECT_EQ(board, before);
}

TEST(SavedGame, MissingOrUnreadableSideKeepsTheSideToMove)
{
    const std::string letters = kInitialFile.substr(0, kInitialFile.size() - 1);
    for (const char* tail : {"", "\r\r\n", "abc", "-", "+x"})
    {
        SCOPED_TRACE(std::string("after the letters: \"") + tail + "\"");
        CCheckerBoard board = SomeGame();
        ASSERT_EQ(board.m_side, CCheckerBoard::RedSide);
        EXPECT_TRUE(Read(board, letters + tail));
        EXPECT_EQ(board.m_side, CCheckerBoard::RedSide);
        EXPECT_EQ(board.m_cells[8 * 3 + 3], CCheckerBoard::Empty) << "the cells were loaded";
    }
    CCheckerBoard board = SomeGame();
    EXPECT_TRUE(Read(board, letters + "+000 1"));
    EXPECT_EQ(board, CCheckerBoard());
}

TEST(SavedGame, FailedSaveReportsFalseKeepsTheOldFileAndLeavesNoTemporary)
{
    TempFolder folder;
    const CCheckerBoard game = SomeGame();

    EXPECT_FALSE(game.SaveGame(folder / "no-such-folder/game.plx"));

    fs::create_directory(folder / "taken");
    WriteFile(folder / "taken/inside", "keep");
    EXPECT_FALSE(game.SaveGame(folder / "taken")) << "the target is a folder";
    EXPECT_EQ(ReadFile(folder / "taken/inside"), "keep");

    // Files may not grow past 100 bytes: the write fails half-way (as on a
    // full disk), which no permission can bring about for a root user.
    const std::string old = "an older saved game";
    WriteFile(folder / "game.plx", old);
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 100;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = game.SaveGame(folder / "game.plx");
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &saved), 0);
    EXPECT_FALSE(written);
    EXPECT_EQ(ReadFile(folder / "game.plx"), old);

    std::vector<std::string> names = folder.Names();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"game.plx", "taken"}));
}
