#include "tools/match/MatchStats.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(MatchStats, EloAndItsMarginFollowTheScore)
{
    EXPECT_NEAR(EloFromScore(0.75), 190.85, 0.01);
    EXPECT_NEAR(EloFromScore(0.25), -190.85, 0.01);
    EXPECT_DOUBLE_EQ(EloFromScore(0.5), 0);
    EXPECT_NEAR(ScoreFromElo(EloFromScore(0.8)), 0.8, 1e-12);
    EXPECT_TRUE(std::isinf(EloFromScore(1)) && EloFromScore(1) > 0);

    // 60 wins, 20 losses, 20 draws: 70%, the per-game variance 0.16.
    const MatchTally tally{.wins = 60, .losses = 20, .draws = 20};
    EXPECT_DOUBLE_EQ(tally.Score(), 0.7);
    EXPECT_NEAR(tally.Variance(), 0.16, 1e-12);
    const EloEstimate estimate = EstimateElo(tally);
    EXPECT_NEAR(estimate.elo, 147.19, 0.01);
    // 0.7 ± 1.96 * 0.04 in score, halved in Elo.
    const double spread = 1.959963984540054 * 0.04;
    EXPECT_NEAR(estimate.margin, (EloFromScore(0.7 + spread) - EloFromScore(0.7 - spread)) / 2,
                1e-9);
    EXPECT_EQ(DescribeScore(tally), "score 70.0%, Elo +147.2 \u00b1 " +
                                        std::to_string(estimate.margin).substr(0, 4) + " (95%)");
    // More games of the same kind narrow the margin by the square root.
    const MatchTally four{.wins = 240, .losses = 80, .draws = 80};
    EXPECT_NEAR(EstimateElo(four).margin, estimate.margin / 2, 1.0);
    // A clean sweep has no finite estimate; no games no estimate at all.
    EXPECT_EQ(DescribeScore({.wins = 3}), "score 100.0%, Elo +inf");
    EXPECT_EQ(EstimateElo({}).elo, 0);
}

TEST(MatchStats, SequentialTestDecidesOnlyWhenTheEvidenceIsClear)
{
    const SprtSettings settings{.elo0 = 0, .elo1 = 20};
    // Bounds from the error rates: log(0.05 / 0.95) and log(0.95 / 0.05).
    const SprtState start = TestSprt({}, settings);
    EXPECT_NEAR(start.lower, -2.944, 0.001);
    EXPECT_NEAR(start.upper, 2.944, 0.001);
    EXPECT_EQ(start.verdict, SprtVerdict::Continue);

    // A few games prove nothing either way.
    EXPECT_EQ(TestSprt({.wins = 3, .losses = 2, .draws = 1}, settings).verdict,
              SprtVerdict::Continue);
    // A large clearly better result accepts elo1, an even one elo0.
    EXPECT_EQ(TestSprt({.wins = 400, .losses = 200, .draws = 400}, settings).verdict,
              SprtVerdict::AcceptElo1);
    EXPECT_EQ(TestSprt({.wins = 600, .losses = 600, .draws = 800}, settings).verdict,
              SprtVerdict::AcceptElo0);
    // The ratio grows with the evidence: halfway between the hypotheses it is zero.
    const double halfway = ScoreFromElo(10);
    const MatchTally middle{.wins = static_cast<int>(std::lround(1000 * halfway)),
                            .losses = 1000 - static_cast<int>(std::lround(1000 * halfway))};
    EXPECT_NEAR(TestSprt(middle, settings).llr, 0, 0.2);

    SprtState accepted = TestSprt({.wins = 400, .losses = 200, .draws = 400}, settings);
    EXPECT_EQ(DescribeSprt(accepted, settings).substr(DescribeSprt(accepted, settings).find(':')),
              ": elo1 (+20) accepted");
}
