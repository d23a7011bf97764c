#pragma once
// The hint: the engine's move for the side to move in the position on the
// board, searched for at most a second on a worker thread and handed back
// as an event. Nothing is played; the view shows the move's squares.
//
// Only the window thread calls these.

#include <cstdint>
#include <optional>
#include <vector>

#include <wx/event.h>

#include "engine/SearchTypes.h"
#include "rules/CheckerBoard.h"
#include "view/SearchWorker.h"

// What the worker hands back: the move found for `position`, the last
// board of the game it was asked about.
struct HintAnswer
{
    std::uint64_t request = 0;
    CCheckerBoard position;
    SearchResult result;
};

// Queued to the sink with a HintAnswer as its payload.
wxDECLARE_EVENT(EVT_HINT_FOUND, wxThreadEvent);
#define EVT_HINT_FOUND_HANDLER(func) wx__DECLARE_EVT0(EVT_HINT_FOUND, wxThreadEventHandler(func))

// The longest a hint is searched for.
constexpr int kHintTimeMs = 1000;

class CHintFinder
{
public:
    // Answers go to `sink`, which must outlive the finder (or destroy it).
    explicit CHintFinder(wxEvtHandler* sink);

    // Looks for a move in the last position of `game` (its boards from the
    // start, each after a whole move), after stopping any search under way.
    void Start(const std::vector<CCheckerBoard>& game);
    // Stops the search under way; its answer, if queued, becomes stale.
    void Cancel();
    // The move to show from `answer`: its search is the one under way and
    // found a move. The finder is idle after a current answer.
    std::optional<NotatedMove> Accept(const HintAnswer& answer);

    bool IsSearching() const { return m_worker.IsBusy(); }
    // The position the search under way is about.
    const CCheckerBoard& Position() const { return m_position; }

private:
    wxEvtHandler* m_sink;
    CSearchWorker m_worker;
    CCheckerBoard m_position;
};
