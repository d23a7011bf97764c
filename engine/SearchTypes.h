#pragma once
// What a search is asked to do and what it reports: the values the game and
// the protocol hand to CSearch and get back.

#include <cstdint>
#include <vector>

#include "notation/NotatedMove.h"

enum class EngineLevel
{
    Beginner,     // a shallow look that now and then settles for a worse move
    Intermediate, // a quarter of a second a move, at most ten plies deep
    Expert,       // a second a move, full strength
};

constexpr EngineLevel kDefaultLevel = EngineLevel::Intermediate;

// The deepest a search goes, in plies from the root.
constexpr int kMaxPly = 128;
// Scores are hundredths of a man, except kWinScore - n: a game won n plies
// from the root (negated: lost), for any n up to kMaxPly.
constexpr int kWinScore = 30000;

// Limits of every kind may be combined; the search ends at the first one
// reached. With none at all it goes on until stopped (analysis), or until
// it has proven the game's result.
struct SearchLimits
{
    int depth = 0;           // plies; 0 = no limit of that kind
    int timeMs = 0;          // for this move; 0 = no limit of that kind
    std::uint64_t nodes = 0; // positions visited; 0 = no limit of that kind
    // The searching side's game clock: its time left and what it gains
    // after each move. With clockMs above 0 the search shares the clock
    // out itself (more in the middle game, less for a forced or obvious
    // move, never so much that the clock runs out) and timeMs is ignored.
    int clockMs = 0;
    int incrementMs = 0;
    // Moves to make before the clock is next topped up; 0 = the clock must
    // last the rest of the game.
    int movesToGo = 0;
    // When above 0, the move is drawn at random among those scoring within
    // this many hundredths of a man of the best, from `seed` and the position
    // (the same seed and position draw the same move).
    int randomMargin = 0;
    std::uint64_t seed = 0;
    // From 0 up: a position in the opening book is answered from it at
    // once, with a move drawn (from `seed` and the position) among those
    // within this many hundredths of a man of the book's best.
    int bookMargin = -1;
};

// The book margin the levels that use the book play with.
constexpr int kBookMargin = 8;

// The limits that make up a level; `seed` feeds Beginner's choices.
SearchLimits LimitsForLevel(EngineLevel level, std::uint64_t seed);

// The level on a game clock of `clockMs` left, gaining `incrementMs` a move:
// the clock is shared out instead of the level's time a move, while the
// level's depth limit, randomness and book stay as they are.
SearchLimits LimitsOnClock(EngineLevel level, std::uint64_t seed, int clockMs, int incrementMs);

// A short, plain look at the level's depth (no book, no randomness): enough
// to judge a position, as when a draw is offered.
constexpr int kJudgingTimeMs = 300;
SearchLimits LimitsForJudging(EngineLevel level);

// A side that scores a position at most this many hundredths of a man for
// itself counts it as level: a quarter of a man is within what a shallow
// look (a short search on a busy machine) gives a dead level position, and
// a search that sees a real edge, a man or a king ahead, scores far above.
constexpr int kLevelMargin = 25;

// True when a search's figures for a side, `score` and `winMoves` from that
// side (as SearchInfo gives them for the side to move), say it cannot hope
// to win: no forced win and a score no better than level. The computer then
// claims a draw it may claim, and takes one offered.
bool CannotWin(int score, int winMoves);

struct SearchInfo
{
    int depth = 0; // of the last finished iteration
    int score = 0; // hundredths of a man, from the searching side
    // A forced result found: > 0 a win, < 0 a loss, in that many moves of
    // the side concerned; 0 when none (then `score` is an estimate).
    int winMoves = 0;
    std::uint64_t nodes = 0;
    int timeMs = 0;
    std::uint64_t nodesPerSecond = 0; // nodes over time; 0 before a millisecond has passed
    std::vector<NotatedMove> pv;
};

struct SearchResult
{
    bool hasMove = false; // false only when the game is over
    NotatedMove move;
    SearchInfo info;
};
