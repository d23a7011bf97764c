#include "engine/EndgameSlice.h"

#include <array>
#include <stdexcept>

using namespace bitboard;

namespace
{
constexpr Mask kBackRow = kRow0;           // black men may stand here, red men not
constexpr Mask kShared = ~(kRow0 | kRow7); // squares 5..28: men of both colours
constexpr Mask kRedMenSquares = ~kRow0;

constexpr auto kBinomial = []
{
    std::array<std::array<std::uint64_t, 33>, 33> c{};
    for (int n = 0; n <= 32; ++n)
    {
        c[n][0] = 1;
        for (int k = 1; k <= n; ++k)
            c[n][k] = c[n - 1][k - 1] + c[n - 1][k];
    }
    return c;
}();

std::uint64_t Choose(int n, int k)
{
    return k < 0 || n < 0 || k > n ? 0 : kBinomial[n][k];
}

// The rank of `pieces` among all sets of as many squares of `room`
// (pieces within room), counting the squares of room from 0 upwards:
// the combinatorial number system, which numbers k-sets of n without gaps.
std::uint64_t Rank(Mask pieces, Mask room)
{
    std::uint64_t rank = 0;
    int k = 1;
    for (; pieces; pieces &= pieces - 1, ++k)
        rank += Choose(Count(room & (Bit(Lowest(pieces)) - 1)), k);
    return rank;
}

// The k squares of `room` whose rank is `rank`.
Mask Unrank(std::uint64_t rank, int k, Mask room)
{
    Mask pieces = 0;
    int available = Count(room);
    for (; k > 0; --k)
    {
        // The highest place c with C(c, k) <= rank holds the k-th piece.
        int c = k - 1;
        while (c + 1 < available && Choose(c + 1, k) <= rank)
            ++c;
        rank -= Choose(c, k);
        available = c;
        Mask free = room;
        for (int i = 0; i < c; ++i)
            free &= free - 1;
        pieces |= Bit(Lowest(free));
    }
    return pieces;
}
} // namespace

std::vector<EndgameMaterial> MaterialsOf(int pieces)
{
    std::vector<EndgameMaterial> materials;
    for (int men = 0; men <= pieces; ++men)
        for (int blackMen = 0; blackMen <= men; ++blackMen)
            for (int blackKings = 0; blackKings <= pieces - men; ++blackKings)
            {
                const EndgameMaterial material{blackMen, blackKings, men - blackMen,
                                               pieces - men - blackKings};
                if (material.blackMen + material.blackKings > 0 &&
                    material.redMen + material.redKings > 0)
                    materials.push_back(material);
            }
    return materials;
}

std::string MaterialText(const EndgameMaterial& m)
{
    return std::to_string(m.blackMen) + std::to_string(m.blackKings) + std::to_string(m.redMen) +
           std::to_string(m.redKings);
}

EndgameMaterial MaterialOf(const CPosition& position)
{
    const Mask kings = position.m_kings;
    return {Count(position.m_black & ~kings), Count(position.m_black & kings),
            Count(position.m_red & ~kings), Count(position.m_red & kings)};
}

Mask Rotated(Mask mask)
{
    mask = ((mask >> 1) & 0x55555555u) | ((mask & 0x55555555u) << 1);
    mask = ((mask >> 2) & 0x33333333u) | ((mask & 0x33333333u) << 2);
    mask = ((mask >> 4) & 0x0F0F0F0Fu) | ((mask & 0x0F0F0F0Fu) << 4);
    mask = ((mask >> 8) & 0x00FF00FFu) | ((mask & 0x00FF00FFu) << 8);
    return (mask >> 16) | (mask << 16);
}

CPosition Canonical(const CPosition& position)
{
    if (position.m_side == CPosition::Black)
        return position;
    CPosition turned;
    turned.m_black = Rotated(position.m_red);
    turned.m_red = Rotated(position.m_black);
    turned.m_kings = Rotated(position.m_kings);
    turned.m_dead = Rotated(position.m_dead);
    turned.m_side = CPosition::Black;
    return turned;
}

CEndgameSlice::CEndgameSlice(const EndgameMaterial& material) : m_material(material)
{
    const auto& [bm, bk, rm, rk] = material;
    if (bm < 0 || bk < 0 || rm < 0 || rk < 0 || bm + bk < 1 || rm + rk < 1 || bm + bk > 12 ||
        rm + rk > 12 || bm > 28 || rm > 28 || material.Pieces() > 32)
        throw std::invalid_argument("no such endgame slice");
    const int men = bm + rm;
    m_kingPlacements = Choose(32 - men, bk) * Choose(32 - men - bk, rk);
    std::uint64_t start = 0;
    for (int shared = 0; shared <= bm; ++shared)
    {
        m_blockStart[shared] = start;
        start += Choose(24, shared) * Choose(4, bm - shared) * Choose(28 - shared, rm) *
                 m_kingPlacements;
    }
    m_size = start;
}

std::optional<std::uint64_t> CEndgameSlice::IndexOf(const CPosition& position) const
{
    if (position.m_side != CPosition::Black || position.m_dead ||
        !(MaterialOf(position) == m_material))
        return std::nullopt;
    const Mask blackMen = position.m_black & ~position.m_kings;
    const Mask redMen = position.m_red & ~position.m_kings;
    if ((blackMen & kRow7) || (redMen & kRow0))
        return std::nullopt;
    const Mask men = blackMen | redMen;
    const Mask blackKings = position.m_black & position.m_kings;
    const Mask redKings = position.m_red & position.m_kings;
    const int shared = Count(blackMen & kShared);

    std::uint64_t index = Rank(blackMen & kBackRow, kBackRow) * Choose(24, shared) +
                          Rank(blackMen & kShared, kShared);
    index =
        index * Choose(28 - shared, m_material.redMen) + Rank(redMen, kRedMenSquares & ~blackMen);
    index = index * Choose(32 - Count(men) - m_material.blackKings, m_material.redKings) *
                Choose(32 - Count(men), m_material.blackKings) +
            Rank(blackKings, ~men) *
                Choose(32 - Count(men) - m_material.blackKings, m_material.redKings) +
            Rank(redKings, ~(men | blackKings));
    return m_blockStart[shared] + index;
}

CPosition CEndgameSlice::PositionAt(std::uint64_t index) const
{
    const auto& [bm, bk, rm, rk] = m_material;
    int shared = bm;
    while (shared > 0 && m_blockStart[shared] > index)
        --shared;
    index -= m_blockStart[shared];

    const std::uint64_t redKingPlacements = Choose(32 - bm - rm - bk, rk);
    const std::uint64_t kings = index % m_kingPlacements;
    index /= m_kingPlacements;
    const std::uint64_t redMenPlacements = Choose(28 - shared, rm);
    const std::uint64_t redRank = index % redMenPlacements;
    index /= redMenPlacements;
    const std::uint64_t sharedPlacements = Choose(24, shared);

    const Mask blackMen = Unrank(index / sharedPlacements, bm - shared, kBackRow) |
                          Unrank(index % sharedPlacements, shared, kShared);
    const Mask redMen = Unrank(redRank, rm, kRedMenSquares & ~blackMen);
    const Mask men = blackMen | redMen;
    const Mask blackKings = Unrank(kings / redKingPlacements, bk, ~men);
    const Mask redKings = Unrank(kings % redKingPlacements, rk, ~(men | blackKings));

    CPosition position;
    position.m_black = blackMen | blackKings;
    position.m_red = redMen | redKings;
    position.m_kings = blackKings | redKings;
    position.m_side = CPosition::Black;
    return position;
}
