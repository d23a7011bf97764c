// The analysis pane's words for a search: the expected line numbered as the
// game numbers its moves, wherever the game started, and the speed.

#include "record/AnalysisText.h"

#include <gtest/gtest.h>

#include "RecordTestSupport.h"
#include "record/Review.h"

namespace
{
std::vector<NotatedMove> Moves(std::initializer_list<const char*> texts)
{
    std::vector<NotatedMove> moves;
    for (const char* text : texts)
        moves.push_back(ParseMove(text).value());
    return moves;
}
} // namespace

TEST(AnalysisText, TheExpectedLineIsNumberedAsTheGamesOwnMoves)
{
    constexpr std::int32_t B = CCheckerBoard::BlackSide, R = CCheckerBoard::RedSide;
    EXPECT_EQ(NumberedLine(6, B, Moves({"3-7", "22-18", "15x22"})), "6. 3-7 22-18 7. 15x22");
    EXPECT_EQ(NumberedLine(6, R, Moves({"22-18", "15x22", "26x17x10x3"})),
              "6... 22-18 7. 15x22 26x17x10x3");
    EXPECT_EQ(NumberedLine(1, B, {}), "");

    // The number of the next move: up by one after each of red's moves,
    // as PDN counts them, from a game set up with red to move too.
    const CGameRecord opening = GameOf("", {"11-15", "23-19", "8-11"});
    EXPECT_EQ(NextMoveNumber(opening.History()), 2);
    EXPECT_EQ(NextMoveNumber(GameOf("", {}).History()), 1);
    const CGameRecord redFirst = GameOf("W:W21,22:B1,2", {"22-18", "1-6", "18-14"});
    EXPECT_EQ(NextMoveNumber(redFirst.History()), 3);
    EXPECT_EQ(NextMoveNumber(std::vector<CCheckerBoard>{}), 1);
}

TEST(AnalysisText, SpeedReadsInMillionsThousandsOrPositions)
{
    EXPECT_EQ(SpeedText(5'640'000), "5.6 million positions a second");
    EXPECT_EQ(SpeedText(999'500), "1.0 million positions a second");
    EXPECT_EQ(SpeedText(999'499), "999 thousand positions a second");
    EXPECT_EQ(SpeedText(950), "950 positions a second");
}

TEST(Review, TheGraphsScaleClampsScoresAndPutsProvedResultsAtItsEnds)
{
    EXPECT_EQ(ReviewScale(Evaluation::Score(-35)), -35);
    EXPECT_EQ(ReviewScale(Evaluation::Score(1200)), kReviewRange);
    EXPECT_EQ(ReviewScale(Evaluation::Wins(CCheckerBoard::RedSide, 12)), -kReviewRange);
    EXPECT_EQ(ReviewScale(Evaluation::Wins(CCheckerBoard::BlackSide, 0)), kReviewRange);
}
