#pragma once
// The engine's text protocol (docs: engine-protocol.md): one command a line
// in, one reply a line out. Besides the commands there, three of its own:
//   level beginner|intermediate|expert   strength for a bare `go`
//                                        (intermediate until set)
//   go                                   search with the level's limits
//   go nodes <n>                         search about n positions (with the
//                                        other limits if given too)
//   book on|off                          whether a go with limits of its own
//                                        plays from the opening book (off
//                                        until set; a bare go follows the level)
// Searches run on a worker thread so `stop` and `isready` are answered
// while one thinks.

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "engine/Search.h"
#include "rules/CheckerBoard.h"

class CProtocol
{
public:
    // Bounds on what one line may ask for, so no input can make the program
    // run away. The fuzzer narrows them.
    struct Caps
    {
        int maxDepth = 64;
        int maxTimeMs = 3600 * 1000;
        std::uint64_t perftBudget = 100'000'000; // positions expanded
        std::size_t maxLine = 64 * 1024;         // longer lines are refused
        int endOfInputGraceMs = 10'000;          // a search still running at the end of input
                                                 // may finish within this, then is stopped
        std::size_t hashMegabytes = 16;
        EndgameTables endgame = EndgameTables::None; // plaxen-engine plays with Shared
    };

    CProtocol(std::istream& in, std::ostream& out);
    CProtocol(std::istream& in, std::ostream& out, const Caps& caps);
    // Stops a running search and waits for it.
    ~CProtocol();

    // Answers lines until `quit` or the end of the input.
    void Run();

private:
    // False on quit.
    bool Handle(const std::string& line);
    void SetPosition(const std::vector<std::string>& words);
    void MakeSearch();
    void Go(const std::vector<std::string>& words);
    // The limits a `go` line asks for; nothing (and the error said) when it
    // is malformed.
    std::optional<SearchLimits> ParseGo(const std::vector<std::string>& words);
    void CountMoves(const std::vector<std::string>& words);
    void SetLevel(const std::vector<std::string>& words);
    void SetBook(const std::vector<std::string>& words);

    bool ReadLine(std::string& line, bool& tooLong);
    void Say(const std::string& line);
    bool Searching() const { return m_searching.load(); }
    // Lets a running search go on for up to `graceMs`, then stops it, and
    // joins the worker.
    void EndSearch(int graceMs);
    // Sets the stop flag and wakes an analysis waiting for it.
    void RaiseStop();

    std::istream& m_in;
    std::ostream& m_out;
    Caps m_caps;
    std::mutex m_outLock;

    // The game so far, each position after a whole move; the last is the
    // position to search.
    std::vector<CCheckerBoard> m_game{CCheckerBoard()};
    EngineLevel m_level = kDefaultLevel;
    std::uint64_t m_goCount = 0;
    bool m_infinite = false; // the last search waits for stop
    bool m_book = false;

    // Made at the first search; used by the worker alone while it runs.
    std::unique_ptr<CSearch> m_search;
    std::thread m_worker;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_searching{false};
    std::mutex m_doneLock;
    std::condition_variable m_done;
    std::mutex m_stopLock;
    std::condition_variable m_stopSignal;
};
