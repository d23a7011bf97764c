#pragma once
// This process's resident memory, as the kernel counts it: what the memory
// probe prints and the memory test holds flat.

#include <fstream>
#include <string>

// VmRSS from /proc/self/status in kilobytes; -1 when it cannot be read.
inline long ResidentKilobytes()
{
    std::ifstream status("/proc/self/status");
    std::string key;
    long value = -1;
    while (status >> key)
    {
        if (key == "VmRSS:")
        {
            status >> value;
            break;
        }
        status.ignore(4096, '\n');
    }
    return value;
}
