#pragma once
// How far the winning side has got in an ending the database calls won
// without saying how quickly.

#include "engine/Position.h"

// Higher as `winner` closes in: its kings near the other side's pieces
// (which is how lone kings are cornered and caught), its men nearer their
// crowning row, fewer pieces left to the other side. Hundredths of a man,
// within a few thousand either way.
int EndgameProgress(const CPosition& position, int winner);
