#pragma once
// What a match's results say: the score, its Elo difference with a 95%
// margin, and the sequential probability ratio test that stops a match as
// soon as it can tell one of two Elo differences from the other.

#include <string>

struct MatchTally
{
    int wins = 0;
    int losses = 0;
    int draws = 0;

    int Games() const { return wins + losses + draws; }
    // Points a game, 0..1; 0.5 before any game.
    double Score() const;
    // The variance of one game's points around Score().
    double Variance() const;
};

struct EloEstimate
{
    double elo = 0;    // of the first player against the second
    double margin = 0; // half the width of the 95% interval, in Elo
};

// The Elo difference that makes `score` the expected points a game.
// Infinite at 0 or 1.
double EloFromScore(double score);
double ScoreFromElo(double elo);

// The estimate from the tally by the normal approximation; a tally of all
// wins, all losses or no games has an infinite or no margin, given as 0
// with elo ±infinity or 0.
EloEstimate EstimateElo(const MatchTally& tally);

struct SprtSettings
{
    double elo0 = 0;     // the difference to tell from...
    double elo1 = 5;     // ...this one
    double alpha = 0.05; // chance of accepting elo1 when elo0 holds
    double beta = 0.05;  // chance of accepting elo0 when elo1 holds
};

enum class SprtVerdict
{
    Continue,
    AcceptElo0,
    AcceptElo1,
};

struct SprtState
{
    double llr = 0;   // log-likelihood ratio of elo1 against elo0
    double lower = 0; // accept elo0 at or below
    double upper = 0; // accept elo1 at or above
    SprtVerdict verdict = SprtVerdict::Continue;
};

// The generalised SPRT's log-likelihood ratio in the normal approximation
// (points a game as the statistic). Before both a win and a non-win have
// been seen nothing is decided.
SprtState TestSprt(const MatchTally& tally, const SprtSettings& settings);

// "score 62.5%, Elo +88.7 ± 34.1 (95%)".
std::string DescribeScore(const MatchTally& tally);
// "LLR 2.96 (-2.94, 2.94): elo1 (+5) accepted".
std::string DescribeSprt(const SprtState& state, const SprtSettings& settings);
