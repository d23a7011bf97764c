#include "engine/TimeManager.h"

#include <algorithm>

namespace
{
// Answers must cross a pipe and a busy scheduler before the time is up:
// on two loaded cores that took up to 5 ms, so short budgets keep a few
// milliseconds whatever their size, as long as half the time is left.
int HandOverMarginMs(int budgetMs)
{
    return std::clamp(budgetMs / 20, std::clamp(budgetMs / 2, 1, 8), 50);
}

// Moves a side is still likely to make, judged by what is left on the
// board: long games of kings last longer than the men's count suggests,
// so the estimate never drops below a floor.
int ExpectedMovesLeft(int pieces)
{
    return std::max(24, 14 + pieces);
}

// The middle game decides most games; the first moves and the bare
// endings get less.
double PhaseWeight(int pieces)
{
    if (pieces >= 22)
        return 0.7;
    if (pieces >= 8)
        return 1.25;
    return 0.9;
}
} // namespace

void CTimeManager::Start(const SearchLimits& limits, int legalMoves, int pieces)
{
    *this = CTimeManager{};
    if (limits.clockMs > 0)
    {
        const int usable = limits.clockMs - std::min(50, limits.clockMs / 5);
        const int movesLeft = limits.movesToGo > 0
                                  ? std::min(limits.movesToGo, ExpectedMovesLeft(pieces))
                                  : ExpectedMovesLeft(pieces);
        double soft = PhaseWeight(pieces) * usable / movesLeft + 0.75 * limits.incrementMs;
        soft = std::min(soft, 0.5 * usable);
        m_softMs = std::max(1, static_cast<int>(soft));
        m_hardMs = std::max(1, std::min(4 * m_softMs, usable * 3 / 5));
    }
    else if (limits.timeMs > 0)
    {
        m_fixed = true;
        m_hardMs = std::max(1, limits.timeMs - HandOverMarginMs(limits.timeMs));
        m_softMs = m_hardMs;
    }
    // A forced move needs a score, not thought.
    if (legalMoves == 1 && HasDeadline())
    {
        m_fixed = false;
        m_softMs = std::min(m_softMs, 10);
        m_hardMs = std::min(m_hardMs, std::max(m_softMs, 50));
    }
}

void CTimeManager::NoteIteration(int iterationMs, int score, bool bestMoveChanged)
{
    if (m_iterations >= 1 && m_lastMs >= 5)
        m_growth = std::clamp(static_cast<double>(iterationMs) / m_lastMs, 1.2, 4.0);
    m_stableIterations = bestMoveChanged ? 0 : m_stableIterations + 1;
    m_worry = 1.0;
    if (m_iterations >= 1)
    {
        const int drop = m_lastScore - score;
        if (drop > 20)
            m_worry += std::min(1.0, drop / 60.0);
        if (bestMoveChanged)
            m_worry += 0.4;
    }
    if (m_stableIterations >= 8)
        m_worry *= 0.6; // the same answer for long: an obvious move
    m_lastMs = iterationMs;
    m_lastScore = score;
    ++m_iterations;
}

bool CTimeManager::StartAnother(int elapsedMs) const
{
    if (!HasDeadline())
        return true;
    // The next iteration should take about the last one times the growth;
    // starting is fair when at least half of it fits. With a fixed time
    // for the move nothing is saved by stopping early, so only that counts.
    const double expected = m_lastMs * m_growth;
    if (elapsedMs + 0.5 * expected > m_hardMs)
        return false;
    return m_fixed || elapsedMs < m_softMs * m_worry;
}
