#include "engine/Position.h"

using namespace bitboard;

namespace
{
// Black's men go directions 0 and 1, red's 2 and 3; kings also go the
// other colour's ways. Written per side so every shift is a constant.
template <int Side> struct Ways
{
    static constexpr int f0 = Side == CPosition::Black ? 0 : 2;
    static constexpr int f1 = f0 + 1;
    static constexpr int b0 = Opposite(f0);
    static constexpr int b1 = Opposite(f1);
};

template <int Side> bool CanCapture(Mask mine, Mask kings, Mask theirs, Mask empty)
{
    using W = Ways<Side>;
    const Mask k = mine & kings;
    return ((Shift<W::f0>(Shift<W::f0>(mine) & theirs) | Shift<W::f1>(Shift<W::f1>(mine) & theirs) |
             Shift<W::b0>(Shift<W::b0>(k) & theirs) | Shift<W::b1>(Shift<W::b1>(k) & theirs)) &
            empty) != 0;
}

template <int Side> bool CanStep(Mask mine, Mask kings, Mask empty)
{
    using W = Ways<Side>;
    const Mask k = mine & kings;
    return ((Shift<W::f0>(mine) | Shift<W::f1>(mine) | Shift<W::b0>(k) | Shift<W::b1>(k)) &
            empty) != 0;
}
} // namespace

bool SideCanCapture(int side, Mask mine, Mask kings, Mask theirs, Mask empty)
{
    return side == CPosition::Black ? CanCapture<CPosition::Black>(mine, kings, theirs, empty)
                                    : CanCapture<CPosition::Red>(mine, kings, theirs, empty);
}

bool SideCanMove(int side, Mask mine, Mask kings, Mask theirs, Mask empty)
{
    const bool step = side == CPosition::Black ? CanStep<CPosition::Black>(mine, kings, empty)
                                               : CanStep<CPosition::Red>(mine, kings, empty);
    return step || SideCanCapture(side, mine, kings, theirs, empty);
}

CPosition CPosition::Start()
{
    CPosition position;
    position.m_black = 0x00000FFFu;
    position.m_red = 0xFFF00000u;
    return position;
}

CPosition CPosition::FromBoard(const CCheckerBoard& board)
{
    CPosition position = FromFen(FenFromBoard(board));
    // FEN has no dead squares; the board keeps them as light cells.
    for (int index = 0; index < 32; ++index)
        if (board.m_cells[8 * RowOf(index) + ColOf(index)] == CCheckerBoard::Light)
            position.m_dead |= Bit(index);
    return position;
}

CPosition CPosition::FromFen(const FenPosition& fen)
{
    CPosition position;
    position.m_black = fen.black;
    position.m_red = fen.red & ~fen.black;
    position.m_kings = fen.kings & (position.m_black | position.m_red);
    position.m_side = fen.side == Red ? Red : Black;
    return position;
}

FenPosition CPosition::ToFen() const
{
    FenPosition fen;
    fen.side = m_side;
    fen.black = m_black;
    fen.red = m_red;
    fen.kings = m_kings;
    return fen;
}

bool CPosition::HasMove(int side) const
{
    const Mask mine = Pieces(side);
    return SideCanMove(side, mine, m_kings & mine, Pieces(side ^ 1), Empty());
}

bool CPosition::HasCapture(int side) const
{
    const Mask mine = Pieces(side);
    return SideCanCapture(side, mine, m_kings & mine, Pieces(side ^ 1), Empty());
}

CPosition CPosition::After(const EngineMove& move) const
{
    CPosition next = *this;
    const Mask from = Bit(move.From());
    // Zero when a king's capture ends where it began.
    const Mask fromTo = from ^ Bit(move.To());
    Mask& mine = m_side == Black ? next.m_black : next.m_red;
    Mask& theirs = m_side == Black ? next.m_red : next.m_black;
    mine ^= fromTo;
    if (m_kings & from)
        next.m_kings ^= fromTo;
    theirs &= ~move.captured;
    next.m_kings &= ~move.captured;
    if (move.crowns)
        next.m_kings |= Bit(move.To());
    next.m_side = m_side ^ 1;
    return next;
}
