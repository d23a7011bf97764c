#include "record/Pdn.h"

#include <gtest/gtest.h>

#include <random>

#include "notation/BoardMoves.h"
#include "notation/Fen.h"
#include "notation/Squares.h"

namespace
{
// A game of random legal moves from `start`, to its end or `plies` moves.
CGameRecord RandomGame(const CCheckerBoard& start, unsigned seed, int plies)
{
    std::mt19937 random(seed);
    CGameRecord record;
    record.Reset(start);
    CCheckerBoard board = start;
    for (int ply = 0; ply < plies && !board.IsGameOver(); ++ply)
    {
        const auto moves = ListLegalMoves(board);
        const NotatedMove& move = moves[random() % moves.size()];
        EXPECT_NE(PlayMove(board, move), MoveRefused);
        record.Played(move, board);
    }
    return record;
}

std::string Read(const std::string& text)
{
    PdnProblem problem;
    const auto record = ReadPdn(text, problem);
    if (!record)
        return "line " + std::to_string(problem.line) + ": " + problem.reason;
    return PrintFen(FenFromBoard(record->Start())) + " | " +
           PrintMoves({record->Moves().begin(), record->Moves().end()});
}

const std::string kStart = "B:W21,22,23,24,25,26,27,28,29,30,31,32:B1,2,3,4,5,6,7,8,9,10,11,12";
} // namespace

TEST(Pdn, RealGamesRoundTripWithCapturesMultiJumpsAndCrowningMidCapture)
{
    // Random games from the opening and from a position where a black man
    // jumps onto the far row and on as a king (22x31x24x15 is one move).
    const CCheckerBoard crowning = BoardFromFen(ParseFen("B:W19,26,27,12:B22,1").value());
    int multiJumps = 0, crownedMidCapture = 0, finished = 0;
    for (unsigned seed = 1; seed <= 40; ++seed)
    {
        const CCheckerBoard& start = seed % 4 == 0 ? crowning : CCheckerBoard();
        const CGameRecord game = RandomGame(start, seed, 300);
        PdnTags tags;
        tags.black = "Player";
        tags.white = "Computer (Expert)";
        const std::string text = WritePdn(game, tags);
        PdnProblem problem;
        const auto read = ReadPdn(text, problem);
        ASSERT_TRUE(read) << "line " << problem.line << ": " << problem.reason << "\n" << text;
        EXPECT_EQ(read->Moves(), game.Moves()) << text;
        EXPECT_EQ(read->Start(), game.Start());
        EXPECT_EQ(read->Board(), game.Board());
        EXPECT_NE(text.find("[Result \"" + PdnResult(game.Board()) + "\"]"), std::string::npos);
        EXPECT_EQ(text.find("[FEN") != std::string::npos, seed % 4 == 0) << text;
        for (std::size_t i = 0; i < game.Moves().size(); ++i)
        {
            const auto& squares = game.Moves()[i].squares;
            multiJumps += squares.size() > 2;
            const CCheckerBoard& before = game.BoardAfter(i);
            int row = 0, col = 0;
            SquareRowCol(squares.front(), row, col);
            const bool man = before.m_cells[8 * row + col] % 2 == 0;
            for (std::size_t k = 1; man && k + 1 < squares.size(); ++k)
                crownedMidCapture += squares[k] <= 4 || squares[k] >= 29;
        }
        finished += game.Board().IsGameOver();
    }
    EXPECT_GT(multiJumps, 10);
    EXPECT_GT(crownedMidCapture, 0);
    EXPECT_GT(finished, 10);
}

TEST(Pdn, ReaderSkipsWhatPdnAllowsAndSaysWhereItStops)
{
    const struct
    {
        const char* text;
        std::string read;
    } cases[] = {
        {"[Event \"x \\\"y\\\"\"]\n1. 11-15 23-19 2. 8-11 *", kStart + " | 11-15 23-19 8-11"},
        {"1.11-15 {a comment 23-19} (2. 9-14 (21-17)) $3 22-18?! ; line\n2... 15x22 1-0\n"
         "[Event \"second game\"]\n1. 9-13",
         kStart + " | 11-15 22-18 15x22"},
        {"[FEN \"W:W30:B25,26,5\"]\n1... 30x23 *", "W:W30:B5,25,26 | 30x23"},
        {"[FEN \"B:W6,14:B2\"]\n1. 2x18 *", "B:W6,14:B2 | 2x9x18"},
        {" W:WK3,26:B7,K30 ", "W:WK3,26:B7,K30 | "},
        {"[Event \"a set-up position\"]\n[FEN \"B:W21:B1\"]\n", "B:W21:B1 | "},
        {"", "line 0: there is no game in it"},
        {"1. 11-15 23-19\n2. 9-13 22-17 3. 13-22 *", "line 2: 13-22 is not a legal move for black"},
        {"[FEN \"B:W6,7,14,15:B2\"]\n1. 2x18", "line 2: 2x18 is not a legal move for black"},
        {"1. 11-15 {never closed\n23-19", "line 1: a comment opened with { is not closed"},
        {"\n\n1. 11-15 (23-19", "line 3: a variation opened with ( is not closed"},
        {"[GameType \"20\"]\n1. 32-28", "line 1: the game is not checkers (GameType 20)"},
        {"[Event \"x\"]\n[FEN \"B:W33\"]", "line 2: the FEN tag: bad square \"33\""},
        {"[Event x]", "line 1: a tag must read [Name \"value\"]"},
        {"1. 11-15 e4", "line 1: \"e4\" is not a move"},
        {"1. 11-15 )", "line 1: a ) without its opening"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Read(c.text), c.read) << c.text;
    EXPECT_EQ(Read(std::string(kMaxPdnBytes + 1, ' ')),
              "line 0: the text is larger than a PDN game can be");
}

TEST(Pdn, WriterNumbersMovesFromEitherSideAndTheRecordKeepsItsPlace)
{
    CGameRecord record;
    record.Reset(BoardFromFen(ParseFen("W:W30,K3:B25,26,5").value()));
    CCheckerBoard board = record.Start();
    for (const char* text : {"30x23", "5-9", "23-19"})
    {
        const NotatedMove move = ParseMove(text).value();
        ASSERT_NE(PlayMove(board, move), MoveRefused) << text;
        record.Played(move, board);
    }
    PdnTags tags;
    tags.date = "2026.12.06";
    tags.black = "Black";
    tags.white = "Red";
    EXPECT_EQ(WritePdn(record, tags), "[Event \"Plaxen game\"]\n[Date \"2026.12.06\"]\n"
                                      "[Black \"Black\"]\n[White \"Red\"]\n[Result \"*\"]\n"
                                      "[FEN \"W:WK3,30:B5,25,26\"]\n\n"
                                      "1... 30x23 2. 5-9 23-19 *\n");

    // Undone moves stay for redo until another move is made; the text holds
    // the moves on the board only.
    record.GoTo(1);
    EXPECT_TRUE(record.CanRedo());
    EXPECT_EQ(WritePdn(record, tags).substr(WritePdn(record, tags).find("\n\n")),
              "\n\n1... 30x23 *\n");
    board = record.Board();
    const NotatedMove other = ParseMove("5-1").value(); // refused: men move forward
    EXPECT_EQ(PlayMove(board, other), MoveRefused);
    const NotatedMove king = ParseMove("25-29").value();
    ASSERT_NE(PlayMove(board, king), MoveRefused);
    record.Played(king, board);
    EXPECT_EQ(record.Moves().size(), 2u);
    EXPECT_FALSE(record.CanRedo());
    record.GoTo(99);
    EXPECT_EQ(record.Place(), 2u);
    record.GoTo(0);
    EXPECT_FALSE(record.CanUndo());
    EXPECT_EQ(record.Board(), record.Start());
}
