#pragma once
// Zobrist keys: a 64-bit name for a position, kept up to date move by move.

#include <cstdint>

#include "engine/Position.h"

// The key of `position`, computed from scratch.
std::uint64_t PositionKey(const CPosition& position);

// The key of position.After(move), given the key of `position`.
std::uint64_t KeyAfter(std::uint64_t key, const CPosition& position, const EngineMove& move);
