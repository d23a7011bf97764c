// The worker behind the computer, the hint, the analysis and the review:
// request numbers that tell a current answer from a stale one, and the
// priority its thread runs at.

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include "view/SearchWorker.h"

namespace
{
// The niceness the worker's thread ran its job at.
int NicenessOfJob(CSearchWorker& worker)
{
    std::atomic<int> niceness{-100};
    const std::uint64_t request =
        worker.Start([&](CSearch&, const std::atomic<bool>&, std::uint64_t)
                     { niceness = getpriority(PRIO_PROCESS, static_cast<id_t>(gettid())); });
    const auto start = std::chrono::steady_clock::now();
    while (niceness == -100 && std::chrono::steady_clock::now() - start < std::chrono::seconds(10))
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_TRUE(worker.Finish(request));
    return niceness;
}
} // namespace

TEST(SearchWorker, ACancelledJobsAnswerIsStaleAndOnlyTheBackgroundYields)
{
    CSearchWorker worker;
    std::atomic<bool> stopped{false};
    const auto waitForStop = [&](CSearch&, const std::atomic<bool>& stop, std::uint64_t)
    {
        while (!stop)
            std::this_thread::yield();
        stopped = true;
    };
    const std::uint64_t first = worker.Start(waitForStop);
    EXPECT_TRUE(worker.IsCurrent(first));
    // A new job stops the one running; the old one's answer is stale.
    const std::uint64_t second = worker.Start(waitForStop);
    EXPECT_TRUE(stopped);
    EXPECT_GT(second, first);
    EXPECT_FALSE(worker.Finish(first));
    EXPECT_TRUE(worker.IsBusy());
    worker.Cancel();
    EXPECT_FALSE(worker.IsBusy());
    EXPECT_FALSE(worker.Finish(second)) << "cancelled: whatever it queued is stale";

    const int own = getpriority(PRIO_PROCESS, 0);
    EXPECT_EQ(NicenessOfJob(worker), own);
    CSearchWorker background(CSearchWorker::Priority::Background);
    EXPECT_EQ(NicenessOfJob(background), std::min(own + 10, 19));
}
