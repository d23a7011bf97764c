#include "notation/Squares.h"

int SquareNumber(int row, int col)
{
    if (row < 0 || row > 7 || col < 0 || col > 7 || (row - col) % 2 != 0)
        return 0;
    // Even rows start one column further left: (0, 6) is the first square.
    const int k = (7 - col - (row % 2 == 0 ? 1 : 0)) / 2;
    return row * 4 + k + 1;
}

bool SquareRowCol(int square, int& row, int& col)
{
    if (square < 1 || square > 32)
        return false;
    row = (square - 1) / 4;
    col = 7 - 2 * ((square - 1) % 4) - (row % 2 == 0 ? 1 : 0);
    return true;
}
