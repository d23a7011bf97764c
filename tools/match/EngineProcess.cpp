#include "tools/match/EngineProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

CEngineProcess::CEngineProcess(const std::string& path)
{
    int toChild[2], fromChild[2];
    // Close-on-exec, or the engines of the other games would hold these
    // pipes open too.
    if (pipe2(toChild, O_CLOEXEC) != 0)
        return;
    if (pipe2(fromChild, O_CLOEXEC) != 0)
    {
        close(toChild[0]);
        close(toChild[1]);
        return;
    }
    m_pid = fork();
    if (m_pid == 0)
    {
        dup2(toChild[0], 0);
        dup2(fromChild[1], 1);
        execl(path.c_str(), path.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(toChild[0]);
    close(fromChild[1]);
    m_in = toChild[1];
    m_out = fromChild[0];
}

CEngineProcess::~CEngineProcess()
{
    Send("quit");
    if (m_in >= 0)
        close(m_in);
    if (m_out >= 0)
        close(m_out);
    if (m_pid <= 0)
        return;
    // A hung engine is not worth waiting for past a few seconds.
    for (int waited = 0; waited < 5000; waited += 10)
    {
        if (waitpid(m_pid, nullptr, WNOHANG) == m_pid)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(m_pid, SIGKILL);
    waitpid(m_pid, nullptr, 0);
}

void CEngineProcess::Send(const std::string& line)
{
    const std::string text = line + "\n";
    if (m_in < 0 || write(m_in, text.data(), text.size()) < 0)
        return; // the next read reports the dead engine
}

std::optional<std::string> CEngineProcess::Read(int timeoutMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;)
    {
        const std::size_t end = m_buffer.find('\n');
        if (end != std::string::npos)
        {
            std::string line = m_buffer.substr(0, end);
            m_buffer.erase(0, end + 1);
            return line;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd fd{m_out, POLLIN, 0};
        if (m_out < 0 || left.count() <= 0 || poll(&fd, 1, static_cast<int>(left.count())) <= 0)
            return std::nullopt;
        char chunk[4096];
        const ssize_t got = read(m_out, chunk, sizeof chunk);
        if (got <= 0)
            return std::nullopt;
        m_buffer.append(chunk, static_cast<std::size_t>(got));
    }
}
