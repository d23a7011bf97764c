#pragma once
// Runs a program of ours as a child process for the start-up tests.

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace childprocess
{
// Starts `path` with DISPLAY set to `display`; -1 when it cannot start.
inline pid_t Start(const std::string& path, const std::string& display)
{
    std::vector<std::string> env{"DISPLAY=" + display, "LIBGL_ALWAYS_SOFTWARE=1"};
    for (char** e = environ; *e != nullptr; ++e)
        if (std::string(*e).rfind("DISPLAY=", 0) != 0)
            env.emplace_back(*e);
    std::vector<char*> envp;
    for (std::string& entry : env)
        envp.push_back(entry.data());
    envp.push_back(nullptr);
    std::string arg0 = path;
    char* argv[] = {arg0.data(), nullptr};
    pid_t pid = -1;
    return posix_spawn(&pid, path.c_str(), nullptr, nullptr, argv, envp.data()) == 0 ? pid : -1;
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
