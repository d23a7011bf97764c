#include "record/Review.h"

#include <gtest/gtest.h>

#include "RecordTestSupport.h"
#include "record/Pdn.h"

namespace
{
constexpr std::int32_t B = CCheckerBoard::BlackSide, R = CCheckerBoard::RedSide;

Evaluation S(int hundredths)
{
    return Evaluation::Score(hundredths);
}
Evaluation BlackWins(int moves)
{
    return Evaluation::Wins(B, moves);
}
Evaluation RedWins(int moves)
{
    return Evaluation::Wins(R, moves);
}
} // namespace

TEST(Review, MarksMovesByTheValueTheyCostTheirSide)
{
    const struct
    {
        std::int32_t mover;
        Evaluation before, after;
        const char* mark;
    } cases[] = {
        {B, S(20), S(-29), ""},
        {B, S(20), S(-30), "?"},  // half a man
        {B, S(20), S(-80), "??"}, // a man
        {R, S(20), S(70), "?"},   // red's loss is black's gain
        {B, S(-150), S(0), ""},
        // Past three men the game is decided: no nagging.
        {B, S(600), S(350), ""},
        {R, S(-900), S(-320), ""},
        // Turned into a proved loss: a blunder, however small the score was.
        {B, S(40), RedWins(20), "??"},
        // Already lost: nothing to lose.
        {R, BlackWins(2), S(-100), ""},
        // A proved win kept, however slowly, is no mistake; thrown away, it
        // costs what it was worth over what is left.
        {B, BlackWins(9), BlackWins(12), ""},
        {B, BlackWins(9), S(240), "?"},
        {R, RedWins(4), S(-100), "??"},
    };
    for (const auto& c : cases)
    {
        const Evaluation positions[] = {c.before, c.after};
        const auto reviewed = ReviewMoves(positions, std::vector<std::int32_t>{c.mover, B});
        ASSERT_EQ(reviewed.size(), 1u);
        EXPECT_EQ(reviewed[0].evaluation, c.after);
        EXPECT_EQ(reviewed[0].mark, c.mark) << c.mover << ": " << ShortEvaluationText(c.before)
                                            << " to " << ShortEvaluationText(c.after);
    }
}

TEST(Review, AKnownBlunderIsMarkedInTheRecordAndItsPdnAndASecondReviewLeavesNoStaleMark)
{
    // Black's 3-7 loses two men to 22-18 15x22 26x17x10x3.
    CGameRecord game = GameOf("", {"12-16", "24-20", "8-12", "21-17", "9-14", "25-21", "10-15",
                                   "17x10", "7x14", "28-24", "3-7", "22-18"});
    game.SetNote(3, {"?", "an annotator's doubt", std::nullopt});
    game.SetNote(4, {"!", "", std::nullopt});
    std::vector<Evaluation> positions(13, S(-5));
    positions[11] = S(-310);
    positions[12] = S(-320);
    AttachReview(game, positions);
    for (std::size_t i = 0; i < game.Place(); ++i)
    {
        EXPECT_EQ(game.Note(i).evaluation, positions[i + 1]) << i;
        EXPECT_EQ(game.Note(i).mark, i == 10 ? "??" : i == 4 ? "!" : "") << i;
    }
    EXPECT_EQ(game.Note(3).comment, "an annotator's doubt");
    EXPECT_NE(WritePdn(game, PdnTags()).find("6. 3-7?? {-3.10} 22-18 {-3.20} *"),
              std::string::npos);

    AttachReview(game, std::vector<Evaluation>(13, S(0)));
    EXPECT_EQ(game.Note(10).mark, "");
    EXPECT_EQ(game.Note(4).mark, "!");
}

TEST(Evaluation, ReadsInWordsAndShortFormsFromBlacksSide)
{
    const struct
    {
        Evaluation evaluation;
        const char* words;
        const char* brief;
    } cases[] = {
        {S(0), "0.00: the game is level", "0.00"},
        {S(-19), "-0.19: the game is level", "-0.19"},
        {S(35), "+0.35: black is a little better", "+0.35"},
        {S(-50), "-0.50: red is better", "-0.50"},
        {S(199), "+1.99: black is much better", "+1.99"},
        {S(-1205), "-12.05: red is winning", "-12.05"},
        {RedWins(12), "Red wins in 12 moves", "-#12"},
        {BlackWins(1), "Black wins in 1 move", "+#1"},
        {BlackWins(0), "Black has won", "+#0"},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(EvaluationText(c.evaluation), c.words);
        EXPECT_EQ(ShortEvaluationText(c.evaluation), c.brief);
        EXPECT_EQ(ParseShortEvaluation(c.brief), c.evaluation) << c.brief;
    }
    EXPECT_EQ(ParseShortEvaluation("-0.00"), S(0));
    for (const char* words :
         {" 1.50", "1.5", "+1.500", "#3", "+#", "+#12345", "12345.00", "+ 1.00", ".50"})
        EXPECT_FALSE(ParseShortEvaluation(words)) << words;

    // A search's figures are from the side to move.
    EXPECT_EQ(EvaluationFromSideToMove(R, 35, 0), S(-35));
    EXPECT_EQ(EvaluationFromSideToMove(R, 0, -4), BlackWins(4));
    EXPECT_EQ(EvaluationFromSideToMove(B, 0, -4), RedWins(4));
    EXPECT_EQ(EvaluationOfEnd(GameOf("W:W18:B14", {"18x9"}).Board()), RedWins(0));
}
