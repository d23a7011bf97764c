#pragma once
// The standard numbering of the 32 playable squares. Square 1 is black's
// right-hand corner of the back row, (0, 6); squares run four a row, right
// to left as black sees the board, so 4 = (0, 0), 5 = (1, 7), 32 = (7, 1).

// The number 1..32 of board square (row, col), or 0 when it is off the board
// or a light square.
int SquareNumber(int row, int col);

// Row and column of square 1..32; false (and nothing written) otherwise.
bool SquareRowCol(int square, int& row, int& col);
