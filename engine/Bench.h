#pragma once
// The search's fingerprint: fixed positions searched to a fixed depth. The
// node total changes only when search or evaluation does, so a change not
// meant to alter play can be checked by it; the time gives nodes a second.

#include <cstdint>
#include <iosfwd>

constexpr int kBenchDepth = 14;

struct BenchReport
{
    std::uint64_t nodes = 0;
    int timeMs = 0;
};

// Searches every bench position to `depth` with a fresh search object, so
// the count does not depend on what ran before; one line a position goes to
// `log` when given.
BenchReport RunBench(int depth, std::ostream* log);
