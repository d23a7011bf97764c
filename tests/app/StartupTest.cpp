#include <chrono>

#include <gtest/gtest.h>

#include "ChildProcess.h"
#include "WxTestEnvironment.h"

TEST(Startup, ProbeReachesTheFirstPaintedFrameAndExitsCleanly)
{
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = childprocess::Start(PLAXEN_PROBE_PATH, WxTestEnvironment::DisplayName());
    ASSERT_GT(pid, 0);
    const std::optional<int> status = childprocess::Wait(pid, std::chrono::seconds(30));
    ASSERT_TRUE(status.has_value()) << "no frame painted within 30 s";
    EXPECT_TRUE(WIFEXITED(*status));
    EXPECT_EQ(WEXITSTATUS(*status), 0);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - start);
    RecordProperty("startup_ms", static_cast<int>(ms.count()));
}
