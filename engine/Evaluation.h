#pragma once
// The static judgement of a quiet position.

#include "engine/Position.h"

// Pieces are worth 100 a man; the score is from the side to move's point
// of view and stays well inside ±kWinScore (a won game is the search's call).
int Evaluate(const CPosition& position);

// Scores at or beyond kWinScore - kMaxPly are forced wins (negative:
// losses), kWinScore - n meaning the game ends n plies from the root.
constexpr int kWinScore = 30000;
constexpr int kMaxPly = 128;
