#pragma once
// The static judgement of a quiet position.

#include "engine/Position.h"

// Pieces are worth 100 a man; the score is from the side to move's point
// of view and stays far from the win scores (a won game is the search's call).
int Evaluate(const CPosition& position);
