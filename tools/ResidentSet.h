#pragma once
// This process's resident memory, as the kernel counts it: what the memory
// probe prints and the memory test holds flat.

#include <fstream>
#include <string>

// VmRSS (or, with `key` "VmHWM:", the peak so far) from /proc/self/status
// in kilobytes; -1 when it cannot be read.
inline long ResidentKilobytes(const std::string& wanted = "VmRSS:")
{
    std::ifstream status("/proc/self/status");
    std::string key;
    long value = -1;
    while (status >> key)
    {
        if (key == wanted)
        {
            status >> value;
            break;
        }
        status.ignore(4096, '\n');
    }
    return value;
}
