#pragma once
// The endgame database's values seen one move ahead: how the solver judges
// a move out of a slice, and how a value is checked against its successors.

#include "engine/EndgameTable.h"

// The value of playing `move` in `position`, for the side that plays it:
// a game the move ends is judged by the rules (the side left without a
// move loses; after a capture that leaves neither side one, the capturer);
// otherwise the table's value of what follows, one ply longer and for the
// other side, with its distance where the table keeps one. Unknown when
// the table does not hold what follows.
EndgameValue ValueOfMove(const CEndgameTable& table, const CPosition& position,
                         const EngineMove& move);

// What a one-move search over the table makes of `position`: a win when a
// move wins (the quickest), a loss when every move loses (the slowest), a
// draw otherwise; a game already over is won by the side that can still
// move. Unknown when a successor is not held; distances only when every
// successor keeps them.
EndgameValue ValueByOneMove(const CEndgameTable& table, const CPosition& position);
