#include "engine/EndgameSolver.h"

#include <algorithm>
#include <chrono>
#include <stdexcept>

#include "engine/EndgameCheck.h"
#include "engine/MoveGen.h"

using namespace bitboard;

namespace
{
using Clock = std::chrono::steady_clock;

// What one slice of the pair knows while it is being solved.
struct Work
{
    explicit Work(const EndgameMaterial& material) : slice(material)
    {
        const std::size_t size = slice.Size();
        code.assign(size, endgamecode::kDraw); // a draw is what is never decided
        pending.assign(size, 0);
        exitWin.assign(size, 0);
        exitLoss.assign(size, 0);
        exitDraw.assign(size, 0);
    }

    CEndgameSlice slice;
    std::vector<endgamecode::Code> code;
    std::vector<std::uint8_t> pending;   // moves inside the pair not yet decided
    std::vector<std::uint16_t> exitWin;  // quickest win by a move out of the pair, 0 none
    std::vector<std::uint16_t> exitLoss; // slowest loss by a move out of the pair, 0 none
    std::vector<std::uint8_t> exitDraw;  // a move out of the pair draws
};

// A position waiting for its level: which slice, its number, whether it is
// lost (else won), and whether its code is already written.
struct Queued
{
    std::uint32_t index;
    std::uint8_t work;
    bool loss;
    bool written;
};

class CPairSolver
{
public:
    CPairSolver(const CEndgameTable& table, const EndgameMaterial& material) : m_table(table)
    {
        m_works.emplace_back(material);
        if (!(material.Swapped() == material))
            m_works.emplace_back(material.Swapped());
        for (const Work& work : m_works)
            if (work.slice.Size() >= (std::uint64_t{1} << 32))
                throw std::runtime_error("slice " + MaterialText(material) + " is too large");
    }

    void Solve()
    {
        for (std::size_t w = 0; w < m_works.size(); ++w)
            for (std::uint64_t i = 0; i < m_works[w].slice.Size(); ++i)
                Start(static_cast<std::uint8_t>(w), static_cast<std::uint32_t>(i));
        for (std::size_t level = 0; level < m_levels.size(); ++level)
            // Entries go only to later levels, but those may be appended,
            // so the level is found again for every entry.
            for (std::size_t i = 0; i < m_levels[level].size(); ++i)
                Settle(m_levels[level][i], static_cast<int>(level));
    }

    std::vector<Work>& Works() { return m_works; }

private:
    void Queue(int level, const Queued& entry)
    {
        if (level > endgamecode::kMaxPlies)
            throw std::runtime_error("a win longer than " + std::to_string(endgamecode::kMaxPlies) +
                                     " plies in slice " +
                                     MaterialText(m_works[entry.work].slice.Material()));
        if (m_levels.size() <= static_cast<std::size_t>(level))
            m_levels.resize(static_cast<std::size_t>(level) + 1);
        m_levels[static_cast<std::size_t>(level)].push_back(entry);
    }

    // Looks at every move of one position: moves that stay inside the pair
    // are counted, the others are judged at once from the table.
    void Start(std::uint8_t w, std::uint32_t index)
    {
        Work& work = m_works[w];
        const CPosition position = work.slice.PositionAt(index);
        if (!position.HasMove(CPosition::Black) || !position.HasMove(CPosition::Red))
        {
            // Over: the side without a move loses, the side to move when
            // neither has one (the last move was a step).
            Queue(0, {index, w, !position.HasMove(CPosition::Black), false});
            return;
        }
        GenerateMoves(position, m_moves);
        int pending = 0, exitWin = 0, exitLoss = 0;
        bool exitDraw = false;
        for (int i = 0; i < m_moves.Size(); ++i)
        {
            const EngineMove& move = m_moves[i];
            if (!move.IsCapture() && !move.crowns)
            {
                ++pending;
                continue;
            }
            const EndgameValue value = ValueOfMove(m_table, position, move);
            if (value.outcome == EndgameValue::Outcome::Unknown || value.plies < 0)
                throw std::runtime_error(
                    "slice " + MaterialText(MaterialOf(Canonical(position.After(move)))) +
                    " must be solved before " + MaterialText(work.slice.Material()));
            if (value.outcome == EndgameValue::Outcome::Draw)
                exitDraw = true;
            else if (value.outcome == EndgameValue::Outcome::Loss)
                exitLoss = std::max(exitLoss, value.plies);
            else
                exitWin = exitWin ? std::min(exitWin, value.plies) : value.plies;
        }
        work.pending[index] = static_cast<std::uint8_t>(pending);
        work.exitWin[index] = static_cast<std::uint16_t>(exitWin);
        work.exitLoss[index] = static_cast<std::uint16_t>(exitLoss);
        work.exitDraw[index] = exitDraw;
        if (exitWin)
            Queue(exitWin, {index, w, false, false});
        else if (pending == 0 && !exitDraw)
            Queue(exitLoss, {index, w, true, false});
    }

    // Gives a position its value at `level` (unless it has a quicker one)
    // and tells every position one step before it.
    void Settle(const Queued entry, int level)
    {
        Work& work = m_works[entry.work];
        if (!entry.written)
        {
            if (work.code[entry.index] != endgamecode::kDraw)
                return;
            work.code[entry.index] =
                entry.loss ? endgamecode::Loss(level) : endgamecode::Win(level);
        }
        const auto back = static_cast<std::uint8_t>(m_works.size() == 1 ? 0 : entry.work ^ 1);
        Work& previous = m_works[back];
        const CPosition position = work.slice.PositionAt(entry.index);
        const Mask empty = position.Empty();
        // Red made the last move: a step, neither a capture nor a crowning
        // (those lead here from other slices).
        for (Mask pieces = position.m_red; pieces; pieces &= pieces - 1)
        {
            const int to = Lowest(pieces);
            const bool king = position.m_kings & Bit(to);
            for (int dir = 0; dir < 4; ++dir)
            {
                // Red men step towards row 0, so they came from a row above.
                if (!king && dir != kBlackForward[0] && dir != kBlackForward[1])
                    continue;
                const int from = Step(dir, to);
                if (from < 0 || !(empty & Bit(from)))
                    continue;
                CPosition before = position;
                before.m_red ^= Bit(to) | Bit(from);
                if (king)
                    before.m_kings ^= Bit(to) | Bit(from);
                before.m_side = CPosition::Red;
                // A step is no move while a capture is there, and after
                // the game is over there is no move at all.
                if (before.HasCapture(CPosition::Red) || !before.HasMove(CPosition::Black))
                    continue;
                const std::uint32_t index =
                    static_cast<std::uint32_t>(*previous.slice.IndexOf(Canonical(before)));
                if (previous.code[index] != endgamecode::kDraw)
                    continue;
                if (entry.loss)
                {
                    // A win out of the pair as quick, or quicker and still
                    // waiting further down this level, settles it itself.
                    const int exitWin = previous.exitWin[index];
                    if (exitWin && exitWin <= level + 1)
                        continue;
                    previous.code[index] = endgamecode::Win(level + 1);
                    Queue(level + 1, {index, back, false, true});
                }
                else if (--previous.pending[index] == 0 && !previous.exitWin[index] &&
                         !previous.exitDraw[index])
                    Queue(std::max(level + 1, int{previous.exitLoss[index]}),
                          {index, back, true, false});
            }
        }
    }

    const CEndgameTable& m_table;
    std::vector<Work> m_works;
    std::vector<std::vector<Queued>> m_levels;
    CMoveList m_moves;
};
} // namespace

void CEndgameSolver::SolvePair(const EndgameMaterial& material,
                               const std::function<void(const EndgameSliceReport&)>& onSlice)
{
    const Clock::time_point start = Clock::now();
    CPairSolver solver(m_table, material);
    solver.Solve();
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    for (Work& work : solver.Works())
    {
        EndgameSliceReport report;
        report.material = work.slice.Material();
        report.positions = work.slice.Size();
        report.seconds = seconds;
        for (const endgamecode::Code code : work.code)
        {
            const EndgameValue value = endgamecode::Decode(code);
            report.wins += value.outcome == EndgameValue::Outcome::Win;
            report.losses += value.outcome == EndgameValue::Outcome::Loss;
            report.draws += value.outcome == EndgameValue::Outcome::Draw;
            report.longestPlies = std::max(report.longestPlies, value.plies);
        }
        m_table.Add(report.material, work.code);
        if (onSlice)
            onSlice(report);
    }
}

void CEndgameSolver::SolveUpTo(int pieces,
                               const std::function<void(const EndgameSliceReport&)>& onSlice)
{
    // Captures lead to fewer pieces and crownings to fewer men: by pieces,
    // then by men, every successor comes first.
    for (int total = 2; total <= std::min(pieces, CEndgameTable::kMaxPieces); ++total)
        for (const EndgameMaterial& material : MaterialsOf(total))
            if (!m_table.Has(material))
                SolvePair(material, onSlice);
}
