#pragma once
// The standard numbering of the 32 playable squares. Square 1 is black's
// right-hand corner of the back row, (0, 6); squares run four a row, right
// to left as black sees the board, so 4 = (0, 0), 5 = (1, 7), 32 = (7, 1).
// Constant expressions, so the engine's compile-time tables use the same
// numbering as everything printed and read.

// The number 1..32 of board square (row, col), or 0 when it is off the board
// or a light square.
constexpr int SquareNumber(int row, int col)
{
    if (row < 0 || row > 7 || col < 0 || col > 7 || (row - col) % 2 != 0)
        return 0;
    // Even rows start one column further left: (0, 6) is the first square.
    return row * 4 + (7 - col - (row % 2 == 0 ? 1 : 0)) / 2 + 1;
}

// Row and column of square 1..32; false (and nothing written) otherwise.
constexpr bool SquareRowCol(int square, int& row, int& col)
{
    if (square < 1 || square > 32)
        return false;
    row = (square - 1) / 4;
    col = 7 - 2 * ((square - 1) % 4) - (row % 2 == 0 ? 1 : 0);
    return true;
}
