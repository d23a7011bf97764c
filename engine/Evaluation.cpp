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

namespace
{
using evalfeatures::kBlocks;
using evalfeatures::kBlockStates;
using evalfeatures::kPhaseScale;

// A block's arrangement, read a pair of board rows at a time. A pair of
// rows is one byte of a mask, and its eight squares in base 3 (empty, own,
// other) one number below 3^8. A block spans two pairs and takes four
// squares of each, the same four for a given block column, so its
// arrangement is two table lookups away from the pairs' numbers.
struct BlockTables
{
    // A byte's bits as base-3 digits, and the same for the byte reversed
    // (a pair of rows seen from the other side of the board).
    std::array<std::uint16_t, 256> ternary{};
    std::array<std::uint16_t, 256> ternaryTurned{};
    // [block column][pair's number]: the digits of the block's four
    // squares in that pair, as the low half of the block's arrangement.
    std::array<std::array<std::uint8_t, 6561>, 3> quarter{};

    BlockTables()
    {
        for (int bits = 0; bits < 256; ++bits)
        {
            int turned = 0;
            for (int i = 0; i < 8; ++i)
                turned |= ((bits >> i) & 1) << (7 - i);
            ternary[bits] = evalfeatures::detail::kTernary[bits];
            ternaryTurned[bits] = evalfeatures::detail::kTernary[turned];
        }
        for (int column = 0; column < 3; ++column)
            for (int number = 0; number < 6561; ++number)
            {
                int digits[8], rest = number;
                for (int& digit : digits)
                {
                    digit = rest % 3;
                    rest /= 3;
                }
                // The block's squares in a pair: two of each row, from bit
                // 2 - column of the lower row and of the upper row.
                const int low = 2 - column, high = 6 - column;
                quarter[column][number] = static_cast<std::uint8_t>(
                    digits[low] + 3 * digits[low + 1] + 9 * digits[high] + 27 * digits[high + 1]);
            }
    }
};

// The weights rearranged for the hot path: each square's pair of phase
// weights side by side, red's squares already turned round, so a position
// is judged with sums per phase and one multiplication each at the end.
// Integer sums in the same units make it equal to the feature-by-feature
// sum exactly, not just nearly.
struct FastWeights
{
    struct Pair
    {
        std::int64_t middle = 0;
        std::int64_t ending = 0;
    };
    // [viewer][square as it stands on the board]
    std::array<std::array<Pair, 32>, 2> man{};
    std::array<std::array<Pair, 32>, 2> king{};
    Pair manValue, kingValue, mobility;
    std::int64_t tempo = 0, trade = 0;
    // [block][state], narrow so more of it stays in the cache; when a
    // weight would not fit, `usable` is false and the slow sum is used.
    std::vector<std::int16_t> blocks;
    bool usable = true;

    explicit FastWeights(const std::vector<std::int32_t>& w)
    {
        using namespace evalfeatures;
        for (int viewer = 0; viewer < 2; ++viewer)
            for (int square = 0; square < 32; ++square)
            {
                const int seen = viewer == CPosition::Black ? square : 31 - square;
                man[viewer][square] = {w[kManSquare + 2 * seen], w[kManSquare + 2 * seen + 1]};
                king[viewer][square] = {w[kKingSquare + 2 * seen], w[kKingSquare + 2 * seen + 1]};
            }
        manValue = {w[kMan], w[kMan + 1]};
        kingValue = {w[kKing], w[kKing + 1]};
        mobility = {w[kMobility], w[kMobility + 1]};
        tempo = w[kTempo];
        trade = w[kTrade];
        blocks.reserve(kBlocks * kBlockStates);
        for (int i = kBlock; i < kCount; ++i)
        {
            usable = usable && w[i] >= INT16_MIN && w[i] <= INT16_MAX;
            blocks.push_back(static_cast<std::int16_t>(w[i]));
        }
    }
};

// Steps open to `side`'s pieces (kings also backwards), counted on the
// board as it stands: the same count the features take on the turned board.
int StepsOf(int side, Mask pieces, Mask kings, Mask empty)
{
    if (side == CPosition::Black)
        return Count(Shift<0>(pieces) & empty) + Count(Shift<1>(pieces) & empty) +
               Count(Shift<2>(kings) & empty) + Count(Shift<3>(kings) & empty);
    return Count(Shift<2>(pieces) & empty) + Count(Shift<3>(pieces) & empty) +
           Count(Shift<0>(kings) & empty) + Count(Shift<1>(kings) & empty);
}

// The learned part from black's side, in kEvalWeightScale-ths of a hundredth
// of a man times kPhaseScale: what evalfeatures::ForEach sums to.
std::int64_t LearnedSum(const CPosition& position, const FastWeights& w, const BlockTables& t)
{
    const int pieces = Count(position.m_black | position.m_red);
    const int middle = std::min(pieces, kPhaseScale);
    const int ending = kPhaseScale - middle;
    const Mask empty = position.Empty();
    FastWeights::Pair phased;
    std::int64_t blocks = 0;
    for (int viewer = 0; viewer < 2; ++viewer)
    {
        const Mask own = position.Pieces(viewer);
        const Mask other = position.Pieces(viewer ^ 1);
        const Mask ownKings = own & position.m_kings, men = own & ~position.m_kings;
        FastWeights::Pair side;
        for (Mask m = men; m; m &= m - 1)
        {
            const FastWeights::Pair& pair = w.man[viewer][Lowest(m)];
            side.middle += pair.middle;
            side.ending += pair.ending;
        }
        for (Mask k = ownKings; k; k &= k - 1)
        {
            const FastWeights::Pair& pair = w.king[viewer][Lowest(k)];
            side.middle += pair.middle;
            side.ending += pair.ending;
        }
        const int steps = StepsOf(viewer, own, ownKings, empty);
        const int menCount = Count(men), kingCount = Count(ownKings);
        side.middle += w.manValue.middle * menCount + w.kingValue.middle * kingCount +
                       w.mobility.middle * steps;
        side.ending += w.manValue.ending * menCount + w.kingValue.ending * kingCount +
                       w.mobility.ending * steps;

        // Each pair of rows as the viewer sees it: red's board is turned,
        // so its first pair is the last byte, reversed.
        const bool turn = viewer == CPosition::Red;
        const auto& ternary = turn ? t.ternaryTurned : t.ternary;
        int pairs[4];
        for (int pair = 0; pair < 4; ++pair)
        {
            const int shift = 8 * (turn ? 3 - pair : pair);
            pairs[pair] = ternary[(own >> shift) & 0xFF] + 2 * ternary[(other >> shift) & 0xFF];
        }
        std::int64_t sideBlocks = 0;
        for (int block = 0; block < kBlocks; ++block)
        {
            const int pair = block / 3, column = block % 3;
            sideBlocks += w.blocks[block * kBlockStates + t.quarter[column][pairs[pair]] +
                                   81 * t.quarter[column][pairs[pair + 1]]];
        }
        const int sign = turn ? -1 : 1;
        phased.middle += sign * side.middle;
        phased.ending += sign * side.ending;
        blocks += sign * sideBlocks;
    }
    return middle * phased.middle + ending * phased.ending + kPhaseScale * blocks +
           (position.m_side == CPosition::Black ? kPhaseScale : -kPhaseScale) * w.tempo +
           (Count(position.m_black) - Count(position.m_red)) * ending * w.trade;
}

int FromLearned(const CPosition& position, std::int64_t sum)
{
    const int learned = static_cast<int>(sum / (evalfeatures::kPhaseScale * kEvalWeightScale));
    const int forBlack = std::clamp(learned + WinningTechnique(position), -kLimit, kLimit);
    return position.m_side == CPosition::Black ? forBlack : -forBlack;
}
} // namespace

int Evaluate(const CPosition& position)
{
    static const FastWeights weights(BuiltInEvalWeights());
    static const BlockTables tables;
    if (!weights.usable)
        return EvaluateFeatureByFeature(position);
    return FromLearned(position, LearnedSum(position, weights, tables));
}

int EvaluateFeatureByFeature(const CPosition& position)
{
    const std::vector<std::int32_t>& weights = BuiltInEvalWeights();
    std::int64_t sum = 0;
    evalfeatures::ForEach(position, [&](int i, int c) { sum += std::int64_t{weights[i]} * c; });
    return FromLearned(position, sum);
}
