#include "engine/TranspositionTable.h"

#include <algorithm>
#include <bit>

CTranspositionTable::CTranspositionTable(std::size_t megabytes)
{
    // A power of two, so the bucket comes from the key's low bits.
    const std::size_t wanted = std::max<std::size_t>(1, megabytes * 1024 * 1024 / sizeof(Bucket));
    m_buckets.resize(std::bit_floor(wanted));
}

void CTranspositionTable::Clear()
{
    std::fill(m_buckets.begin(), m_buckets.end(), Bucket{});
    m_age = 0;
}

const TableEntry* CTranspositionTable::Probe(std::uint64_t key) const
{
    const Bucket& bucket = m_buckets[key & (m_buckets.size() - 1)];
    if (bucket.deep.bound != Bound::None && bucket.deep.key == key)
        return &bucket.deep;
    if (bucket.recent.bound != Bound::None && bucket.recent.key == key)
        return &bucket.recent;
    return nullptr;
}

void CTranspositionTable::Store(std::uint64_t key, int depth, int score, Bound bound,
                                std::uint16_t move)
{
    Bucket& bucket = m_buckets[key & (m_buckets.size() - 1)];
    TableEntry* slot = &bucket.recent;
    if (bucket.deep.key == key || bucket.deep.bound == Bound::None || bucket.deep.age != m_age ||
        depth >= bucket.deep.depth)
    {
        // What the deep slot held moves down rather than being lost.
        if (bucket.deep.key != key && bucket.deep.bound != Bound::None)
            bucket.recent = bucket.deep;
        slot = &bucket.deep;
    }
    if (move == 0 && slot->key == key)
        move = slot->move;
    slot->key = key;
    slot->score = static_cast<std::int16_t>(score);
    slot->move = move;
    slot->depth = static_cast<std::int8_t>(std::clamp(depth, -128, 127));
    slot->bound = bound;
    slot->age = m_age;
}
