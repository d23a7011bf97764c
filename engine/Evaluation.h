#pragma once
// The static judgement of a quiet position: the learned weights over the
// features of EvalFeatures.h, plus a hand-taught way to win won endings.

#include "engine/Position.h"

// A man in the middle game is worth 100; the score is from the side to
// move's point of view, exactly negated for the colour-flipped position,
// and stays far from the win scores (a won game is the search's call).
int Evaluate(const CPosition& position);

// The same judgement summed one feature at a time, as the trainer sees the
// features: slower, and the reference the fast sum is checked against.
int EvaluateFeatureByFeature(const CPosition& position);
