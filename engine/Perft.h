#pragma once
// Counting move sequences: the move generator's check against the rules.

#include <cstdint>
#include <optional>

#include "engine/Position.h"

// The number of move sequences `depth` moves long from `position`; a
// sequence stops where the game is over. The last move is counted, not
// played. Nothing once more than `nodeBudget` positions have been expanded
// (0 = no budget), so a caller can refuse counts that would take hours,
// and nothing for a depth outside 0..kMaxPerftDepth.
constexpr int kMaxPerftDepth = 64;
std::optional<std::uint64_t> Perft(const CPosition& position, int depth,
                                   std::uint64_t nodeBudget = 0);
