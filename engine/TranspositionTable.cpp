#include "engine/TranspositionTable.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace
{
// Probes land all over the table, so with small pages nearly every one
// misses the address cache as well as the data cache; large pages, where
// the system grants them, spare most of those walks.
constexpr std::size_t kLargePage = std::size_t{2} << 20;
} // namespace

void CTranspositionTable::FreeBuckets::operator()(Bucket* buckets) const
{
    std::free(buckets);
}

CTranspositionTable::CTranspositionTable(std::size_t megabytes)
{
    // A power of two, so the bucket comes from the key's low bits.
    const std::size_t count =
        std::bit_floor(std::max<std::size_t>(1, megabytes * 1024 * 1024 / sizeof(Bucket)));
    const std::size_t bytes = count * sizeof(Bucket);
    const std::size_t alignment = bytes >= kLargePage ? kLargePage : alignof(Bucket);
    // aligned_alloc wants a multiple of the alignment, which a power of two
    // at least as large as it is.
    void* memory = std::aligned_alloc(alignment, bytes);
    if (!memory)
        throw std::bad_alloc();
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    if (alignment == kLargePage)
        madvise(memory, bytes, MADV_HUGEPAGE); // a hint: without it all still works
#endif
    m_buckets.reset(static_cast<Bucket*>(memory));
    m_mask = count - 1;
    Clear();
}

void CTranspositionTable::Clear()
{
    std::fill(m_buckets.get(), m_buckets.get() + m_mask + 1, Bucket{});
    m_age = 0;
}

const TableEntry* CTranspositionTable::Probe(std::uint64_t key) const
{
    const Bucket& bucket = m_buckets[key & m_mask];
    if (bucket.deep.bound != Bound::None && bucket.deep.key == key)
        return &bucket.deep;
    if (bucket.recent.bound != Bound::None && bucket.recent.key == key)
        return &bucket.recent;
    return nullptr;
}

void CTranspositionTable::Store(std::uint64_t key, int depth, int score, Bound bound,
                                std::uint16_t move)
{
    Bucket& bucket = m_buckets[key & m_mask];
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
