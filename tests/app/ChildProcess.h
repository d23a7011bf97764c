#pragma once
// Runs a program of ours as a child process for the start-up tests.

#include <chrono>
#include <optional>
#include <string>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace childprocess
{
// Starts `path` in our environment (the test environment has set DISPLAY);
// -1 when it cannot start.
inline pid_t Start(std::string path)
{
    char* argv[] = {path.data(), nullptr};
    pid_t pid = -1;
    return posix_spawn(&pid, path.c_str(), nullptr, nullptr, argv, environ) == 0 ? pid : -1;
}

// The wait status once the child ends, or nullopt (after killing it) when
// it is still running after `timeout`.
inline std::optional<int> Wait(pid_t pid, std::chrono::milliseconds timeout)
{
    const auto end = std::chrono::steady_clock::now() + timeout;
    int status = 0;
    while (std::chrono::steady_clock::now() < end)
    {
        if (waitpid(pid, &status, WNOHANG) == pid)
            return status;
        usleep(10000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return std::nullopt;
}
} // namespace childprocess
