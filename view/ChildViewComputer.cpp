#include "view/ChildView.h"

#include <algorithm>

#include <wx/toplevel.h>

#include "notation/BoardMoves.h"
#include "notation/Squares.h"
#include "record/DrawRules.h"
#include "record/Review.h"
#include "rules/GameText.h"
#include "view/Analyst.h"
#include "view/BoardAnimator.h"
#include "view/BoardMarks.h"
#include "view/ClockKeeper.h"
#include "view/CommandIds.h"
#include "view/ComputerPlayer.h"
#include "view/HintFinder.h"
#include "view/Reviewer.h"

namespace
{
// Held back from the computer's share of its clock: its answer still has
// to cross the window's event queue before its clock stops.
constexpr int kHandOverMs = 100;

const char* const kDrawDeclined = "The computer declines the draw and plays on";
const char* const kLookingForHint = "Looking for a hint...";
const char* const kReviewing = "Reviewing the game...";
const char* const kGameOver = "The game is over";
const char* const kWaitingForReview = "Waiting for the review to end";
const char* const kWaitingForComputer = "Waiting for the computer to move";

bool IsSide(std::int32_t side)
{
    return side == CCheckerBoard::BlackSide || side == CCheckerBoard::RedSide;
}
} // namespace

void CChildView::OnComputerPlaysBlack(wxCommandEvent&)
{
    CancelComputer();
    m_computerPlays[CCheckerBoard::BlackSide] = !m_computerPlays[CCheckerBoard::BlackSide];
    SpinCamera(); // to the player's end, if one side is the player's now
    StartComputerIfItsTurn();
}

void CChildView::OnUpdateComputerPlaysBlack(wxUpdateUIEvent& event)
{
    event.Check(m_computerPlays[CCheckerBoard::BlackSide]);
}

void CChildView::OnComputerPlaysRed(wxCommandEvent&)
{
    CancelComputer();
    m_computerPlays[CCheckerBoard::RedSide] = !m_computerPlays[CCheckerBoard::RedSide];
    SpinCamera();
    StartComputerIfItsTurn();
}

void CChildView::OnUpdateComputerPlaysRed(wxUpdateUIEvent& event)
{
    event.Check(m_computerPlays[CCheckerBoard::RedSide]);
}

void CChildView::OnComputerLevel(wxCommandEvent& event)
{
    // The next search thinks at the new level; one under way finishes as it began.
    m_computerLevel = static_cast<EngineLevel>(event.GetId() - ViewCommand::LevelBeginner);
}

void CChildView::OnUpdateComputerLevel(wxUpdateUIEvent& event)
{
    event.Check(event.GetId() - ViewCommand::LevelBeginner == static_cast<int>(m_computerLevel));
}

void CChildView::OnComputerMove(wxThreadEvent& event)
{
    const auto answer = event.GetPayload<ComputerAnswer>();
    if (!m_computer || !m_computer->Accept(answer))
        return;
    const SearchInfo& info = answer.result.info;
    if (answer.request == m_drawOffer)
    {
        // The player offered on their own move: the search's figures are
        // the player's, the computer's the other way round.
        m_drawOffer = 0;
        if (CannotWin(-info.score, -info.winMoves))
            EndGameBy(DrawnBy(GameEndKind::Agreement));
        else
            m_refusal = kDrawDeclined;
        return;
    }
    if (!answer.result.hasMove || ComputerClaims(info.score, info.winMoves))
        return;
    // The board decides, as for a player: a move it does not list is not played.
    if (const auto move = ResolveMove(m_board, answer.result.move))
        PlayComputerMove(*move);
}

void CChildView::StartComputerIfItsTurn()
{
    // The side to move's clock runs once the picture shows the board as it
    // is, whoever is to move.
    if (m_animator->IsIdle() && !m_record.IsOver())
        m_clocks->Run(m_board.m_side);
    if (!IsSide(m_board.m_side) || !m_computerPlays[m_board.m_side] || m_jumpPending ||
        m_record.IsOver() || IsReviewing())
        return;
    // It thinks once the picture has caught up (the board is ready again)
    // and, already thinking, goes on: every change of the board stops it.
    if (!m_animator->IsIdle() || (m_computer && m_computer->IsThinking()))
        return;
    // Playing itself it cannot hope for more than a draw: it claims one at
    // once rather than go round the board for ever.
    const auto draw = ClaimableDraw(m_record);
    if (draw && m_computerPlays[1 - m_board.m_side])
    {
        EndGameBy(DrawnBy(*draw));
        return;
    }
    if (!m_computer)
        m_computer = std::make_unique<CComputerPlayer>(this);
    // A chip the player had chosen for this side is let go.
    if (m_selectedChip)
    {
        m_selectedChip.reset();
        m_pickingChip = true;
        ClearHints();
        InvalidateRect();
    }
    int clockMs = 0;
    if (m_clocks->HasClocks())
    {
        const int left = m_clocks->LeftMs(m_board.m_side);
        clockMs = std::max(1, left - std::min(left / 10, kHandOverMs));
    }
    m_computer->Start(m_record.History(), m_computerLevel, clockMs, m_clocks->IncrementMs());
}

bool CChildView::ComputerClaims(int score, int winMoves)
{
    if (!CannotWin(score, winMoves))
        return false;
    const auto draw = ClaimableDraw(m_record);
    if (draw)
        EndGameBy(DrawnBy(*draw));
    return draw.has_value();
}

void CChildView::CancelComputer()
{
    if (m_computer)
        m_computer->Cancel();
    m_drawOffer = 0;
}

void CChildView::PlayComputerMove(const NotatedMove& move)
{
    for (std::size_t i = 0; i + 1 < move.squares.size(); ++i)
    {
        int fromRow = 0, fromCol = 0, toRow = 0, toCol = 0;
        if (!SquareRowCol(move.squares[i], fromRow, fromCol) ||
            !SquareRowCol(move.squares[i + 1], toRow, toCol))
            return;
        // The grid squares a player would have pressed, chip then landing.
        m_fromX = 7 - fromRow;
        m_fromZ = 7 - fromCol;
        m_toX = 7 - toRow;
        m_toZ = 7 - toCol;
        if (i == 0)
        {
            // The chips stand where the board says: the computer began
            // thinking once the picture had caught up.
            m_selectedChip = m_chipNodes[8 * m_fromZ + (7 - m_fromX)];
            ClearHints();
        }
        else
        {
            // The later jumps queue behind the earlier ones' slides, whose
            // chips are not rebuilt yet; the chosen chip stays chosen, as for
            // a player, and the landing square's highlight goes when the
            // slide from it begins.
            m_animator->QueueAction([this] { ClearHints(); });
        }
        m_pickingChip = true;
        m_jumpPending = false;
        TryChosenMove();
    }
}

bool CChildView::BoardIsTheComputers() const
{
    if ((m_computer && m_computer->IsThinking()) || IsReviewing())
        return true;
    return IsSide(m_board.m_side) && m_computerPlays[m_board.m_side] && !m_jumpPending;
}

std::int32_t CChildView::CameraSide() const
{
    const bool black = m_computerPlays[CCheckerBoard::BlackSide];
    if (black != m_computerPlays[CCheckerBoard::RedSide])
        return black ? CCheckerBoard::RedSide : CCheckerBoard::BlackSide;
    return m_board.m_side;
}

std::string CChildView::StatusText() const
{
    if (m_computer && m_computer->IsThinking())
        return "Thinking...";
    if (IsReviewing())
        return kReviewing;
    if (m_hintFinder && m_hintFinder->IsSearching())
        return kLookingForHint;
    if (!m_hintText.empty())
        return m_hintText;
    if (!m_refusal.empty())
        return m_refusal;
    return StatusLine(m_board, m_jumpPending, m_record.End());
}

void CChildView::OnHint(wxCommandEvent&)
{
    wxUpdateUIEvent allowed(ViewCommand::Hint);
    OnUpdateHint(allowed);
    if (!allowed.GetEnabled())
        return;
    DismissHint();
    if (!m_hintFinder)
        m_hintFinder = std::make_unique<CHintFinder>(this);
    m_hintGame = m_record.History();
    m_hintFinder->Start(m_hintGame);
}

void CChildView::OnUpdateHint(wxUpdateUIEvent& event)
{
    event.Enable(!BoardIsTheComputers() && !m_record.IsOver() && !m_jumpPending);
}

void CChildView::OnReviewGame(wxCommandEvent&)
{
    wxUpdateUIEvent allowed(ViewCommand::ReviewGame);
    OnUpdateReviewGame(allowed);
    if (!allowed.GetEnabled())
        return;
    // The review has the machine to itself: the computer and the hint stop
    // (the computer starts again after it), the analysis waits.
    CancelComputer();
    DismissHint();
    if (!m_reviewer)
        m_reviewer = std::make_unique<CReviewer>(this);
    m_reviewGame = m_record.History();
    m_reviewer->Start(m_reviewGame);
    m_reviewProgress = new CReviewProgress(wxGetTopLevelParent(this), m_reviewGame.size(),
                                           [this]
                                           {
                                               CancelReview();
                                               FollowGame();
                                           });
    m_reviewProgress->Show();
    FollowGame();
}

void CChildView::OnUpdateReviewGame(wxUpdateUIEvent& event)
{
    event.Enable(m_record.Place() > 0 && !IsReviewing());
}

void CChildView::OnShowLastMove(wxCommandEvent&)
{
    m_showLastMove = !m_showLastMove;
    FollowGame();
}

void CChildView::OnUpdateShowLastMove(wxUpdateUIEvent& event)
{
    event.Check(m_showLastMove);
}

void CChildView::OnHintFound(wxThreadEvent& event)
{
    const auto answer = event.GetPayload<HintAnswer>();
    if (!m_hintFinder)
        return;
    const auto move = m_hintFinder->Accept(answer);
    // A hint for any other position than the one on the board is dropped.
    if (!move || !(answer.position == m_record.Board()) || m_hintGame != m_record.History())
        return;
    m_hintMarks->Show(move->squares);
    m_hintText = "Hint: " + PrintMove(*move);
    InvalidateRect();
}

void CChildView::OnAnalysisInfo(wxThreadEvent& event)
{
    if (m_analyst)
        m_analyst->Hear(event.GetPayload<AnalysisNews>());
}

void CChildView::OnComputerInfo(wxThreadEvent& event)
{
    const auto thought = event.GetPayload<ComputerThought>();
    if (m_analyst && m_computer && m_computer->IsThinking())
        m_analyst->HearComputer(thought.request, thought.info);
}

void CChildView::OnReviewNews(wxThreadEvent& event)
{
    const auto news = event.GetPayload<ReviewNews>();
    if (!m_reviewer || !m_reviewer->Accept(news))
        return;
    if (!news.IsFinished())
    {
        if (m_reviewProgress)
            m_reviewProgress->SetDone(news.done);
        return;
    }
    if (m_reviewProgress)
        m_reviewProgress->Dismiss();
    // Any change to the game stops the review, so this is the game reviewed.
    if (m_reviewGame == m_record.History())
    {
        AttachReview(m_record, news.evaluations);
        m_gameFile.Changed(); // the notes are in no file yet
        wxCommandEvent reviewed(EVT_GAME_REVIEWED, GetId());
        reviewed.SetEventObject(this);
        ProcessWindowEvent(reviewed); // a command event: it goes up to the frame
    }
    m_reviewGame.clear();
    StartComputerIfItsTurn();
    FollowGame();
}

void CChildView::OnIdle(wxIdleEvent& event)
{
    FollowGame();
    event.Skip();
}

void CChildView::SetAnalysisShown(bool shown)
{
    m_analysisShown = shown;
    if (shown && !m_analyst)
        m_analyst = std::make_unique<CAnalyst>(this);
    FollowGame();
}

AnalysisReport CChildView::AnalysisShown() const
{
    if (!m_analyst || !m_analysisShown)
        return AnalysisReport();
    AnalysisReport report = m_analyst->Report();
    // Until the analyst catches up with a change, it says nothing of the
    // position it was about.
    if (!(report.position == m_record.Board()) || report.plies != m_record.Place())
    {
        AnalysisReport waiting;
        waiting.heading = report.heading;
        waiting.position = m_record.Board();
        waiting.plies = m_record.Place();
        return waiting;
    }
    return report;
}

void CChildView::FollowGame()
{
    const std::vector<CCheckerBoard> game = m_record.History();
    if (IsReviewing() && game != m_reviewGame)
        CancelReview();
    if (!m_hintGame.empty() && (game != m_hintGame || BoardIsTheComputers() || m_jumpPending))
        DismissHint();

    if (m_analyst)
    {
        if (!m_analysisShown)
            m_analyst->Stop();
        else if (m_record.IsOver())
            m_analyst->Hold(game, kGameOver);
        else if (IsReviewing())
            m_analyst->Hold(game, kWaitingForReview);
        else if (m_computer && m_computer->IsThinking())
            m_analyst->FollowComputer(game, m_computer->Request());
        else if (BoardIsTheComputers())
            m_analyst->Hold(game, kWaitingForComputer);
        else
            m_analyst->Analyse(game);
    }

    std::vector<int> lastMove;
    if (m_showLastMove && m_record.Place() > 0)
    {
        const NotatedMove& move = m_record.Moves()[m_record.Place() - 1];
        lastMove = {move.squares.front(), move.squares.back()};
    }
    if (lastMove != m_lastMoveMarks->Squares())
    {
        m_lastMoveMarks->Show(lastMove);
        InvalidateRect();
    }
}

void CChildView::DismissHint()
{
    if (m_hintFinder)
        m_hintFinder->Cancel();
    m_hintGame.clear();
    m_hintText.clear();
    if (!m_hintMarks->Squares().empty())
    {
        m_hintMarks->Clear();
        InvalidateRect();
    }
}

void CChildView::CancelReview()
{
    if (!IsReviewing())
        return;
    m_reviewer->Cancel();
    m_reviewGame.clear();
    if (m_reviewProgress)
        m_reviewProgress->Dismiss();
    StartComputerIfItsTurn();
}

bool CChildView::IsReviewing() const
{
    return m_reviewer && m_reviewer->IsReviewing();
}
