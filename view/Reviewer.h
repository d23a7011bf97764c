#pragma once
// The game review's engine: every position of a game searched in turn for a
// fixed time on a worker thread, the evaluations (from black's side) handed
// back when all are done, with news of the progress after each position.
//
// Only the window thread calls these.

#include <cstddef>
#include <cstdint>
#include <vector>

#include <wx/event.h>

#include "record/Evaluation.h"
#include "rules/CheckerBoard.h"
#include "view/SearchWorker.h"

// The time each position of a review is searched for: a game of 100 plies
// is reviewed in about 25 seconds.
constexpr int kReviewTimeMs = 250;

// The review after `done` of `total` positions; once they are all done,
// `evaluations` holds one a position, the game's first first.
struct ReviewNews
{
    std::uint64_t request = 0;
    std::size_t done = 0;
    std::size_t total = 0;
    std::vector<Evaluation> evaluations;

    bool IsFinished() const { return done == total; }
};

// Queued to the sink with a ReviewNews as its payload.
wxDECLARE_EVENT(EVT_REVIEW_NEWS, wxThreadEvent);
#define EVT_REVIEW_NEWS_HANDLER(func) wx__DECLARE_EVT0(EVT_REVIEW_NEWS, wxThreadEventHandler(func))

// Sent up from the board view once a review's marks and evaluations are on
// the game's moves: the frame shows the evaluation graph.
wxDECLARE_EVENT(EVT_GAME_REVIEWED, wxCommandEvent);

class CReviewer
{
public:
    // News goes to `sink`, which must outlive the reviewer (or destroy it).
    explicit CReviewer(wxEvtHandler* sink);

    // Evaluates every board of `game` (from its start, each after a whole
    // move), after stopping any review under way. A board where the game is
    // over gets its result; every other is searched for kReviewTimeMs, with
    // the boards before it known to the draw rules.
    void Start(const std::vector<CCheckerBoard>& game);
    // Stops the review under way at once; its news becomes stale.
    void Cancel();
    // Takes news of the review under way: true when it is current. After the
    // last news the reviewer is idle.
    bool Accept(const ReviewNews& news);
    bool IsReviewing() const { return m_worker.IsBusy(); }

private:
    wxEvtHandler* m_sink;
    CSearchWorker m_worker;
};
