#pragma once
// The positions the evaluation learns from: quiet positions of the
// engine's own games, each with the game's result, in a small binary file.

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "engine/Position.h"

struct TrainingPosition
{
    std::uint32_t black = 0;
    std::uint32_t red = 0;
    std::uint32_t kings = 0;
    std::uint8_t side = 0;
    std::uint8_t result = 1; // for black: 0 lost, 1 drawn, 2 won
    std::uint16_t ply = 0;

    CPosition Position() const;
};

// Writes `positions` after a header; false when the stream fails.
bool WriteTrainingData(std::ostream& out, const std::vector<TrainingPosition>& positions);
// Reads what WriteTrainingData wrote; false (and `error` says why) on a
// file of another kind or one cut short.
bool ReadTrainingData(std::istream& in, std::vector<TrainingPosition>& positions,
                      std::string& error);
