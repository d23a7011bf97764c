#include "engine/Evaluation.h"

#include <algorithm>
#include <array>
#include <initializer_list>

using namespace bitboard;

namespace
{
constexpr int kMan = 100;
constexpr int kKing = 130;

// Squares by their standard numbers, as bit masks.
constexpr Mask Squares(std::initializer_list<int> numbers)
{
    Mask mask = 0;
    for (int n : numbers)
        mask |= Bit(n - 1);
    return mask;
}

constexpr Mask Row(int row)
{
    return Mask{0xF} << (4 * row);
}

constexpr Mask kCentre = Squares({14, 15, 18, 19});
constexpr Mask kNearCentre = Squares({10, 11, 22, 23});
// The back-rank squares that keep enemy men from crowning longest (the
// "bridge"), for black and for red.
constexpr Mask kBridge[2] = {Squares({1, 3}), Squares({30, 32})};
constexpr Mask kBackRank[2] = {Row(0), Row(7)};
constexpr Mask kDoubleCorners = Squares({1, 5, 28, 32});

// Rows a black man has advanced (red's counted from the other end): worth
// more the nearer to crowning, and more as the board empties.
constexpr int kAdvance[8] = {0, 1, 2, 4, 6, 9, 14, 0};

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

int Advancement(Mask men, int side)
{
    int total = 0;
    for (int row = 1; row < 7; ++row)
        total += kAdvance[row] * Count(men & Row(side == CPosition::Black ? row : 7 - row));
    return total;
}

// Steps open to one side, counted by target square and direction.
int Mobility(const CPosition& position, int side)
{
    const Mask mine = position.Pieces(side);
    const Mask kings = mine & position.m_kings;
    const Mask empty = position.Empty();
    const int* forward = side == CPosition::Black ? kBlackForward : kRedForward;
    int count = 0;
    for (int i = 0; i < 2; ++i)
        count += Count(Shift(forward[i], mine) & empty) +
                 Count(Shift(Opposite(forward[i]), kings) & empty);
    return count;
}

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

// Everything from black's side.
int EvaluateForBlack(const CPosition& position)
{
    const Mask kings = position.m_kings;
    const Mask pieces[2] = {position.m_black, position.m_red};
    const Mask men[2] = {pieces[0] & ~kings, pieces[1] & ~kings};
    const Mask kingsOf[2] = {pieces[0] & kings, pieces[1] & kings};
    const int total = Count(pieces[0] | pieces[1]);
    const int emptiness = 24 - std::min(total, 24); // 0 at the start, 22 with two pieces

    int material[2] = {};
    int positional[2] = {};
    for (int side = 0; side < 2; ++side)
    {
        material[side] = kMan * Count(men[side]) + kKing * Count(kingsOf[side]);
        int p = Advancement(men[side], side) * (12 + emptiness) / 12;
        // The back rank matters while enemy men may still come to crown.
        if (men[side ^ 1])
            p += 8 * Count(men[side] & kBridge[side]) + 2 * Count(men[side] & kBackRank[side]);
        p += 4 * Count(pieces[side] & kCentre) + 2 * Count(pieces[side] & kNearCentre);
        p += 4 * Count(kingsOf[side] & (kCentre | kNearCentre));
        p += 2 * Mobility(position, side);
        positional[side] = p;
    }

    const int diff = material[0] - material[1];
    int score = diff + positional[0] - positional[1];
    // Ahead, trade down: the same lead counts for more on an emptier board.
    score += diff * emptiness / 32;

    // A won ending is finished by walking the kings at the enemy; the side
    // behind hides in the double corners, where catching it takes longest.
    if (diff != 0)
    {
        const int strong = diff > 0 ? 0 : 1;
        const int weak = strong ^ 1;
        int ending = -3 * ChaseDistance(kingsOf[strong], pieces[weak]);
        ending -= 6 * Count(kingsOf[weak] & kDoubleCorners);
        score += strong == 0 ? ending : -ending;
    }
    return score;
}
} // namespace

int Evaluate(const CPosition& position)
{
    const int tempo = 3; // having the move is worth a little
    const int forBlack = EvaluateForBlack(position);
    return (position.m_side == CPosition::Black ? forBlack : -forBlack) + tempo;
}
