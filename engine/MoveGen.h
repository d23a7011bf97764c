#pragma once
// The legal moves of the side to move, exactly as the rules allow them.

#include "engine/MoveList.h"
#include "engine/Position.h"

// Fills `list` with every legal whole move: all capture sequences when any
// capture exists (captures are compulsory), else all steps. A capture goes
// on while the same piece can jump, a man crowned on the way goes on as a
// king, and a jump after which either side has no move ends the capture.
// Nothing when the side to move has no move; the caller decides whether the
// game is over.
void GenerateMoves(const CPosition& position, CMoveList& list);
