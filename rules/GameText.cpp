#include "rules/GameText.h"

#include <cstdlib>

namespace
{
bool Owns(std::int32_t side, std::int32_t code)
{
    return side == CCheckerBoard::BlackSide
               ? code == CCheckerBoard::BlackMan || code == CCheckerBoard::BlackKing
               : code == CCheckerBoard::RedMan || code == CCheckerBoard::RedKing;
}

bool IsKing(std::int32_t code)
{
    return code == CCheckerBoard::BlackKing || code == CCheckerBoard::RedKing;
}

const char* Name(std::int32_t side)
{
    return side == CCheckerBoard::BlackSide ? "black" : "red";
}

std::string Capitalised(const char* name)
{
    std::string text = name;
    text[0] = static_cast<char>(text[0] - 'a' + 'A');
    return text;
}
} // namespace

std::string RefusalReason(const CCheckerBoard& board, int fromRow, int fromCol, int toRow,
                          int toCol)
{
    const std::int32_t side = board.m_side;
    if (side != CCheckerBoard::BlackSide && side != CCheckerBoard::RedSide)
        return "No move can be made in this position";
    for (const int index : {fromRow, fromCol, toRow, toCol})
        if (index < 0 || index > 7)
            return "That square is not on the board";
    if ((toRow - toCol) % 2 != 0 || (fromRow - fromCol) % 2 != 0)
        return "Chips stay on the dark squares";
    const std::int32_t piece = board.m_cells[8 * fromRow + fromCol];
    if (!Owns(side, piece))
        return "It is " + std::string(Name(side)) + "'s turn";
    if (board.m_cells[8 * toRow + toCol] != CCheckerBoard::Empty)
        return "That square is not free";

    const int forward = side == CCheckerBoard::BlackSide ? 1 : -1;
    const int rows = (toRow - fromRow) * forward; // > 0 forward, as the side sees it
    const int cols = std::abs(toCol - fromCol);
    const bool mustCapture =
        side == CCheckerBoard::BlackSide ? board.BlackHasJump() : board.RedHasJump();
    if (std::abs(rows) == 1 && cols == 1)
    {
        if (rows < 0 && !IsKing(piece))
            return "Men move forward only";
        return mustCapture ? "A capture is compulsory" : "";
    }
    if (std::abs(rows) == 2 && cols == 2)
    {
        if (rows < 0 && !IsKing(piece))
            return "Men move forward only";
        const std::int32_t jumped =
            board.m_cells[8 * ((fromRow + toRow) / 2) + (fromCol + toCol) / 2];
        if (!Owns(1 - side, jumped))
            return "A jump goes over an enemy chip";
        return "";
    }
    return "Chips move one square diagonally, or jump";
}

std::int32_t LosingSide(const CCheckerBoard& board)
{
    const bool blackStuck = !board.BlackHasMove();
    const bool redStuck = !board.RedHasMove();
    if (blackStuck && redStuck)
        return board.m_side;
    if (blackStuck)
        return CCheckerBoard::BlackSide;
    return redStuck ? CCheckerBoard::RedSide : -1;
}

std::string StatusLine(const CCheckerBoard& board, bool captureGoesOn)
{
    const std::int32_t side = board.m_side;
    if (side != CCheckerBoard::BlackSide && side != CCheckerBoard::RedSide)
        return std::string();
    const std::int32_t loser = LosingSide(board);
    if (loser != -1)
        return Capitalised(Name(1 - loser)) + " wins: " + Name(loser) + " cannot move";
    const std::string mover = Capitalised(Name(side));
    if (captureGoesOn)
        return mover + " must go on capturing with the same chip";
    const bool mustCapture =
        side == CCheckerBoard::BlackSide ? board.BlackHasJump() : board.RedHasJump();
    return mover + (mustCapture ? " must capture" : " to move");
}

std::string EndText(const GameEnd& end)
{
    switch (end.kind)
    {
    case GameEndKind::Repetition:
        return "Drawn by threefold repetition";
    case GameEndKind::FortyMoves:
        return "Drawn by the forty-move rule";
    case GameEndKind::Agreement:
        return "Drawn by agreement";
    case GameEndKind::Resignation:
        return Capitalised(Name(end.loser)) + " resigns";
    case GameEndKind::Time:
        break;
    }
    return Capitalised(Name(end.loser)) + " loses on time";
}

std::string StatusLine(const CCheckerBoard& board, bool captureGoesOn,
                       const std::optional<GameEnd>& end)
{
    if (!end || LosingSide(board) != -1)
        return StatusLine(board, captureGoesOn);
    return EndText(*end);
}
