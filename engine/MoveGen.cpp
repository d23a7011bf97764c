#include "engine/MoveGen.h"

using namespace bitboard;

namespace
{
// Everything a capture sequence needs while it runs; the moving piece has
// left its starting square, which is free for the rest of the move.
struct CaptureWalk
{
    int side;
    Mask others; // the mover's other pieces
    Mask kings;  // every king on the board before the move
    Mask dead;
    Mask crownRow;
    bool startedKing;
    EngineMove move; // the path so far
    CMoveList* list;
};

void Emit(CaptureWalk& walk, int length, Mask captured, bool king)
{
    EngineMove& move = walk.move;
    move.length = static_cast<std::uint8_t>(length);
    move.captured = captured;
    move.crowns = king && !walk.startedKing;
    walk.list->Add(move);
}

// Tries every jump from `at`; returns false when there is none, so the
// caller knows the capture ended on `at`.
bool Walk(CaptureWalk& walk, int at, bool king, Mask enemy, Mask captured, int length)
{
    // Kings jump all four ways, black men the first two, red men the last two.
    const int first = king || walk.side == CPosition::Black ? 0 : 2;
    const int last = king ? 4 : first + 2;
    const Mask empty = ~(walk.others | enemy | walk.dead);
    bool found = false;
    for (int dir = first; dir < last; ++dir)
    {
        const int over = Step(dir, at);
        const int land = Jump(dir, at);
        if (land < 0 || !(enemy & Bit(over)) || !(empty & Bit(land)))
            continue;
        found = true;
        const Mask left = enemy & ~Bit(over);
        const Mask taken = captured | Bit(over);
        const bool crowned = king || (walk.crownRow & Bit(land));
        walk.move.path[length] = static_cast<std::uint8_t>(land);
        // The game ends the moment the enemy cannot move, even if this piece
        // could jump on. (The mover always can while its piece still jumps,
        // and the capture ends anyway when it cannot.)
        const Mask mine = walk.others | Bit(land);
        const Mask enemyKings = walk.kings & left;
        const bool gameOver =
            !SideCanMove(walk.side ^ 1, left, enemyKings, mine, ~(mine | left | walk.dead));
        if (gameOver || !Walk(walk, land, crowned, left, taken, length + 1))
            Emit(walk, length + 1, taken, crowned);
    }
    return found;
}

void GenerateCaptures(const CPosition& position, CMoveList& list)
{
    const int side = position.m_side;
    const Mask mine = position.Pieces(side);
    const Mask enemy = position.Pieces(side ^ 1);
    CaptureWalk walk{};
    walk.side = side;
    walk.kings = position.m_kings;
    walk.dead = position.m_dead;
    walk.crownRow = side == CPosition::Black ? kRow7 : kRow0;
    walk.list = &list;
    for (Mask pieces = mine; pieces; pieces &= pieces - 1)
    {
        const int from = Lowest(pieces);
        walk.others = mine & ~Bit(from);
        walk.startedKing = (position.m_kings & Bit(from)) != 0;
        walk.move.path[0] = static_cast<std::uint8_t>(from);
        Walk(walk, from, walk.startedKing, enemy, 0, 1);
    }
}

void AddSteps(const CPosition& position, int dir, Mask movers, CMoveList& list)
{
    const Mask crownRow = position.m_side == CPosition::Black ? kRow7 : kRow0;
    for (Mask targets = Shift(dir, movers) & position.Empty(); targets; targets &= targets - 1)
    {
        const int to = Lowest(targets);
        const int from = Step(Opposite(dir), to);
        EngineMove move;
        move.captured = 0;
        move.length = 2;
        move.path[0] = static_cast<std::uint8_t>(from);
        move.path[1] = static_cast<std::uint8_t>(to);
        move.crowns = !(position.m_kings & Bit(from)) && (crownRow & Bit(to));
        list.Add(move);
    }
}
} // namespace

void GenerateMoves(const CPosition& position, CMoveList& list)
{
    list.Clear();
    const int side = position.m_side;
    if (position.HasCapture(side))
    {
        GenerateCaptures(position, list);
        return;
    }
    const Mask mine = position.Pieces(side);
    const int* forward = side == CPosition::Black ? kBlackForward : kRedForward;
    const int* backward = side == CPosition::Black ? kRedForward : kBlackForward;
    for (int i = 0; i < 2; ++i)
    {
        AddSteps(position, forward[i], mine, list);
        AddSteps(position, backward[i], mine & position.m_kings, list);
    }
}
