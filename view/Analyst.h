#pragma once
// The analysis pane's engine: the position on the board searched on a
// worker thread until stopped, each finished depth handed back as an event
// and put into words (the evaluation from black's side, the depth, the
// speed, the line it expects). While the computer thinks it shows the
// computer's own search instead of starting a second one.
//
// Only the window thread calls these.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <wx/event.h>

#include "engine/SearchTypes.h"
#include "rules/CheckerBoard.h"
#include "view/SearchWorker.h"

// What the pane shows, in words.
struct AnalysisReport
{
    std::string heading; // "Analysis" or "The computer's search"; "" for nothing to show
    std::string
        state; // "Analysing...", "Thinking...", "The game is over", ...; "" once figures came
    std::string evaluation; // "+0.35: black is a little better", "Red wins in 12 moves"
    std::string depth;      // "18 plies"
    std::string speed;      // "5.6 million positions a second"
    std::string line;       // the expected line, numbered: "6. 3-7 22-18 7. 15x22"
    CCheckerBoard position; // the position all this is about
    std::size_t plies = 0;  // the moves played before it

    bool operator==(const AnalysisReport&) const = default;
};

// One finished depth of the analyst's own search.
struct AnalysisNews
{
    std::uint64_t request = 0;
    SearchInfo info;
};

// Queued to the sink with an AnalysisNews as its payload.
wxDECLARE_EVENT(EVT_ANALYSIS_INFO, wxThreadEvent);
#define EVT_ANALYSIS_INFO_HANDLER(func)                                                            \
    wx__DECLARE_EVT0(EVT_ANALYSIS_INFO, wxThreadEventHandler(func))

class CAnalyst
{
public:
    // News goes to `sink`, which must outlive the analyst (or destroy it).
    explicit CAnalyst(wxEvtHandler* sink);

    // Searches the last position of `game` (its boards from the start, each
    // after a whole move) until stopped. Nothing changes when it is already
    // searching that game.
    void Analyse(const std::vector<CCheckerBoard>& game);
    // Stops its own search and shows what the computer's search number
    // `request` finds in `game` instead (HearComputer).
    void FollowComputer(const std::vector<CCheckerBoard>& game, std::uint64_t request);
    // Stops searching and shows the position of `game` with `state`; a game
    // over on the board shows its result as the evaluation.
    void Hold(const std::vector<CCheckerBoard>& game, const std::string& state);
    // Stops searching and shows nothing: the pane is hidden.
    void Stop();

    // Takes a depth of its own search: true when it is the search under way
    // (and the report changed), false for a stale one.
    bool Hear(const AnalysisNews& news);
    // Takes a depth of the computer's search number `request`: true when it
    // is the one followed.
    bool HearComputer(std::uint64_t request, const SearchInfo& info);

    const AnalysisReport& Report() const { return m_report; }
    // Its own search is under way (it may have finished early, having
    // proved the result, and then uses no time).
    bool IsSearching() const { return m_worker.IsBusy(); }

private:
    enum class Mode
    {
        Stopped,
        Searching,
        Computer,
        Held,
    };

    // Puts the report back to `game`'s position with nothing found yet.
    void Begin(Mode mode, const std::vector<CCheckerBoard>& game, const std::string& heading,
               const std::string& state);
    void Show(const SearchInfo& info);

    wxEvtHandler* m_sink;
    CSearchWorker m_worker;
    Mode m_mode = Mode::Stopped;
    std::vector<CCheckerBoard> m_game;
    std::uint64_t m_computerRequest = 0;
    AnalysisReport m_report;
};
