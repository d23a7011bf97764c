#include "engine/EndgameProgress.h"

#include <algorithm>
#include <cstdlib>

using namespace bitboard;

int EndgameProgress(const CPosition& position, int winner)
{
    const Mask mine = position.Pieces(winner);
    const Mask theirs = position.Pieces(winner ^ 1);
    int progress = -100 * Count(theirs);
    for (Mask men = mine & ~position.m_kings; men; men &= men - 1)
    {
        const int row = RowOf(Lowest(men));
        progress += 6 * (winner == CPosition::Black ? row : 7 - row);
    }
    for (Mask kings = mine & position.m_kings; kings; kings &= kings - 1)
    {
        const int at = Lowest(kings);
        int nearest = 7;
        for (Mask targets = theirs; targets; targets &= targets - 1)
        {
            const int target = Lowest(targets);
            nearest = std::min(nearest, std::max(std::abs(RowOf(at) - RowOf(target)),
                                                 std::abs(ColOf(at) - ColOf(target))));
        }
        progress -= 10 * nearest;
    }
    // A cornered piece is a caught one: the other side's pieces at the edge.
    for (Mask targets = theirs & position.m_kings; targets; targets &= targets - 1)
    {
        const int at = Lowest(targets);
        const int row = RowOf(at), col = ColOf(at);
        progress -= 4 * std::min({row, 7 - row, col, 7 - col});
    }
    return progress;
}
