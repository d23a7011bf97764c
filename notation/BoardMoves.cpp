#include "notation/BoardMoves.h"

#include <cstdlib>

#include "notation/Squares.h"

namespace
{
MoveResult MoveFor(CCheckerBoard& board, int side, int fromRow, int fromCol, int toRow, int toCol)
{
    return side == CCheckerBoard::BlackSide ? board.MoveBlack(fromRow, fromCol, toRow, toCol)
                                            : board.MoveRed(fromRow, fromCol, toRow, toCol);
}

// Extends `path` by every landing square open to the piece on (row, col):
// first any move (a step or the first jump), later only further jumps.
void Extend(const CCheckerBoard& board, int side, int row, int col, NotatedMove& path,
            std::vector<NotatedMove>& moves)
{
    std::vector<int> rows, cols;
    const bool continuing = path.squares.size() > 1;
    if (side == CCheckerBoard::BlackSide)
        continuing ? board.BlackJumps(row, col, rows, cols)
                   : board.BlackMoves(row, col, rows, cols);
    else
        continuing ? board.RedJumps(row, col, rows, cols) : board.RedMoves(row, col, rows, cols);
    for (std::size_t i = 0; i < rows.size(); ++i)
    {
        CCheckerBoard next = board;
        const MoveResult result = MoveFor(next, side, row, col, rows[i], cols[i]);
        if (result == MoveRefused)
            continue; // a step while a capture is compulsory
        path.squares.push_back(SquareNumber(rows[i], cols[i]));
        if (!continuing)
            path.capture = std::abs(rows[i] - row) == 2;
        if (result == MoveCaptureAgain)
            Extend(next, side, rows[i], cols[i], path, moves);
        else
            moves.push_back(path);
        path.squares.pop_back();
    }
}
} // namespace

std::vector<NotatedMove> ListLegalMoves(const CCheckerBoard& board)
{
    std::vector<NotatedMove> moves;
    const int side = board.m_side;
    if (side != CCheckerBoard::BlackSide && side != CCheckerBoard::RedSide)
        return moves;
    for (int square = 1; square <= 32; ++square)
    {
        int row = 0, col = 0;
        SquareRowCol(square, row, col);
        NotatedMove path;
        path.squares.push_back(square);
        Extend(board, side, row, col, path, moves);
    }
    return moves;
}

MoveResult PlayMove(CCheckerBoard& board, const NotatedMove& move)
{
    if (move.squares.size() < 2 || (!move.capture && move.squares.size() != 2))
        return MoveRefused;
    CCheckerBoard next = board;
    const int side = board.m_side;
    MoveResult result = MoveRefused;
    for (std::size_t i = 0; i + 1 < move.squares.size(); ++i)
    {
        int fromRow = 0, fromCol = 0, toRow = 0, toCol = 0;
        if (!SquareRowCol(move.squares[i], fromRow, fromCol) ||
            !SquareRowCol(move.squares[i + 1], toRow, toCol))
            return MoveRefused;
        // Each part must be of the kind the text says: the board would take
        // a step as the last part of "9x13x22" just as readily.
        if ((std::abs(toRow - fromRow) == 2) != move.capture)
            return MoveRefused;
        result = MoveFor(next, side, fromRow, fromCol, toRow, toCol);
        const bool last = i + 2 == move.squares.size();
        if (result == MoveRefused || (result == MoveCaptureAgain) == last)
            return MoveRefused;
    }
    board = next;
    return result;
}

std::optional<NotatedMove> ResolveMove(const CCheckerBoard& board, const NotatedMove& typed)
{
    const std::vector<NotatedMove> legal = ListLegalMoves(board);
    std::optional<NotatedMove> found;
    for (const NotatedMove& move : legal)
    {
        if (move == typed)
            return move;
        const bool shortened = typed.capture && move.capture && typed.squares.size() == 2 &&
                               move.squares.front() == typed.squares.front() &&
                               move.squares.back() == typed.squares.back();
        if (!shortened)
            continue;
        if (found)
            return std::nullopt; // two captures join those squares: say which
        found = move;
    }
    return found;
}
