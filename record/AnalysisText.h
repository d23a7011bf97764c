#pragma once
// How the analysis pane puts a search into words: the line the engine
// expects, numbered as the game's own moves are, and the speed it searches.

#include <cstdint>
#include <span>
#include <string>

#include "notation/NotatedMove.h"
#include "rules/CheckerBoard.h"

// The number the next move of `game` takes (`game`: the boards from its
// start, each after a whole move, the last on the board): 1 at the start,
// going up after each of red's moves, as PDN numbers moves.
int NextMoveNumber(std::span<const CCheckerBoard> game);

// `moves`, the first by `sideToMove` as move `number`: "6. 3-7 22-18 7.
// 15x22", or with red first "6... 22-18 7. 15x22". "" for no moves.
std::string NumberedLine(int number, std::int32_t sideToMove, std::span<const NotatedMove> moves);

// "5.6 million positions a second", "840 thousand positions a second",
// "950 positions a second".
std::string SpeedText(std::uint64_t nodesPerSecond);
