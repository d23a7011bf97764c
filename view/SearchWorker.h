#pragma once
// One search at a time on a thread of its own, for the computer's moves,
// the hint, the analysis and the review: a job runs with the worker's CSearch and a stop flag, and
// every job has a request number that its answers carry, so that an answer
// from a job stopped since is known for stale.
//
// Only the window thread calls these. The job touches nothing but what it
// was given, the search object (which the window thread leaves alone until
// the job's thread has been joined) and the stop flag; it hands its answers
// to the window as queued events.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>

class CSearch;

class CSearchWorker
{
public:
    using Job =
        std::function<void(CSearch& search, const std::atomic<bool>& stop, std::uint64_t request)>;

    // How the worker's thread shares the machine: a player's opponent
    // thinks at the program's own priority; the analysis and the review,
    // which may search for minutes, yield to the window's drawing (on a
    // machine of two cores the software renderer's threads want both).
    enum class Priority
    {
        Normal,
        Background
    };

    // The search (and its hash table) is made with the first job.
    explicit CSearchWorker(Priority priority = Priority::Normal);
    // Stops a running job and waits for its thread.
    ~CSearchWorker();
    CSearchWorker(const CSearchWorker&) = delete;
    CSearchWorker& operator=(const CSearchWorker&) = delete;

    // Runs `job` on the worker's thread after stopping any job still
    // running. Returns the request number of the new job.
    std::uint64_t Start(Job job);
    // Stops the running job, if any, and waits for its thread: the search
    // polls its stop flag every few thousand nodes, so this takes a few
    // milliseconds at most. Answers already queued become stale.
    void Cancel();
    // True while `request` is the job started last and it has not been
    // cancelled or finished: its answers are current.
    bool IsCurrent(std::uint64_t request) const { return m_busy && request == m_request; }
    // Takes the last answer of the current job: true when `request` is
    // current. The worker is idle after (the job queued it as its last act,
    // so the join is immediate).
    bool Finish(std::uint64_t request);
    // A job has been started and neither cancelled nor finished.
    bool IsBusy() const { return m_busy; }
    // The number of the job under way, or of the last one.
    std::uint64_t Request() const { return m_request; }

private:
    void Join();

    std::unique_ptr<CSearch> m_search;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::uint64_t m_request = 0;
    bool m_busy = false;
    Priority m_priority;
};
