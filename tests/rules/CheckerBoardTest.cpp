#include "rules/CheckerBoard.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <random>
#include <sstream>
#include <string_view>
#include <utility>
#include <vector>

namespace
{
using Squares = std::vector<std::pair<int, int>>;

// A position drawn with the saved-game letters, row 7 first, column 0 on the left.
CCheckerBoard Diagram(std::string_view text, std::int32_t side = CCheckerBoard::BlackSide)
{
    CCheckerBoard board;
    int i = 0;
    for (const char letter : text)
    {
        if (std::isspace(static_cast<unsigned char>(letter)))
            continue;
        const std::int32_t code = CCheckerBoard::CodeOf(letter);
        if (code < 0 || i >= 64)
        {
            ADD_FAILURE() << "bad diagram at letter " << i << " '" << letter << "'";
            break;
        }
        board.m_cells[8 * (7 - i / 8) + i % 8] = code;
        ++i;
    }
    EXPECT_EQ(i, 64) << "a diagram has 64 letters";
    board.m_side = side;
    return board;
}

// The same position seen from the other side: a half turn with the colours swapped.
CCheckerBoard Mirror(const CCheckerBoard& board)
{
    static constexpr std::int32_t kSwapped[] = {0, 1, 4, 5, 2, 3};
    CCheckerBoard mirrored;
    for (int i = 0; i < 64; ++i)
        mirrored.m_cells[63 - i] = kSwapped[board.m_cells[i]];
    mirrored.m_side = 1 - board.m_side;
    return mirrored;
}

Squares Landings(const std::vector<int>& rows, const std::vector<int>& cols)
{
    EXPECT_EQ(rows.size(), cols.size());
    Squares squares;
    for (std::size_t i = 0; i < std::min(rows.size(), cols.size()); ++i)
        squares.emplace_back(rows[i], cols[i]);
    return squares;
}

Squares BlackMoveList(const CCheckerBoard& board, int r, int c)
{
    std::vector<int> rows{9}, cols{9, 9}; // junk the scan must clear
    board.BlackMoves(r, c, rows, cols);
    return Landings(rows, cols);
}

Squares RedMoveList(const CCheckerBoard& board, int r, int c)
{
    std::vector<int> rows{9}, cols{9, 9};
    board.RedMoves(r, c, rows, cols);
    return Landings(rows, cols);
}

Squares BlackJumpList(const CCheckerBoard& board, int r, int c)
{
    std::vector<int> rows{9}, cols{9, 9};
    board.BlackJumps(r, c, rows, cols);
    return Landings(rows, cols);
}

MoveResult Play(CCheckerBoard& board, int fr, int fc, int tr, int tc)
{
    return board.m_side == CCheckerBoard::BlackSide ? board.MoveBlack(fr, fc, tr, tc)
                                                    : board.MoveRed(fr, fc, tr, tc);
}

// No black capture anywhere: each refusal below has its own reason.
const char* const kRefusalPosition = R"(
    X _ X _ X _ X _
    _ X _ X _ X _ X
    X _ X _ X _ X _
    r X _ X _ X _ X
    X r X _ X b X _
    _ X b X B X _ X
    X R X _ X _ X _
    _ X _ X _ X _ X)";
} // namespace

TEST(CheckerBoard, InitialPosition)
{
    const CCheckerBoard board;
    EXPECT_EQ(board, Diagram(R"(
        X r X r X r X r
        r X r X r X r X
        X r X r X r X r
        _ X _ X _ X _ X
        X _ X _ X _ X _
        b X b X b X b X
        X b X b X b X b
        b X b X b X b X)"));
    EXPECT_EQ(std::count(board.m_cells, board.m_cells + 64, CCheckerBoard::Light), 32);
    EXPECT_EQ(board.m_side, CCheckerBoard::BlackSide);

    std::ostringstream printed;
    printed << board;
    EXPECT_EQ(printed.str().substr(0, 17), "X r X r X r X r \n");
    EXPECT_EQ(printed.str().back(), '0');
}

TEST(CheckerBoard, FirstStepOfEachSidePassesTheTurn)
{
    CCheckerBoard board;
    EXPECT_EQ(board.MoveRed(5, 1, 4, 0), MoveRefused) << "black moves first";
    EXPECT_EQ(board.MoveBlack(2, 0, 3, 1), MoveTurnPassed);
    EXPECT_EQ(board.m_cells[8 * 2 + 0], CCheckerBoard::Empty);
    EXPECT_EQ(board.m_cells[8 * 3 + 1], CCheckerBoard::BlackMan);
    EXPECT_EQ(board.m_side, CCheckerBoard::RedSide);
    EXPECT_EQ(board.MoveBlack(3, 1, 4, 2), MoveRefused) << "not black's turn";
    EXPECT_EQ(board.MoveRed(5, 5, 4, 4), MoveTurnPassed);
    EXPECT_EQ(board.m_side, CCheckerBoard::BlackSide);
}

TEST(CheckerBoard, RefusedMovesLeaveTheBoardUntouched)
{
    struct Refusal
    {
        int fr, fc, tr, tc;
        const char* why;
    };
    const Refusal refusals[] = {
        {-1, 1, 0, 0, "from row off the board"},
        {2, 2, 3, -1, "to column off the board"},
        {8, 0, 7, 1, "from row off the board"},
        {2, 3, 3, 4, "from a light square"},
        {2, 2, 3, 2, "to a light square"},
        {5, 5, 6, 6, "from an empty square"},
        {3, 1, 2, 0, "from an enemy piece"},
        {2, 2, 3, 1, "onto an enemy piece"},
        {2, 4, 3, 5, "onto an own piece"},
        {2, 2, 2, 2, "onto the from-square"},
        {2, 4, 5, 7, "three rows"},
        {2, 4, 4, 4, "two rows straight"},
        {2, 4, 2, 6, "sideways"},
        {2, 2, 1, 3, "man stepping backward"},
        {2, 2, 0, 0, "man capturing backward"},
        {2, 4, 4, 6, "capture over an own piece"},
        {2, 4, 4, 2, "capture over an empty square"},
    };
    // Red's rules are black's turned half round: each refusal holds for both.
    for (const bool red : {false, true})
    {
        const CCheckerBoard black = Diagram(kRefusalPosition);
        const CCheckerBoard before = red ? Mirror(black) : black;
        for (const Refusal& m : refusals)
        {
            SCOPED_TRACE(std::string(red ? "red: " : "black: ") + m.why);
            CCheckerBoard board = before;
            const MoveResult result = red ? board.MoveRed(7 - m.fr, 7 - m.fc, 7 - m.tr, 7 - m.tc)
                                          : board.MoveBlack(m.fr, m.fc, m.tr, m.tc);
            EXPECT_EQ(result, MoveRefused);
            EXPECT_EQ(board, before);
        }
        CCheckerBoard board = before;
        EXPECT_EQ(red ? board.MoveBlack(5, 2, 4, 3) : board.MoveRed(3, 1, 1, 3), MoveRefused)
            << "the other side's capture on the wrong turn";
        EXPECT_EQ(board, before);
        EXPECT_EQ(red ? board.MoveRed(5, 3, 6, 2) : board.MoveBlack(2, 4, 1, 5), MoveTurnPassed)
            << "a king steps backward";
    }
}

TEST(CheckerBoard, CaptureIsCompulsoryForEveryPiece)
{
    const CCheckerBoard before = Diagram(R"(
        X _ X _ X _ X r
        _ X _ X _ X _ X
        X _ X _ X _ X _
        _ X _ X _ X _ X
        X _ X _ X r X _
        _ X b X b X _ X
        X _ X _ X _ X _
        _ X _ X _ X _ X)");
    CCheckerBoard board = before;
    EXPECT_TRUE(board.BlackHasJump());
    EXPECT_EQ(board.MoveBlack(2, 2, 3, 3), MoveRefused) << "another piece must capture";
    EXPECT_EQ(board.MoveBlack(2, 4, 3, 3), MoveRefused) << "the capturing piece must capture";
    EXPECT_EQ(board, before);
    EXPECT_EQ(board.MoveBlack(2, 4, 4, 6), MoveTurnPassed);
    EXPECT_EQ(board.m_cells[8 * 3 + 5], CCheckerBoard::Empty);
    EXPECT_EQ(board.m_cells[8 * 4 + 6], CCheckerBoard::BlackMan);

    CCheckerBoard red = Mirror(before);
    EXPECT_EQ(red.MoveRed(5, 5, 4, 4), MoveRefused);
    EXPECT_EQ(red.MoveRed(5, 3, 3, 1), MoveTurnPassed);
}

TEST(CheckerBoard, MultiJumpKeepsTheTurnUntilTheLastCapture)
{
    CCheckerBoard board = Diagram(R"(
        X _ X _ X _ X r
        _ X _ X _ X _ X
        X _ X _ X _ X _
        _ X _ X _ X _ X
        X _ X r X _ X _
        _ X _ X _ X _ X
        X r X _ X _ X _
        b X _ X _ X _ X)");
    EXPECT_EQ(board.MoveBlack(0, 0, 2, 2), MoveCaptureAgain);
    EXPECT_EQ(board.m_side, CCheckerBoard::BlackSide);
    EXPECT_EQ(BlackJumpList(board, 2, 2), (Squares{{4, 4}}));
    EXPECT_EQ(board.MoveBlack(2, 2, 4, 4), MoveTurnPassed);
    EXPECT_EQ(board.m_side, CCheckerBoard::RedSide);
    EXPECT_EQ(std::count(board.m_cells, board.m_cells + 64, CCheckerBoard::RedMan), 1);
}

TEST(CheckerBoard, ManCrownedMidCaptureGoesOnCapturingBackwardAsKing)
{
    const CCheckerBoard start = Diagram(R"(
        X _ X _ X _ X _
        _ X r X r X _ X
        X b X _ X _ X _
        _ X _ X _ X _ X
        X _ X _ X _ X r
        _ X _ X _ X _ X
        X _ X _ X _ X _
        _ X _ X _ X _ X)");
    CCheckerBoard board = start;
    EXPECT_EQ(board.MoveBlack(5, 1, 7, 3), MoveCaptureAgain);
    EXPECT_EQ(board.m_cells[8 * 7 + 3], CCheckerBoard::BlackKing);
    EXPECT_EQ(BlackJumpList(board, 7, 3), (Squares{{5, 5}}));
    EXPECT_EQ(board.MoveBlack(7, 3, 5, 5), MoveTurnPassed);
    EXPECT_EQ(board.m_cells[8 * 5 + 5], CCheckerBoard::BlackKing);
    EXPECT_EQ(board.m_cells[8 * 6 + 4], CCheckerBoard::Empty);

    CCheckerBoard red = Mirror(start);
    EXPECT_EQ(red.MoveRed(2, 6, 0, 4), MoveCaptureAgain);
    EXPECT_EQ(red.m_cells[8 * 0 + 4], CCheckerBoard::RedKing);
    EXPECT_EQ(red.MoveRed(0, 4, 2, 2), MoveTurnPassed);
}

TEST(CheckerBoard, CapturingTheLastPieceEndsTheGameWithTheCapturerToMove)
{
    CCheckerBoard board = Diagram(R"(
        X _ X _ X _ X _
        _ X _ X _ X _ X
        X _ X _ X _ X _
        _ X _ X _ X _ X
        X _ X r X _ X _
        _ X b X _ X _ X
        X _ X _ X _ X _
        _ X _ X _ X _ X)");
    EXPECT_EQ(board.MoveBlack(2, 2, 4, 4), MoveGameOver);
    EXPECT_EQ(board.m_side, CCheckerBoard::BlackSide);
    EXPECT_EQ(board.MoveBlack(4, 4, 5, 5), MoveGameOver) << "moves go on being accepted";
    EXPECT_EQ(board.m_side, CCheckerBoard::RedSide);
}

TEST(CheckerBoard, BlockingEveryEnemyPieceEndsTheGame)
{
    CCheckerBoard board = Diagram(R"(
        X _ X _ X _ X _
        _ X _ X _ X _ X
        X _ X _ X _ X _
        _ X _ X _ X _ X
        X _ X _ X _ X _
        _ X _ X _ X _ X
        X _ X _ X B X r
        _ X _ X _ X _ X)");
    EXPECT_EQ(board.MoveBlack(1, 5, 0, 6), MoveGameOver);
    EXPECT_EQ(board.m_side, CCheckerBoard::RedSide);
    EXPECT_FALSE(board.RedHasMove());
    EXPECT_TRUE(board.BlackHasMove());
}

TEST(CheckerBoard, StepLeavingTheMoverWithoutMoveEndsTheGame)
{
    CCheckerBoard board = Diagram(R"(
        X r X _ X _ X _
        _ X _ X _ X _ X
        X b X _ X _ X _
        _ X _ X _ X _ X
        X _ X _ X _ X _
        _ X _ X _ X _ X
        X _ X _ X _ X _
        _ X _ X _ X _ X)");
    EXPECT_EQ(board.MoveBlack(5, 1, 6, 0), MoveGameOver);
    EXPECT_EQ(board.m_side, CCheckerBoard::RedSide);
    EXPECT_FALSE(board.BlackHasMove());
    EXPECT_EQ(board.MoveRed(7, 1, 6, 2), MoveTurnPassed) << "red can still move";
}

TEST(CheckerBoard, ScansListCapturesFirstThenStepsInDirectionOrder)
{
    const CCheckerBoard start;
    EXPECT_EQ(BlackMoveList(start, 2, 2), (Squares{{3, 3}, {3, 1}}));
    EXPECT_EQ(RedMoveList(start, 5, 1), (Squares{{4, 0}, {4, 2}}));
    EXPECT_EQ(BlackMoveList(start, 0, 0), Squares{}) << "hemmed in";

    const CCheckerBoard surrounded = Diagram(R"(
        X _ X _ X _ X _
        _ X _ X _ X _ X
        X _ X _ X _ X _
        _ X r X r X _ X
        X _ X B X _ X _
        _ X r X r X _ X
        X _ X _ X _ X _
        _ X _ X _ X _ X)");
    EXPECT_EQ(BlackMoveList(surrounded, 3, 3), (Squares{{5, 5}, {5, 1}, {1, 5}, {1, 1}}));
    EXPECT_EQ(RedMoveList(Mirror(surrounded), 4, 4), (Squares{{2, 2}, {2, 6}, {6, 2}, {6, 6}}));

    const CCheckerBoard mixed = Diagram(R"(
        X _ X _ X _ X _
        _ X _ X _ X _ X
        X _ X _ X _ X _
        _ X _ X r X _ X
        X _ X B X _ X _
        _ X _ X _ X _ X
        X _ X _ X _ X _
        _ X _ X _ X _ X)");
    EXPECT_EQ(BlackMoveList(mixed, 3, 3), (Squares{{5, 5}, {4, 2}, {2, 4}, {2, 2}}));
    EXPECT_EQ(RedMoveList(Mirror(mixed), 4, 4), (Squares{{2, 2}, {3, 5}, {5, 3}, {5, 5}}));

    std::vector<int> both;
    EXPECT_TRUE(mixed.BlackMoves(3, 3, both, both)) << "one list passed twice";
    EXPECT_EQ(both.size(), 8u);
}

TEST(CheckerBoard, ScansOfSquaresWithoutOwnPieceFindNothing)
{
    const CCheckerBoard start;
    for (const auto& [r, c] : Squares{{-1, 0}, {0, 8}, {8, 8}, {5, 1}, {3, 1}, {0, 1}})
    {
        SCOPED_TRACE(testing::Message() << "(" << r << ", " << c << ")");
        std::vector<int> rows{1}, cols{1};
        EXPECT_FALSE(start.BlackMoves(r, c, rows, cols));
        EXPECT_TRUE(rows.empty() && cols.empty());
        rows = cols = {1};
        EXPECT_FALSE(start.BlackJumps(r, c, rows, cols));
        EXPECT_TRUE(rows.empty() && cols.empty());
    }
}

// Red's operations must be black's seen from the other side, in every
// position real play reaches: the scans, the answers and the moves.
TEST(CheckerBoard, RedRulesMirrorBlackRulesThroughRandomGames)
{
    std::mt19937 random(20240611);
    for (int game = 0; game < 20; ++game)
    {
        CCheckerBoard board;
        for (int ply = 0; ply < 300 && !board.IsGameOver(); ++ply)
        {
            const CCheckerBoard mirrored = Mirror(board);
            ASSERT_EQ(board.BlackHasJump(), mirrored.RedHasJump()) << board;
            ASSERT_EQ(board.RedHasMove(), mirrored.BlackHasMove()) << board;
            std::vector<std::pair<std::pair<int, int>, std::pair<int, int>>> moves;
            for (int r = 0; r < 8; ++r)
                for (int c = 0; c < 8; ++c)
                {
                    const Squares black = BlackMoveList(board, r, c);
                    Squares red = RedMoveList(mirrored, 7 - r, 7 - c);
                    for (auto& [tr, tc] : red)
                        std::tie(tr, tc) = std::pair(7 - tr, 7 - tc);
                    ASSERT_EQ(black, red) << board << "\nat (" << r << ", " << c << ")";
                    for (const auto& to : board.m_side == 0 ? black : RedMoveList(board, r, c))
                        moves.push_back({{r, c}, to});
                }
            // Play the first listed move, in random order, that is accepted.
            std::shuffle(moves.begin(), moves.end(), random);
            bool moved = false;
            for (const auto& [from, to] : moves)
            {
                CCheckerBoard other = Mirror(board);
                const MoveResult result = Play(board, from.first, from.second, to.first, to.second);
                ASSERT_EQ(Play(other, 7 - from.first, 7 - from.second, 7 - to.first, 7 - to.second),
                          result)
                    << board;
                ASSERT_EQ(Mirror(board), other);
                if (result != MoveRefused)
                {
                    moved = true;
                    break;
                }
            }
            ASSERT_TRUE(moved) << "a game that is not over has a legal move\n" << board;
        }
        board.Reset();
        EXPECT_EQ(board, CCheckerBoard());
    }
}
