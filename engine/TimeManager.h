#pragma once
// How long one search may think: a fixed time for the move, or a share of
// a game clock. Two limits come out: a soft one that decides whether
// another iteration is worth starting, and a hard one that cuts a running
// iteration (whose best move so far is safe to play). Neither ever passes
// the move's time or the clock, less a margin for handing the answer over.

#include "engine/SearchTypes.h"

class CTimeManager
{
public:
    // `legalMoves` and `pieces` describe the root: a forced move gets next
    // to nothing, the middle game more than the opening or a bare ending.
    void Start(const SearchLimits& limits, int legalMoves, int pieces);

    bool HasDeadline() const { return m_hardMs > 0; }
    // Milliseconds from the start after which the search must answer.
    int HardMs() const { return m_hardMs; }
    int SoftMs() const { return m_softMs; }

    // Told after every finished iteration: how long it took, its score and
    // whether its best move differs from the iteration before.
    void NoteIteration(int iterationMs, int score, bool bestMoveChanged);
    // Whether an iteration started `elapsedMs` after the start has a fair
    // chance to finish, or is worth starting anyway because the position
    // looks unsettled.
    bool StartAnother(int elapsedMs) const;

private:
    bool m_fixed = false; // a fixed time for the move, not a clock
    int m_softMs = 0;
    int m_hardMs = 0;
    // From the iterations so far.
    int m_iterations = 0;
    int m_lastMs = 0;
    double m_growth = 2.0; // how much longer each iteration takes than the one before
    int m_lastScore = 0;
    int m_stableIterations = 0; // the best move unchanged for this many
    double m_worry = 1.0;       // above 1 when the score fell or the move changed
};
