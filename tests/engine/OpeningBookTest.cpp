#include "engine/OpeningBook.h"
#include "engine/Search.h"
#include "notation/Fen.h"

#include <gtest/gtest.h>

#include <set>

#include "notation/BoardMoves.h"

namespace
{
const char* kStart = "B:W21,22,23,24,25,26,27,28,29,30,31,32:B1,2,3,4,5,6,7,8,9,10,11,12";

std::string Header(int positions)
{
    return "plaxen opening book\nversion 1\npositions " + std::to_string(positions) + "\n";
}

std::string ParseError(const std::string& text)
{
    std::string error;
    EXPECT_FALSE(COpeningBook::Parse(text, &error)) << text;
    return error;
}
} // namespace

TEST(OpeningBook, ReadsWhatItWritesAndRefusesWhatDoesNotFit)
{
    const std::string text = Header(2) + kStart + " 11-15:4 9-14:3 12-16:-20\n" +
                             "W:W21,22,23,24,25,26,27,28,29,30,31,32:B1,2,3,4,5,6,7,8,9,10,12,15"
                             " 23-19:-1\n";
    const std::optional<COpeningBook> book = COpeningBook::Parse(text);
    ASSERT_TRUE(book);
    EXPECT_EQ(book->Size(), 2);
    EXPECT_EQ(COpeningBook::Parse(book->Print())->Print(), book->Print());
    const std::vector<BookMove> moves = book->Moves(CPosition::Start());
    ASSERT_EQ(moves.size(), 3u);
    EXPECT_EQ(PrintMove(moves[0].move), "11-15");
    EXPECT_EQ(moves[2].score, -20);
    CPosition other = CPosition::Start();
    other.m_side = CPosition::Red;
    EXPECT_TRUE(book->Moves(other).empty());

    EXPECT_EQ(ParseError("a book\n"), "not a Plaxen opening book");
    EXPECT_EQ(ParseError("plaxen opening book\nversion 7\n"),
              "line 2: version 7 is not supported (this program reads 1)");
    EXPECT_EQ(ParseError("plaxen opening book\nversion 1\npositions x\n"),
              "line 3: expected \"positions <n>\"");
    EXPECT_EQ(ParseError(Header(1) + "B:W1:B1 1-5:0\n"), "line 4: bad FEN: square 1 given twice");
    EXPECT_EQ(ParseError(Header(1) + kStart + "\n"), "line 4: a position without moves");
    EXPECT_EQ(ParseError(Header(1) + kStart + " 11-15\n"),
              "line 4: expected <move>:<score>, not \"11-15\"");
    EXPECT_EQ(ParseError(Header(1) + kStart + " 11-15:3x\n"),
              "line 4: expected <move>:<score>, not \"11-15:3x\"");
    EXPECT_EQ(ParseError(Header(1) + kStart + " 11-16:3 21-17:0\n"),
              "line 4: \"21-17\" is not a legal move here");
    EXPECT_EQ(ParseError(Header(3) + kStart + " 11-15:0\n"),
              "the book promises 3 positions and holds 1");
}

TEST(OpeningBook, ChoosesAmongMovesOfNearlyEqualValueOnly)
{
    const COpeningBook book =
        *COpeningBook::Parse(Header(1) + kStart + " 11-15:10 9-14:6 11-16:2 12-16:-30\n");
    std::set<std::string> chosen;
    for (std::uint64_t seed = 0; seed < 40; ++seed)
    {
        const std::optional<BookMove> move = book.Choose(CPosition::Start(), 8, seed);
        ASSERT_TRUE(move);
        EXPECT_GE(move->score, 2) << seed;
        chosen.insert(PrintMove(move->move));
        // The same seed, the same move.
        EXPECT_EQ(book.Choose(CPosition::Start(), 8, seed)->move, move->move);
    }
    EXPECT_EQ(chosen, (std::set<std::string>{"11-15", "9-14", "11-16"}));
    EXPECT_EQ(PrintMove(book.Choose(CPosition::Start(), 0, 5)->move), "11-15");
    EXPECT_FALSE(book.Choose(CPosition::FromFen(*ParseFen("B:W21:B1")), 8, 0));
}

TEST(OpeningBook, TheLevelsThatUseItAnswerFromItAtOnceAndVary)
{
    // The book built into the program reads, and the start is in it.
    ASSERT_GT(COpeningBook::BuiltIn().Size(), 100);
    ASSERT_FALSE(COpeningBook::BuiltIn().Moves(CPosition::Start()).empty());
    const std::atomic<bool> stop{false};
    CSearch search(1);
    std::set<std::string> replies; // to 11-15, the book's own first move
    CCheckerBoard after;
    PlayMove(after, ParseMove("11-15").value());
    for (std::uint64_t seed = 0; seed < 16; ++seed)
        for (EngineLevel level : {EngineLevel::Intermediate, EngineLevel::Expert})
        {
            int reports = 0;
            const SearchResult result = search.Run(after, LimitsForLevel(level, seed), stop,
                                                   [&](const SearchInfo&) { ++reports; });
            ASSERT_TRUE(result.hasMove);
            EXPECT_EQ(reports, 1) << "whoever listens hears of the book's move";
            EXPECT_EQ(result.info.depth, 0) << "a book move needs no search";
            EXPECT_EQ(result.info.nodes, 0u);
            replies.insert(PrintMove(result.move));
        }
    EXPECT_GE(replies.size(), 2u);
    // Beginner and searches with limits of their own do not use it.
    EXPECT_GT(search.Run(after, LimitsForLevel(EngineLevel::Beginner, 1), stop).info.depth, 0);
    EXPECT_GT(search.Run(after, {.depth = 2}, stop).info.depth, 0);
}
