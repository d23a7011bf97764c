#pragma once
// What earlier searches learnt about positions, by hash key: a bound on the
// score, the depth it was found at and the best move's name.

#include <cstddef>
#include <cstdint>
#include <memory>

enum class Bound : std::uint8_t
{
    None,
    Upper, // the score is at most this
    Lower, // at least this
    Exact,
};

struct TableEntry
{
    std::uint64_t key = 0;
    std::int16_t score = 0;
    std::uint16_t move = 0; // MoveId, 0 = none
    std::int8_t depth = 0;
    Bound bound = Bound::None;
    std::uint8_t age = 0;
};

class CTranspositionTable
{
public:
    // Sized to at most `megabytes` (at least one bucket); empty to start.
    explicit CTranspositionTable(std::size_t megabytes);

    void Clear();
    // Marks later stores as newer than anything already kept.
    void NewSearch() { ++m_age; }

    // The entry for `key`, or nullptr.
    const TableEntry* Probe(std::uint64_t key) const;
    // Starts fetching `key`'s bucket from memory, so a probe soon after
    // finds it in the cache.
    void Prefetch(std::uint64_t key) const { __builtin_prefetch(&m_buckets[key & m_mask]); }
    // Each bucket keeps one entry by depth (a newer search or a deeper
    // result replaces it) and one that always takes the latest; the move of
    // an entry is kept when a result brings none.
    void Store(std::uint64_t key, int depth, int score, Bound bound, std::uint16_t move);

private:
    // A bucket never straddles two cache lines: one miss a probe.
    struct alignas(32) Bucket
    {
        TableEntry deep;
        TableEntry recent;
    };
    struct FreeBuckets
    {
        void operator()(Bucket* buckets) const;
    };

    std::unique_ptr<Bucket[], FreeBuckets> m_buckets;
    std::size_t m_mask = 0; // buckets - 1
    std::uint8_t m_age = 0;
};
