#include "engine/Evaluation.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "engine/EvalFeatures.h"
#include "engine/EvalWeights.h"

using namespace bitboard;

namespace
{
constexpr Mask kDoubleCorners = 0x88000011u; // squares 1, 5, 28 and 32
// Learned scores stay this far inside the win scores.
constexpr int kLimit = 10'000;

// King steps between two squares: the larger of the row and column gaps.
constexpr std::array<std::array<std::int8_t, 32>, 32> MakeDistances()
{
    std::array<std::array<std::int8_t, 32>, 32> d{};
    for (int a = 0; a < 32; ++a)
        for (int b = 0; b < 32; ++b)
        {
            const int rows = RowOf(a) > RowOf(b) ? RowOf(a) - RowOf(b) : RowOf(b) - RowOf(a);
            const int cols = ColOf(a) > ColOf(b) ? ColOf(a) - ColOf(b) : ColOf(b) - ColOf(a);
            d[a][b] = static_cast<std::int8_t>(rows > cols ? rows : cols);
        }
    return d;
}
constexpr auto kDistance = MakeDistances();

// Summed distance from each king of `hunters` to the nearest of `prey`.
int ChaseDistance(Mask hunters, Mask prey)
{
    int total = 0;
    for (; hunters; hunters &= hunters - 1)
    {
        const int from = Lowest(hunters);
        int nearest = 8;
        for (Mask p = prey; p; p &= p - 1)
            nearest = std::min<int>(nearest, kDistance[from][Lowest(p)]);
        total += nearest;
    }
    return total;
}

// Self-play games seldom reach the technique of a won ending, so it is
// taught by hand: the side ahead walks its kings at the enemy, and the
// side behind is worse off when it cannot hide in a double corner, where
// catching it takes longest. From black's side.
int WinningTechnique(const CPosition& position)
{
    const int lead = Count(position.m_black) - Count(position.m_red);
    if (lead == 0)
        return 0;
    const Mask strong = lead > 0 ? position.m_black : position.m_red;
    const Mask weak = lead > 0 ? position.m_red : position.m_black;
    const int ending = -3 * ChaseDistance(strong & position.m_kings, weak) -
                       6 * Count(weak & position.m_kings & kDoubleCorners);
    return lead > 0 ? ending : -ending;
}
} // namespace

int Evaluate(const CPosition& position)
{
    static const std::int32_t* const weights = BuiltInEvalWeights().data();
    std::int64_t sum = 0;
    evalfeatures::ForEach(position, [&](int i, int c) { sum += std::int64_t{weights[i]} * c; });
    const int learned = static_cast<int>(sum / (evalfeatures::kPhaseScale * kEvalWeightScale));
    const int forBlack = std::clamp(learned + WinningTechnique(position), -kLimit, kLimit);
    return position.m_side == CPosition::Black ? forBlack : -forBlack;
}
