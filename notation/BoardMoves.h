#pragma once
// Whole moves as the game's rules see them: every capture sequence is one
// move, found and played only through CCheckerBoard's public operations, so
// whatever uses these can never disagree with the board.

#include <optional>
#include <vector>

#include "notation/NotatedMove.h"
#include "rules/CheckerBoard.h"

// Every whole move the side to move may make, ordered by starting square and
// then as the board lists landing squares. A capture ends where the rules
// end it: when the piece can jump no more, or when the jump ends the game.
// Like the board, it still lists moves once the game is over; none when the
// side to move is neither 0 nor 1.
std::vector<NotatedMove> ListLegalMoves(const CCheckerBoard& board);

// Plays `move` on `board` jump by jump through MoveBlack or MoveRed. The move
// must be whole: a step written as a step, a capture written with 'x' that
// neither stops while the piece must go on nor goes on after the turn has
// passed. Returns the last jump's result (MoveTurnPassed or MoveGameOver);
// on MoveRefused the board is as it was.
MoveResult PlayMove(CCheckerBoard& board, const NotatedMove& move);

// The legal move that `typed` names: the same squares, or for a capture
// given as just its first and last square ("1x19"), the one capture joining
// them. Nothing when no legal move or more than one capture fits.
std::optional<NotatedMove> ResolveMove(const CCheckerBoard& board, const NotatedMove& typed);
