#include "view/Reviewer.h"

#include <optional>

#include "engine/Search.h"

wxDEFINE_EVENT(EVT_REVIEW_NEWS, wxThreadEvent);
wxDEFINE_EVENT(EVT_GAME_REVIEWED, wxCommandEvent);

namespace
{
// The value of the last board of `game` to black, as a search of
// kReviewTimeMs finds it; nothing when stopped first.
std::optional<Evaluation> Evaluate(CSearch& search, const std::vector<CCheckerBoard>& game,
                                   const std::atomic<bool>& stop)
{
    if (const auto end = EvaluationOfEnd(game.back()))
        return end;
    SearchLimits limits;
    limits.timeMs = kReviewTimeMs;
    const SearchResult result = search.Run(game, limits, stop);
    if (stop)
        return std::nullopt;
    return EvaluationFromSideToMove(game.back().m_side, result.info.score, result.info.winMoves);
}
} // namespace

CReviewer::CReviewer(wxEvtHandler* sink)
    : m_sink(sink), m_worker(CSearchWorker::Priority::Background)
{
}

void CReviewer::Start(const std::vector<CCheckerBoard>& game)
{
    m_worker.Start(
        [sink = m_sink, game](CSearch& search, const std::atomic<bool>& stop, std::uint64_t request)
        {
            std::vector<Evaluation> evaluations;
            std::vector<CCheckerBoard> sofar;
            for (const CCheckerBoard& board : game)
            {
                sofar.push_back(board);
                const auto evaluation = Evaluate(search, sofar, stop);
                if (!evaluation)
                    return;
                evaluations.push_back(*evaluation);
                ReviewNews news{request, evaluations.size(), game.size(), {}};
                if (news.IsFinished())
                    news.evaluations = evaluations;
                auto* event = new wxThreadEvent(EVT_REVIEW_NEWS);
                event->SetPayload(std::move(news));
                wxQueueEvent(sink, event);
            }
        });
}

void CReviewer::Cancel()
{
    m_worker.Cancel();
}

bool CReviewer::Accept(const ReviewNews& news)
{
    if (news.IsFinished())
        return m_worker.Finish(news.request);
    return m_worker.IsCurrent(news.request);
}
