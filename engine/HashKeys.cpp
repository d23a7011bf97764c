#include "engine/HashKeys.h"

#include <array>

using namespace bitboard;

namespace
{
// One key per piece kind and square, one per dead square and one for red to
// move: fixed numbers, so keys are the same in every run and every thread.
struct Keys
{
    std::array<std::array<std::uint64_t, 32>, 4> piece{}; // by PieceKind
    std::array<std::uint64_t, 32> dead{};
    std::uint64_t redToMove = 0;
};

constexpr std::uint64_t SplitMix(std::uint64_t& state)
{
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

constexpr Keys MakeKeys()
{
    Keys keys{};
    std::uint64_t state = 0x504C4158454Eull;
    for (auto& kind : keys.piece)
        for (auto& key : kind)
            key = SplitMix(state);
    for (auto& key : keys.dead)
        key = SplitMix(state);
    keys.redToMove = SplitMix(state);
    return keys;
}

constexpr Keys kKeys = MakeKeys();

// Black man, black king, red man, red king.
int PieceKind(int side, bool king)
{
    return 2 * side + (king ? 1 : 0);
}

std::uint64_t KeysOf(const std::array<std::uint64_t, 32>& table, Mask squares)
{
    std::uint64_t key = 0;
    for (; squares; squares &= squares - 1)
        key ^= table[Lowest(squares)];
    return key;
}
} // namespace

std::uint64_t PositionKey(const CPosition& position)
{
    std::uint64_t key = position.m_side == CPosition::Red ? kKeys.redToMove : 0;
    for (int side = 0; side < 2; ++side)
    {
        const Mask pieces = position.Pieces(side);
        key ^= KeysOf(kKeys.piece[PieceKind(side, false)], pieces & ~position.m_kings);
        key ^= KeysOf(kKeys.piece[PieceKind(side, true)], pieces & position.m_kings);
    }
    return key ^ KeysOf(kKeys.dead, position.m_dead);
}

std::uint64_t KeyAfter(std::uint64_t key, const CPosition& position, const EngineMove& move)
{
    const int side = position.m_side;
    const bool king = (position.m_kings & Bit(move.From())) != 0;
    key ^= kKeys.piece[PieceKind(side, king)][move.From()];
    key ^= kKeys.piece[PieceKind(side, king || move.crowns)][move.To()];
    const Mask taken = move.captured;
    key ^= KeysOf(kKeys.piece[PieceKind(side ^ 1, false)], taken & ~position.m_kings);
    key ^= KeysOf(kKeys.piece[PieceKind(side ^ 1, true)], taken & position.m_kings);
    return key ^ kKeys.redToMove;
}
