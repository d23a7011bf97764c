#include "rules/GameText.h"

#include <gtest/gtest.h>

#include <array>

namespace
{
// Pieces on an otherwise empty board: {row, col, code}.
CCheckerBoard Position(std::initializer_list<std::array<int, 3>> pieces, int side)
{
    CCheckerBoard board;
    for (std::int32_t& cell : board.m_cells)
        cell = cell == CCheckerBoard::Light ? cell : CCheckerBoard::Empty;
    for (const auto& [row, col, code] : pieces)
        board.m_cells[8 * row + col] = code;
    board.m_side = side;
    return board;
}
} // namespace

TEST(GameText, RefusalsSayWhyInTheRulesOrder)
{
    constexpr int B = CCheckerBoard::BlackMan, R = CCheckerBoard::RedMan;
    constexpr int K = CCheckerBoard::BlackKing;
    // Black men on (2, 2) and (2, 4), a king on (4, 4); red men on (3, 3) and (5, 5).
    const CCheckerBoard board =
        Position({{2, 2, B}, {2, 4, B}, {4, 4, K}, {3, 3, R}, {5, 5, R}}, 0);
    const struct
    {
        int fr, fc, tr, tc;
        const char* reason;
    } cases[] = {
        {2, 2, 4, 4, "That square is not free"},
        {2, 4, 3, 5, "A capture is compulsory"},
        {2, 4, 1, 3, "Men move forward only"},
        {2, 4, 0, 2, "Men move forward only"},
        {3, 3, 2, 2, "It is black's turn"},
        {2, 2, 3, 2, "Chips stay on the dark squares"},
        {2, 2, 5, 5, "That square is not free"},
        {2, 2, 5, 1, "Chips move one square diagonally, or jump"},
        {4, 4, 6, 2, "A jump goes over an enemy chip"},
        {2, 2, 8, 8, "That square is not on the board"},
        {2, 4, 4, 2, ""}, // the capture
        {4, 4, 6, 6, ""}, // the king's capture
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(RefusalReason(board, c.fr, c.fc, c.tr, c.tc), c.reason)
            << c.fr << c.fc << " to " << c.tr << c.tc;
        CCheckerBoard tried = board;
        EXPECT_EQ(tried.MoveBlack(c.fr, c.fc, c.tr, c.tc) == MoveRefused, *c.reason != '\0');
    }
}

TEST(GameText, StatusLinesSayWhoMovesMustCaptureOrHasWon)
{
    constexpr int B = CCheckerBoard::BlackMan, R = CCheckerBoard::RedMan;
    const struct
    {
        CCheckerBoard board;
        bool goesOn;
        const char* line;
    } cases[] = {
        {CCheckerBoard(), false, "Black to move"},
        {Position({{2, 2, B}, {3, 3, R}, {6, 6, R}}, 1), false, "Red must capture"},
        {Position({{2, 2, B}, {3, 3, R}, {6, 6, R}}, 0), false, "Black must capture"},
        {Position({{2, 2, B}, {3, 3, R}, {6, 6, R}}, 0), true,
         "Black must go on capturing with the same chip"},
        {Position({{2, 2, B}}, 1), false, "Black wins: red cannot move"},
        {Position({{7, 1, R}, {6, 0, B}, {6, 2, B}, {5, 3, B}}, 0), false,
         "Black wins: red cannot move"},
        {Position({{5, 5, R}}, 0), false, "Red wins: black cannot move"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StatusLine(c.board, c.goesOn), c.line) << c.board;
}

TEST(GameText, EndsOtherThanNoMoveSayHowTheGameEndedUnlessTheBoardHasEndedIt)
{
    const struct
    {
        GameEnd end;
        const char* line;
    } cases[] = {
        {DrawnBy(GameEndKind::Repetition), "Drawn by threefold repetition"},
        {DrawnBy(GameEndKind::FortyMoves), "Drawn by the forty-move rule"},
        {DrawnBy(GameEndKind::Agreement), "Drawn by agreement"},
        {LostBy(GameEndKind::Resignation, CCheckerBoard::RedSide), "Red resigns"},
        {LostBy(GameEndKind::Time, CCheckerBoard::BlackSide), "Black loses on time"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StatusLine(CCheckerBoard(), false, c.end), c.line);
    EXPECT_EQ(StatusLine(CCheckerBoard(), false, std::nullopt), "Black to move");
    const CCheckerBoard stuck = Position({{5, 5, CCheckerBoard::RedMan}}, 0);
    EXPECT_EQ(StatusLine(stuck, false, DrawnBy(GameEndKind::Agreement)),
              "Red wins: black cannot move");
}
