// Feeds arbitrary bytes to the saved-game reader, then plays on whatever
// position it accepted: a loaded file reaches the rules with pieces the
// opening never produces (kings anywhere, "X" on dark squares).

#include "rules/CheckerBoard.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace
{

// A refused file leaves the board as it was; an accepted one survives being
// saved and read back unchanged, in exactly 153 bytes.
void CheckRoundTrip(const CCheckerBoard& board)
{
    std::ostringstream out(std::ios::binary);
    board.WriteGame(out);
    if (out.str().size() != 153)
        std::abort();
    std::istringstream in(out.str(), std::ios::binary);
    CCheckerBoard again;
    again.m_side = 1 - board.m_side;
    if (!again.ReadGame(in) || !(again == board))
        std::abort();
}

// The move lists, the "has" questions and the move itself must agree: every
// listed capture of the side to move is carried out, and a side has a move
// or a capture exactly when some square lists one.
void CheckRules(const CCheckerBoard& board)
{
    const bool black = board.m_side == CCheckerBoard::BlackSide;
    bool blackMove = false;
    bool redMove = false;
    bool blackJump = false;
    bool redJump = false;
    std::vector<int> rows;
    std::vector<int> cols;
    // One square past each edge too: the scans must refuse those quietly.
    for (int r = -1; r <= 8; ++r)
        for (int c = -1; c <= 8; ++c)
        {
            blackMove = (board.BlackMoves(r, c, rows, cols) && !rows.empty()) || blackMove;
            redMove = (board.RedMoves(r, c, rows, cols) && !rows.empty()) || redMove;
            blackJump = (board.BlackJumps(r, c, rows, cols) && !rows.empty()) || blackJump;
            redJump = (board.RedJumps(r, c, rows, cols) && !rows.empty()) || redJump;
            if (black)
                board.BlackJumps(r, c, rows, cols);
            if (rows.size() != cols.size())
                std::abort();
            for (std::size_t i = 0; i < rows.size(); ++i)
            {
                CCheckerBoard copy = board;
                const MoveResult result = black ? copy.MoveBlack(r, c, rows[i], cols[i])
                                                : copy.MoveRed(r, c, rows[i], cols[i]);
                if (result == MoveRefused || result > MoveGameOver)
                    std::abort();
            }
        }
    if (blackMove != board.BlackHasMove() || redMove != board.RedHasMove() ||
        blackJump != board.BlackHasJump() || redJump != board.RedHasJump())
        std::abort();
    if (board.IsGameOver() != (!blackMove || !redMove))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size), std::ios::binary);
    const CCheckerBoard before;
    CCheckerBoard board;
    if (!board.ReadGame(in))
    {
        if (!(board == before))
            std::abort();
        return 0;
    }
    CheckRoundTrip(board);
    CheckRules(board);
    return 0;
}
