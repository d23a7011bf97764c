#pragma once
// One engine program as a child process, its standard input and output on
// pipes, for the match tool.

#include <sys/types.h>

#include <optional>
#include <string>

class CEngineProcess
{
public:
    // Starts `path`; a program that cannot start shows up as silence.
    explicit CEngineProcess(const std::string& path);
    CEngineProcess(const CEngineProcess&) = delete;
    CEngineProcess& operator=(const CEngineProcess&) = delete;
    // Asks the program to quit and waits for it; kills it if it hangs.
    ~CEngineProcess();

    void Send(const std::string& line);
    // The next line, or nothing after `timeoutMs` or at the end of output.
    std::optional<std::string> Read(int timeoutMs);

private:
    pid_t m_pid = -1;
    int m_in = -1;
    int m_out = -1;
    std::string m_buffer;
};
