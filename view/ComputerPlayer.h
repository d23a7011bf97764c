#pragma once
// The computer opponent's thinking, on a worker thread so that the window
// stays live while it thinks: one search at a time, stopped at once when the
// game moves on, its answer handed back to the window as an event.
//
// Only the window thread calls these. The worker touches nothing but its
// own copy of the position, the search object (which the window thread
// leaves alone until the worker has been joined) and the stop flag.

#include <cstdint>
#include <functional>
#include <vector>

#include <wx/event.h>

#include "engine/SearchTypes.h"
#include "rules/CheckerBoard.h"
#include "view/SearchWorker.h"

// What the worker hands back: the answer to request number `request`.
struct ComputerAnswer
{
    std::uint64_t request = 0;
    SearchResult result;
};

// Queued to the sink with a ComputerAnswer as its payload.
wxDECLARE_EVENT(EVT_COMPUTER_MOVE, wxThreadEvent);
#define EVT_COMPUTER_MOVE_HANDLER(func)                                                            \
    wx__DECLARE_EVT0(EVT_COMPUTER_MOVE, wxThreadEventHandler(func))

// What the search of request number `request` has found at a finished depth,
// so that the analysis pane can show the computer's own thoughts.
struct ComputerThought
{
    std::uint64_t request = 0;
    SearchInfo info;
};

// Queued to the sink with a ComputerThought as its payload, before the answer.
wxDECLARE_EVENT(EVT_COMPUTER_INFO, wxThreadEvent);
#define EVT_COMPUTER_INFO_HANDLER(func)                                                            \
    wx__DECLARE_EVT0(EVT_COMPUTER_INFO, wxThreadEventHandler(func))

class CComputerPlayer
{
public:
    // Answers go to `sink`, which must outlive the player (or destroy it).
    // Its worker stops a running search and waits for its thread when the
    // player goes.
    explicit CComputerPlayer(wxEvtHandler* sink);

    // Starts a search for a move in the last position of `game` (the
    // positions from the game's start, each after a whole move, so that the
    // search knows the draw rules) at `level`, after stopping any search
    // still running. With `clockMs` above 0 the mover plays on a clock of
    // that much left, gaining `incrementMs` a move, instead of the level's
    // time a move. Returns the request number its answer will carry.
    std::uint64_t Start(const std::vector<CCheckerBoard>& game, EngineLevel level, int clockMs = 0,
                        int incrementMs = 0);
    // The same for a short look that judges the position (a draw offered):
    // its answer's score is what counts, not its move.
    std::uint64_t Judge(const std::vector<CCheckerBoard>& game, EngineLevel level);
    // Stops the running search, if any, and waits for the worker; the search
    // polls its stop flag every few thousand nodes, so this takes a few
    // milliseconds at most. An answer already queued becomes stale.
    void Cancel();
    // Takes the answer to the current request: true when `answer` is that,
    // and not one from a search cancelled since. The player is idle after.
    bool Accept(const ComputerAnswer& answer);

    bool IsThinking() const { return m_worker.IsBusy(); }
    // The number of the search under way (or the last one).
    std::uint64_t Request() const { return m_worker.Request(); }

private:
    std::uint64_t Launch(const std::vector<CCheckerBoard>& game,
                         std::function<SearchLimits(std::uint64_t seed)> limitsFor);

    wxEvtHandler* m_sink;
    CSearchWorker m_worker;
    std::uint64_t m_seed;
};
