#pragma once
// The moves of one position with a sort key each, handed out best first.

#include <cstdint>
#include <utility>

#include "engine/EngineMove.h"

class CMoveList
{
public:
    // Far above what a real game offers (under 50 steps); a made-up
    // position with more capture paths keeps the first ones found.
    static constexpr int kCapacity = 256;

    void Clear() { m_size = 0; }
    void Add(const EngineMove& move)
    {
        if (m_size < kCapacity)
            m_moves[m_size++] = move;
    }
    int Size() const { return m_size; }
    bool Empty() const { return m_size == 0; }
    const EngineMove& operator[](int i) const { return m_moves[i]; }
    int& Key(int i) { return m_keys[i]; }

    // Brings the highest-keyed move of those from `i` on to `i`, so a search
    // that cuts off early sorts only what it looked at.
    const EngineMove& PickBest(int i)
    {
        int best = i;
        for (int j = i + 1; j < m_size; ++j)
            if (m_keys[j] > m_keys[best])
                best = j;
        if (best != i)
        {
            std::swap(m_moves[i], m_moves[best]);
            std::swap(m_keys[i], m_keys[best]);
        }
        return m_moves[i];
    }

private:
    int m_size = 0;
    EngineMove m_moves[kCapacity];
    int m_keys[kCapacity];
};

// A short name for a move, for the hash table and the killer slots: moves
// with equal names almost always lead to the same position, and a clash
// costs only move order.
inline std::uint16_t MoveId(const EngineMove& move)
{
    const std::uint32_t mix = (move.captured * 0x9E3779B1u) >> 26;
    return static_cast<std::uint16_t>(move.From() | move.To() << 5 | mix << 10);
}
