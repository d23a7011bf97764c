#include "engine/Perft.h"

#include <vector>

#include "engine/MoveGen.h"

namespace
{
struct Counter
{
    std::vector<CMoveList> lists; // one per ply, so nothing is allocated per node
    std::uint64_t budget;
    std::uint64_t expanded = 0;
};

// False when the budget ran out.
bool Count(Counter& counter, const CPosition& position, int depth, std::uint64_t& total)
{
    if (depth == 0)
    {
        ++total;
        return true;
    }
    if (counter.budget && ++counter.expanded > counter.budget)
        return false;
    // The side to move may have moves while the other has none: over too.
    if (!position.HasMove(position.m_side ^ 1))
        return true;
    CMoveList& list = counter.lists[depth];
    GenerateMoves(position, list);
    if (depth == 1)
    {
        total += static_cast<std::uint64_t>(list.Size());
        return true;
    }
    for (int i = 0; i < list.Size(); ++i)
        if (!Count(counter, position.After(list[i]), depth - 1, total))
            return false;
    return true;
}
} // namespace

std::optional<std::uint64_t> Perft(const CPosition& position, int depth, std::uint64_t nodeBudget)
{
    if (depth < 0 || depth > kMaxPerftDepth)
        return std::nullopt;
    Counter counter{std::vector<CMoveList>(static_cast<std::size_t>(depth) + 1), nodeBudget};
    std::uint64_t total = 0;
    if (!Count(counter, position, depth, total))
        return std::nullopt;
    return total;
}
