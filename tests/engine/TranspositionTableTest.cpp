#include "engine/TranspositionTable.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace
{
// Keys that differ only far above any table's bucket count share a bucket.
constexpr std::uint64_t kKey = 0x1234;
constexpr std::uint64_t kSameBucket1 = kKey + (std::uint64_t{1} << 40);
constexpr std::uint64_t kSameBucket2 = kKey + (std::uint64_t{2} << 40);
} // namespace

TEST(TranspositionTable, KeepsTheDeepEntryAndTheLatestInOneBucketAtEverySize)
{
    // 1 MB sits in ordinary memory, 4 MB on large-page boundaries.
    for (const std::size_t megabytes : {std::size_t{1}, std::size_t{4}})
    {
        CTranspositionTable table(megabytes);
        EXPECT_EQ(table.Probe(kKey), nullptr) << megabytes;
        table.Store(kKey, 8, 120, Bound::Exact, 77);
        table.Store(kSameBucket1, 3, -40, Bound::Upper, 0);
        const TableEntry* deep = table.Probe(kKey);
        ASSERT_NE(deep, nullptr) << megabytes;
        EXPECT_EQ(deep->score, 120);
        EXPECT_EQ(deep->move, 77);
        EXPECT_EQ(deep->depth, 8);
        // The bucket is whole within one cache line.
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(deep) % 32, 0u) << megabytes;
        ASSERT_NE(table.Probe(kSameBucket1), nullptr) << megabytes;
        EXPECT_EQ(table.Probe(kSameBucket1)->bound, Bound::Upper);

        // A third shallow result takes the latest slot; the deep one stays.
        table.Store(kSameBucket2, 2, 5, Bound::Lower, 9);
        EXPECT_EQ(table.Probe(kSameBucket1), nullptr) << megabytes;
        EXPECT_NE(table.Probe(kSameBucket2), nullptr) << megabytes;
        EXPECT_NE(table.Probe(kKey), nullptr) << megabytes;

        // A result without a move keeps the move already known.
        table.Store(kKey, 9, 130, Bound::Lower, 0);
        EXPECT_EQ(table.Probe(kKey)->move, 77);

        // In a later search even a shallow result may take the deep slot,
        // and what it held moves to the latest slot.
        table.NewSearch();
        table.Store(kSameBucket1, 1, 0, Bound::Exact, 3);
        EXPECT_EQ(table.Probe(kSameBucket1)->depth, 1);
        EXPECT_EQ(table.Probe(kKey)->depth, 9);
        EXPECT_EQ(table.Probe(kSameBucket2), nullptr) << megabytes;

        table.Clear();
        EXPECT_EQ(table.Probe(kKey), nullptr) << megabytes;
        EXPECT_EQ(table.Probe(kSameBucket1), nullptr) << megabytes;
    }
}
