#include "notation/BoardMoves.h"
#include "notation/Fen.h"
#include "notation/Squares.h"
#include "notation/TextEncoding.h"

#include <gtest/gtest.h>

namespace
{
std::string Listed(const CCheckerBoard& board)
{
    return PrintMoves(ListLegalMoves(board));
}

CCheckerBoard FromFen(const char* fen)
{
    const auto position = ParseFen(fen);
    EXPECT_TRUE(position) << fen;
    return BoardFromFen(position.value_or(FenPosition{}));
}
} // namespace

TEST(Notation, SquaresNumberTheDarkSquaresBothWays)
{
    const struct
    {
        int square, row, col;
    } corners[] = {{1, 0, 6}, {4, 0, 0}, {5, 1, 7}, {29, 7, 7}, {32, 7, 1}};
    for (const auto& c : corners)
        EXPECT_EQ(SquareNumber(c.row, c.col), c.square);
    for (int square = 1; square <= 32; ++square)
    {
        int row = -1, col = -1;
        ASSERT_TRUE(SquareRowCol(square, row, col));
        EXPECT_EQ(SquareNumber(row, col), square);
    }
    int row = 0, col = 0;
    EXPECT_FALSE(SquareRowCol(33, row, col));
    EXPECT_EQ(SquareNumber(0, 1), 0); // light
    EXPECT_EQ(SquareNumber(8, 0), 0);
}

TEST(Notation, MoveTextReadsStepsAndCapturesOnly)
{
    const char* good[] = {"11-15", "22x15", "1x10x19", "32x23"};
    for (const char* text : good)
    {
        const auto move = ParseMove(text);
        ASSERT_TRUE(move) << text;
        EXPECT_EQ(PrintMove(*move), text);
    }
    EXPECT_EQ(PrintMove(ParseMove("1X10").value()), "1x10");
    const char* bad[] = {"",      "11",     "11-",    "11-15-19", "11-15x19", "0-4",
                         "33-29", "11 -15", "11-15 ", "111-15",   "a-b",      "11--15"};
    for (const char* text : bad)
        EXPECT_FALSE(ParseMove(text)) << text;
}

TEST(Notation, FenRoundTripsAndSaysWhyItRefuses)
{
    const char* start = "B:W21,22,23,24,25,26,27,28,29,30,31,32:B1,2,3,4,5,6,7,8,9,10,11,12";
    EXPECT_EQ(FenFromBoard(CCheckerBoard()), ParseFen(start).value());
    EXPECT_EQ(PrintFen(FenFromBoard(CCheckerBoard())), start);
    EXPECT_EQ(PrintFen(ParseFen(" W:BK30,7:WK3,26. ").value()), "W:WK3,26:B7,K30");
    EXPECT_EQ(ParseFen("B:W21-32:B1-12").value(), ParseFen(start).value());
    EXPECT_EQ(BoardFromFen(ParseFen(start).value()), CCheckerBoard());

    const struct
    {
        const char* fen;
        const char* reason;
    } refused[] = {{"X:W1:B2", "the side to move must be B or W"},
                   {"B:W1:B1", "square 1 given twice"},
                   {"B:W33", "bad square \"33\""},
                   {"B:W1:W2", "two W fields"},
                   {"B:Q1", "a colour field must start with W or B"}};
    for (const auto& r : refused)
    {
        std::string error;
        EXPECT_FALSE(ParseFen(r.fen, &error)) << r.fen;
        EXPECT_EQ(error, r.reason) << r.fen;
    }
}

TEST(Notation, LegalMovesAreWholeMovesTheBoardAccepts)
{
    EXPECT_EQ(Listed(CCheckerBoard()), "9-13 9-14 10-14 10-15 11-15 11-16 12-16");
    // The jump that leaves red without a move ends the capture there.
    EXPECT_EQ(Listed(FromFen("B:W16,24,28:B11,15,19")), "11x20");
    // Crowned on 29's row mid-capture, the man goes on as a king.
    EXPECT_EQ(Listed(FromFen("B:W26,27,19:B22")), "22x31x24x15");
    EXPECT_EQ(Listed(FromFen("W:W30:B25,26,5")), "30x23 30x21");

    // Two captures join 2 and 18: the short form must name neither.
    CCheckerBoard board = FromFen("B:W6,7,14,15:B2");
    EXPECT_EQ(Listed(board), "2x9x18 2x11x18");
    EXPECT_FALSE(ResolveMove(board, ParseMove("2x18").value()));
    EXPECT_EQ(PrintMove(ResolveMove(board, ParseMove("2x11x18").value()).value()), "2x11x18");
    EXPECT_EQ(PrintMove(ResolveMove(FromFen("B:W6,14:B2"), ParseMove("2x18").value()).value()),
              "2x9x18");

    // Played whole or not at all.
    const CCheckerBoard before = board;
    EXPECT_EQ(PlayMove(board, ParseMove("2x9").value()), MoveRefused);
    EXPECT_EQ(PlayMove(board, ParseMove("2x9x18x25").value()), MoveRefused);
    EXPECT_EQ(board, before);
    EXPECT_EQ(PlayMove(board, ParseMove("2x9x18").value()), MoveTurnPassed);
    EXPECT_EQ(board.m_side, CCheckerBoard::RedSide);
}

TEST(TextEncoding, KeepsUtf8AndReadsAnythingElseAsLatin1)
{
    // "été" in UTF-8 stays; in Latin-1 it becomes the same UTF-8.
    EXPECT_EQ(Utf8OrLatin1("\xC3\xA9t\xC3\xA9"), "\xC3\xA9t\xC3\xA9");
    EXPECT_EQ(Utf8OrLatin1("\xE9t\xE9"), "\xC3\xA9t\xC3\xA9");
    EXPECT_EQ(Utf8OrLatin1("11-15 plain"), "11-15 plain");
    EXPECT_EQ(Utf8OrLatin1("\xFF"), "\xC3\xBF");
    EXPECT_EQ(Utf8OrLatin1(""), "");

    // Forms a careless decoder lets through are not UTF-8: an overlong "/",
    // a surrogate, a code point past U+10FFFF, a sequence cut short, a lone
    // continuation byte.
    for (const char* bad : {"\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "ab\xE2\x82", "\x80",
                            "\xF8\x88\x80\x80\x80"})
    {
        EXPECT_FALSE(IsValidUtf8(bad)) << bad;
        EXPECT_TRUE(IsValidUtf8(Utf8OrLatin1(bad))) << bad;
        EXPECT_FALSE(Utf8OrLatin1(bad).empty());
    }
    EXPECT_TRUE(IsValidUtf8("\xF4\x8F\xBF\xBF")); // U+10FFFF, the last there is
    EXPECT_TRUE(IsValidUtf8("\xE2\x82\xAC"));     // the euro sign
}
