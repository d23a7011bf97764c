#include "tools/match/MatchStats.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace
{
constexpr double kZ95 = 1.959963984540054;

std::string Format(const char* format, double a, double b = 0, double c = 0)
{
    char text[128];
    std::snprintf(text, sizeof text, format, a, b, c);
    return text;
}
} // namespace

double MatchTally::Score() const
{
    return Games() ? (wins + 0.5 * draws) / Games() : 0.5;
}

double MatchTally::Variance() const
{
    if (!Games())
        return 0;
    const double s = Score();
    return (wins * (1 - s) * (1 - s) + draws * (0.5 - s) * (0.5 - s) + losses * s * s) / Games();
}

double EloFromScore(double score)
{
    if (score <= 0)
        return -std::numeric_limits<double>::infinity();
    if (score >= 1)
        return std::numeric_limits<double>::infinity();
    return -400 * std::log10(1 / score - 1);
}

double ScoreFromElo(double elo)
{
    return 1 / (1 + std::pow(10.0, -elo / 400));
}

EloEstimate EstimateElo(const MatchTally& tally)
{
    EloEstimate estimate;
    const int n = tally.Games();
    if (n == 0)
        return estimate;
    const double s = tally.Score();
    estimate.elo = EloFromScore(s);
    if (!std::isfinite(estimate.elo))
        return estimate;
    const double spread = kZ95 * std::sqrt(tally.Variance() / n);
    const double low = EloFromScore(s - spread), high = EloFromScore(s + spread);
    // Near 0% or 100% one end runs off; the other end still says something.
    if (std::isfinite(low) && std::isfinite(high))
        estimate.margin = (high - low) / 2;
    else
        estimate.margin = std::isfinite(low) ? estimate.elo - low : high - estimate.elo;
    return estimate;
}

SprtState TestSprt(const MatchTally& tally, const SprtSettings& settings)
{
    SprtState state;
    state.lower = std::log(settings.beta / (1 - settings.alpha));
    state.upper = std::log((1 - settings.beta) / settings.alpha);
    const double variance = tally.Variance();
    if (tally.Games() == 0 || variance <= 0)
        return state;
    const double s0 = ScoreFromElo(settings.elo0), s1 = ScoreFromElo(settings.elo1);
    state.llr = tally.Games() * (s1 - s0) * (2 * tally.Score() - s0 - s1) / (2 * variance);
    if (state.llr >= state.upper)
        state.verdict = SprtVerdict::AcceptElo1;
    else if (state.llr <= state.lower)
        state.verdict = SprtVerdict::AcceptElo0;
    return state;
}

std::string DescribeScore(const MatchTally& tally)
{
    const EloEstimate estimate = EstimateElo(tally);
    std::string text = Format("score %.1f%%, Elo ", 100 * tally.Score());
    if (!std::isfinite(estimate.elo))
        return text + (estimate.elo > 0 ? "+inf" : "-inf");
    return text + Format("%+.1f \u00b1 %.1f (95%%)", estimate.elo, estimate.margin);
}

std::string DescribeSprt(const SprtState& state, const SprtSettings& settings)
{
    std::string text = Format("LLR %.2f (%.2f, %.2f)", state.llr, state.lower, state.upper);
    switch (state.verdict)
    {
    case SprtVerdict::AcceptElo0:
        return text + Format(": elo0 (%+g) accepted", settings.elo0);
    case SprtVerdict::AcceptElo1:
        return text + Format(": elo1 (%+g) accepted", settings.elo1);
    case SprtVerdict::Continue:
        break;
    }
    return text + ": undecided";
}
