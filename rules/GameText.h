#pragma once
// The rules in the player's words: why a move is refused, and what matters
// in a position, as the status bar says them.

#include <optional>
#include <string>

#include "rules/CheckerBoard.h"
#include "rules/GameEnd.h"

// Why MoveBlack or MoveRed, called for the side to move, would refuse the
// move from (fromRow, fromCol) to (toRow, toCol): "A capture is compulsory",
// "Men move forward only", "That square is not free" and so on, checked in
// the order the rules check them. "" when the move would be accepted.
std::string RefusalReason(const CCheckerBoard& board, int fromRow, int fromCol, int toRow,
                          int toCol);

// The side that has lost: the one without a legal move, or the side to move
// when neither has one. -1 while both can move.
std::int32_t LosingSide(const CCheckerBoard& board);

// "Black to move", "Black must capture", "Red must go on capturing with the
// same chip" (while `captureGoesOn`) or, once either side cannot move,
// "Black wins: red cannot move". "" when the side to move is neither.
std::string StatusLine(const CCheckerBoard& board, bool captureGoesOn);

// The status line of a game that ended by `end`: "Drawn by threefold
// repetition", "Drawn by the forty-move rule", "Drawn by agreement", "Red
// resigns", "Black loses on time".
std::string EndText(const GameEnd& end);

// As above, for a game whose record may hold an end: a side without a legal
// move loses exactly as above; otherwise a recorded end says how the game
// ended; with neither, who is to move.
std::string StatusLine(const CCheckerBoard& board, bool captureGoesOn,
                       const std::optional<GameEnd>& end);
