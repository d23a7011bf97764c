#include "view/ChildView.h"

#include <memory>

#include "notation/Squares.h"
#include "rules/GameText.h"
#include "scene/SGRotationTranslation.h"
#include "view/BoardAnimator.h"
#include "view/ClockKeeper.h"

namespace
{
constexpr int kSlideFrames = 50; // t = 0, 0.02, ..., 0.98; PlaceChips puts the chip down
constexpr double kSlideStep = 0.02;
constexpr double kCaptureHop = 1.5; // a capturing chip jumps high over its victim
constexpr double kStepHop = 0.5;
constexpr int kGameOverHalfTurns = 10; // five times around the board

bool OnBoard(int index)
{
    return index >= 0 && index <= 7;
}
} // namespace

void CChildView::OnLButtonUp(wxMouseEvent& event)
{
    LButtonUp();
    event.Skip();
}

void CChildView::LButtonUp()
{
    if (BoardIsTheComputers() || !m_animator->IsIdle())
        return;
    TryChosenMove();
}

void CChildView::TryChosenMove()
{
    if (!m_pickingChip || !m_selectedChip || !OnBoard(m_toX) || !OnBoard(m_toZ) ||
        !OnBoard(m_fromX) || !OnBoard(m_fromZ) || m_record.IsOver() || FlagFell())
        return;

    // m_facingSide0 is left to SpinCamera: it says where the camera really
    // stands, which differs from the side to move while "No Spin" is checked.
    const std::int32_t mover = m_board.m_side;
    const bool blackToMove = mover == CCheckerBoard::BlackSide;
    m_captureTurn = blackToMove ? m_board.BlackHasJump() : m_board.RedHasJump();

    const int fromRow = 7 - m_fromX;
    const int fromCol = 7 - m_fromZ;
    const int toRow = 7 - m_toX;
    const int toCol = 7 - m_toZ;
    const MoveResult result = blackToMove ? m_board.MoveBlack(fromRow, fromCol, toRow, toCol)
                                          : m_board.MoveRed(fromRow, fromCol, toRow, toCol);

    // The record takes whole moves: the jumps of a capture gather in
    // m_movePath until the turn passes.
    if (result == MoveRefused)
    {
        if (!m_jumpPending)
            m_refusal = RefusalReason(m_board, fromRow, fromCol, toRow, toCol);
    }
    else
    {
        m_refusal.clear();
        if (m_movePath.squares.empty())
        {
            m_movePath.squares.push_back(SquareNumber(fromRow, fromCol));
            m_movePath.capture = toRow - fromRow == 2 || fromRow - toRow == 2;
        }
        m_movePath.squares.push_back(SquareNumber(toRow, toCol));
        if (result != MoveCaptureAgain)
        {
            // The move redo would play, played by hand, keeps the moves after it.
            if (m_record.CanRedo() && m_record.Moves()[m_record.Place()] == m_movePath)
                m_record.GoTo(m_record.Place() + 1);
            else
                m_record.Played(m_movePath, m_board);
            m_movePath = NotatedMove();
            m_gameFile.Changed();
            // In time: FlagFell has just looked.
            m_clocks->MoveMade(mover);
        }
    }

    // The board record and the move input change now; the picture follows
    // through the animator: the slide, then the chips rebuilt, then the turns.
    switch (result)
    {
    case MoveCaptureAgain:
    {
        AnimateMove();
        const int landingX = m_toX;
        const int landingZ = m_toZ;
        // The chips as this jump leaves them: a computer's later jumps are
        // on the board already.
        m_animator->QueueAction(
            [this, landingX, landingZ, after = m_board]
            {
                PlaceChipsOf(after);
                ClearHints();
                // The landing square holds the piece that must go on capturing.
                ShowHints(7 - landingZ, landingX);
                InvalidateRect();
            });
        m_fromX = m_toX;
        m_fromZ = m_toZ;
        m_pickingChip = false;
        m_jumpPending = true;
        break;
    }

    case MoveRefused:
        if (m_jumpPending)
            break;
        m_selectedChip.reset();
        ClearHints();
        m_pickingChip = true;
        InvalidateRect();
        break;

    case MoveTurnPassed:
    case MoveGameOver:
        AnimateMove();
        m_animator->QueueAction(
            [this, after = m_board]
            {
                PlaceChipsOf(after);
                InvalidateRect();
            });
        m_selectedChip.reset();
        SpinCamera();
        if (result == MoveGameOver)
            CircleTheBoard();
        StartComputerIfItsTurn(); // once the picture has caught up
        break;
    }
    FollowGame();
}

void CChildView::CircleTheBoard()
{
    m_noSpin = false;
    // With "No Spin" checked the camera was left where it stood; it first
    // catches up with the side to move, as unchecking the item does, so the
    // circling ends facing the right player.
    SpinCamera();
    for (int i = 0; i < kGameOverHalfTurns; ++i)
        QueueHalfTurn(true);
}

void CChildView::EndGameBy(const GameEnd& end)
{
    if (m_record.IsOver())
        return;
    CancelComputer();
    if (m_jumpPending)
    {
        // The game ends where the record stands, before the capture begun:
        // its first jumps' slides and chips give way to that board.
        m_animator->Finish();
        m_board = m_record.Board();
        PlaceChips();
    }
    m_record.EndGame(end);
    m_clocks->Pause();
    m_gameFile.Changed();
    ForgetMoveInput();
    InvalidateRect();
    CircleTheBoard();
}

void CChildView::ForgetMoveInput()
{
    m_movePath = NotatedMove();
    m_refusal.clear();
    m_pickingChip = true;
    m_jumpPending = false;
    m_selectedChip.reset();
    ClearHints();
}

bool CChildView::FlagFell()
{
    const std::int32_t out = m_clocks->OutOfTime();
    if (out < 0 || out != m_board.m_side)
        return false;
    EndGameBy(LostBy(GameEndKind::Time, m_board.m_side));
    return true;
}

void CChildView::AnimateMove()
{
    if (!m_selectedChip || !OnBoard(m_fromX) || !OnBoard(m_fromZ))
        return;
    const int from = 8 * m_fromZ + (7 - m_fromX);
    const double hop = m_captureTurn ? kCaptureHop : kStepHop;
    // In the board node: x runs with the column, z against the row.
    const double dx = m_fromZ - m_toZ;
    const double dz = m_toX - m_fromX;

    // The chip that slides is the one on the square when the slide begins:
    // after the rebuild that ends a jump of a multi-jump, the chosen node is
    // no longer in the scene, and the next jump moves the chip now there.
    auto sliding = std::make_shared<CSGPtr>();
    m_animator->Queue({[this, sliding, from]
                       {
                           *sliding = m_chipNodes[from];
                           return *sliding ? kSlideFrames : 0;
                       },
                       [sliding, dx, dz, hop](int frame)
                       {
                           const double t = frame * kSlideStep;
                           const double s = 3.0 * t * t - 2.0 * t * t * t; // eases in and out
                           const double y = 3.0 * hop * t * (1.0 - t);     // highest, 0.75 x hop
                           static_cast<CSGRotationTranslation&>(**sliding).SetTranslation(dx * s, y,
                                                                                          dz * s);
                       },
                       [sliding] { sliding->reset(); }});
}
