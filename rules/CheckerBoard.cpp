#include "rules/CheckerBoard.h"

#include <ostream>

namespace
{
// Black and red play the same game turned half round: every direction of
// one is the opposite direction of the other. One description per colour
// lets a single routine serve both.
struct SideRules
{
    std::int32_t side;
    std::int32_t man;
    std::int32_t king;
    std::int32_t enemyMan;
    std::int32_t enemyKing;
    int forward;  // row step of a man
    int crownRow; // a man arriving here becomes a king
};

constexpr SideRules kBlack{CCheckerBoard::BlackSide,
                           CCheckerBoard::BlackMan,
                           CCheckerBoard::BlackKing,
                           CCheckerBoard::RedMan,
                           CCheckerBoard::RedKing,
                           +1,
                           7};
constexpr SideRules kRed{CCheckerBoard::RedSide,
                         CCheckerBoard::RedMan,
                         CCheckerBoard::RedKing,
                         CCheckerBoard::BlackMan,
                         CCheckerBoard::BlackKing,
                         -1,
                         0};

bool OnBoard(int r, int c)
{
    return r >= 0 && r < 8 && c >= 0 && c < 8;
}

bool IsDark(int r, int c)
{
    return (r - c) % 2 == 0;
}

std::int32_t& Cell(std::int32_t (&cells)[64], int r, int c)
{
    return cells[8 * r + c];
}

std::int32_t Cell(const std::int32_t (&cells)[64], int r, int c)
{
    return cells[8 * r + c];
}

bool IsOwn(const SideRules& s, std::int32_t code)
{
    return code == s.man || code == s.king;
}

bool IsEnemy(const SideRules& s, std::int32_t code)
{
    return code == s.enemyMan || code == s.enemyKing;
}

// Directions in scan order, as multiples of the side's forward row step:
// forward-right, forward-left, backward-right, backward-left (right and left
// as the side sees the board, hence the column also flips with the side).
// Only kings use the last two.
constexpr int kDirections[4][2] = {{1, 1}, {1, -1}, {-1, 1}, {-1, -1}};

bool Jumps(const std::int32_t (&cells)[64], const SideRules& s, int r, int c,
           std::vector<int>& rows, std::vector<int>& cols)
{
    rows.clear();
    cols.clear();
    if (!OnBoard(r, c) || !IsOwn(s, Cell(cells, r, c)))
        return false;
    const int directions = Cell(cells, r, c) == s.king ? 4 : 2;
    bool found = false;
    for (int i = 0; i < directions; ++i)
    {
        const int dr = kDirections[i][0] * s.forward;
        const int dc = kDirections[i][1] * s.forward;
        const int lr = r + 2 * dr;
        const int lc = c + 2 * dc;
        if (OnBoard(lr, lc) && Cell(cells, lr, lc) == CCheckerBoard::Empty &&
            IsEnemy(s, Cell(cells, r + dr, c + dc)))
        {
            rows.push_back(lr);
            cols.push_back(lc);
            found = true;
        }
    }
    return found;
}

bool Moves(const std::int32_t (&cells)[64], const SideRules& s, int r, int c,
           std::vector<int>& rows, std::vector<int>& cols)
{
    rows.clear();
    cols.clear();
    if (!OnBoard(r, c) || !IsOwn(s, Cell(cells, r, c)))
        return false;
    bool found = Jumps(cells, s, r, c, rows, cols);
    const int directions = Cell(cells, r, c) == s.king ? 4 : 2;
    for (int i = 0; i < directions; ++i)
    {
        const int tr = r + kDirections[i][0] * s.forward;
        const int tc = c + kDirections[i][1] * s.forward;
        if (OnBoard(tr, tc) && Cell(cells, tr, tc) == CCheckerBoard::Empty)
        {
            rows.push_back(tr);
            cols.push_back(tc);
            found = true;
        }
    }
    return found;
}

template <typename Scan>
bool AnyPiece(const std::int32_t (&cells)[64], const SideRules& s, Scan scan)
{
    std::vector<int> scratch;
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c)
            if (IsOwn(s, Cell(cells, r, c)) && scan(cells, s, r, c, scratch, scratch))
                return true;
    return false;
}

// The one move routine behind MoveBlack and MoveRed; `board` is changed
// only once every check has passed.
MoveResult Move(CCheckerBoard& board, const SideRules& s, int fr, int fc, int tr, int tc)
{
    auto& cells = board.m_cells;
    if (board.m_side != s.side)
        return MoveRefused;
    if (!OnBoard(fr, fc) || !OnBoard(tr, tc))
        return MoveRefused;
    if (!IsDark(fr, fc) || !IsDark(tr, tc))
        return MoveRefused;
    const std::int32_t piece = Cell(cells, fr, fc);
    if (!IsOwn(s, piece) || Cell(cells, tr, tc) != CCheckerBoard::Empty)
        return MoveRefused;

    // Rows counted in the side's own forward direction.
    const int dr = (tr - fr) * s.forward;
    const int dc = tc - fc;
    const bool isKing = piece == s.king;
    const int other =
        s.side == CCheckerBoard::BlackSide ? CCheckerBoard::RedSide : CCheckerBoard::BlackSide;

    if ((dr == 1 || dr == -1) && (dc == 1 || dc == -1))
    {
        if (dr == -1 && !isKing)
            return MoveRefused;
        if (AnyPiece(cells, s, Jumps))
            return MoveRefused; // capturing is compulsory
        Cell(cells, tr, tc) = piece;
        Cell(cells, fr, fc) = CCheckerBoard::Empty;
        if (piece == s.man && tr == s.crownRow)
            Cell(cells, tr, tc) = s.king;
        board.m_side = other;
        return board.IsGameOver() ? MoveGameOver : MoveTurnPassed;
    }

    if ((dr == 2 || dr == -2) && (dc == 2 || dc == -2))
    {
        if (dr == -2 && !isKing)
            return MoveRefused;
        std::int32_t& jumped = Cell(cells, (fr + tr) / 2, (fc + tc) / 2);
        if (!IsEnemy(s, jumped))
            return MoveRefused;
        Cell(cells, tr, tc) = piece;
        Cell(cells, fr, fc) = CCheckerBoard::Empty;
        jumped = CCheckerBoard::Empty;
        // Crowned before looking for the next capture, so a man that reaches
        // the far row goes on capturing as a king.
        if (piece == s.man && tr == s.crownRow)
            Cell(cells, tr, tc) = s.king;
        if (board.IsGameOver())
            return MoveGameOver;
        std::vector<int> scratch;
        if (Jumps(cells, s, tr, tc, scratch, scratch))
            return MoveCaptureAgain;
        board.m_side = other;
        return MoveTurnPassed;
    }
    return MoveRefused;
}
} // namespace

CCheckerBoard::CCheckerBoard()
{
    Reset();
}

void CCheckerBoard::Reset()
{
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c)
        {
            std::int32_t code = Light;
            if (IsDark(r, c))
                code = r < 3 ? BlackMan : r > 4 ? RedMan : Empty;
            Cell(m_cells, r, c) = code;
        }
    m_side = BlackSide;
}

MoveResult CCheckerBoard::MoveBlack(int fromRow, int fromCol, int toRow, int toCol)
{
    return Move(*this, kBlack, fromRow, fromCol, toRow, toCol);
}

MoveResult CCheckerBoard::MoveRed(int fromRow, int fromCol, int toRow, int toCol)
{
    return Move(*this, kRed, fromRow, fromCol, toRow, toCol);
}

bool CCheckerBoard::BlackJumps(int r, int c, std::vector<int>& rows, std::vector<int>& cols) const
{
    return Jumps(m_cells, kBlack, r, c, rows, cols);
}

bool CCheckerBoard::RedJumps(int r, int c, std::vector<int>& rows, std::vector<int>& cols) const
{
    return Jumps(m_cells, kRed, r, c, rows, cols);
}

bool CCheckerBoard::BlackMoves(int r, int c, std::vector<int>& rows, std::vector<int>& cols) const
{
    return Moves(m_cells, kBlack, r, c, rows, cols);
}

bool CCheckerBoard::RedMoves(int r, int c, std::vector<int>& rows, std::vector<int>& cols) const
{
    return Moves(m_cells, kRed, r, c, rows, cols);
}

bool CCheckerBoard::BlackHasJump() const
{
    return AnyPiece(m_cells, kBlack, Jumps);
}

bool CCheckerBoard::RedHasJump() const
{
    return AnyPiece(m_cells, kRed, Jumps);
}

bool CCheckerBoard::BlackHasMove() const
{
    return AnyPiece(m_cells, kBlack, Moves);
}

bool CCheckerBoard::RedHasMove() const
{
    return AnyPiece(m_cells, kRed, Moves);
}

bool CCheckerBoard::IsGameOver() const
{
    return !BlackHasMove() || !RedHasMove();
}

char CCheckerBoard::LetterOf(std::int32_t code)
{
    static constexpr char kLetters[] = {'X', '_', 'r', 'R', 'b', 'B'};
    return code >= 0 && code < 6 ? kLetters[code] : '?';
}

std::int32_t CCheckerBoard::CodeOf(char letter)
{
    for (std::int32_t code = Light; code <= BlackKing; ++code)
        if (LetterOf(code) == letter)
            return code;
    return -1;
}

std::ostream& operator<<(std::ostream& out, const CCheckerBoard& board)
{
    for (int r = 7; r >= 0; --r)
    {
        for (int c = 0; c < 8; ++c)
            out << CCheckerBoard::LetterOf(board.m_cells[8 * r + c]) << ' ';
        out << '\n';
    }
    return out << board.m_side;
}

void PrintTo(const CCheckerBoard& board, std::ostream* out)
{
    *out << '\n' << board;
}
