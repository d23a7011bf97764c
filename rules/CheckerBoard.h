#pragma once

#include "rules/MoveResult.h"

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

// The whole state of one game: the code of every square and the side to
// move. A plain value: copy it, compare it, print it.
//
// Squares are (row, column), each 0..7; the cell of (r, c) is m_cells[8 * r + c].
// Black (side 0) starts on rows 0..2 and moves toward row 7; red (side 1)
// starts on rows 5..7 and moves toward row 0.
class CCheckerBoard
{
public:
    // Cell codes.
    static constexpr std::int32_t Light = 0; // never holds a piece
    static constexpr std::int32_t Empty = 1;
    static constexpr std::int32_t RedMan = 2;
    static constexpr std::int32_t RedKing = 3;
    static constexpr std::int32_t BlackMan = 4;
    static constexpr std::int32_t BlackKing = 5;

    // Values of m_side.
    static constexpr std::int32_t BlackSide = 0;
    static constexpr std::int32_t RedSide = 1;

    // Starts in the initial position with black to move.
    CCheckerBoard();

    // Sets the initial position and gives black the move, whatever the board held.
    void Reset();

    // Carries out one move of the side named (from row/column to row/column)
    // if it is legal: a step, or a capture over one enemy piece. Captures are
    // compulsory, men step and capture forward only, a man reaching the far
    // row is crowned at once (also mid-capture). A refused move changes nothing.
    MoveResult MoveBlack(int fromRow, int fromCol, int toRow, int toCol);
    MoveResult MoveRed(int fromRow, int fromCol, int toRow, int toCol);

    // Lists the landing squares of the captures open to the piece of that
    // colour on (r, c): forward-right, forward-left, then (kings only)
    // backward-right, backward-left, each as seen from its own side. Both
    // lists are emptied first; entry i of rows and cols is one square. The
    // same vector may be passed twice when only the answer matters.
    // False if the square is off the board or holds no piece of that colour.
    bool BlackJumps(int r, int c, std::vector<int>& rows, std::vector<int>& cols) const;
    bool RedJumps(int r, int c, std::vector<int>& rows, std::vector<int>& cols) const;

    // As the jump scans, then the steps appended in the same direction order.
    // Steps are listed even when some capture makes them illegal.
    bool BlackMoves(int r, int c, std::vector<int>& rows, std::vector<int>& cols) const;
    bool RedMoves(int r, int c, std::vector<int>& rows, std::vector<int>& cols) const;

    // True if any piece of that colour can capture / can move at all.
    bool BlackHasJump() const;
    bool RedHasJump() const;
    bool BlackHasMove() const;
    bool RedHasMove() const;

    // True if either side (whoever is to move) has no legal move.
    bool IsGameOver() const;

    // The saved-game file: eight lines of letters, row 7 first, then the side
    // to move. Defined by the saved-game library (plaxen_savegame).
    // SaveGame replaces the file only once it is completely written; false
    // if anything failed (an existing file is then left as it was).
    bool SaveGame(const std::string& path) const;
    // False if the file cannot be read or is refused; the board is then unchanged.
    bool LoadGame(const std::string& path);
    // The exact bytes of a saved game.
    void WriteGame(std::ostream& out) const;
    // Reads a saved game, skipping white space before each letter and before
    // the side. Refused (false, board unchanged): fewer than 64 letters, a
    // character that is no cell letter, a light square holding anything but
    // "X", a side value other than 0 or 1. A missing or unreadable side
    // keeps the current side.
    bool ReadGame(std::istream& in);

    // The letter a cell code is saved as ('?' for a code that never occurs),
    // and the code of a saved letter (-1 if it is no cell letter).
    static char LetterOf(std::int32_t code);
    static std::int32_t CodeOf(char letter);

    bool operator==(const CCheckerBoard& other) const = default;

    std::int32_t m_cells[64];
    std::int32_t m_side;
};

// Prints the board as a saved game with ordinary line ends (for test failures).
std::ostream& operator<<(std::ostream& out, const CCheckerBoard& board);
void PrintTo(const CCheckerBoard& board, std::ostream* out);
