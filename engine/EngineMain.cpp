// plaxen-engine: the computer opponent on standard input and output.
// "plaxen-engine bench [depth]" searches the fixed bench positions instead
// and prints their node count, the fingerprint of the search.

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <string_view>

#include "engine/Bench.h"
#include "engine/Protocol.h"

int main(int argc, char** argv)
{
    if (argc >= 2 && std::string_view(argv[1]) == "bench")
    {
        const int depth = argc >= 3 ? std::atoi(argv[2]) : kBenchDepth;
        const BenchReport report = RunBench(depth > 0 ? depth : kBenchDepth, &std::cout);
        std::cout << "bench nodes " << report.nodes << " time " << report.timeMs << " ms nps "
                  << report.nodes * 1000 / static_cast<std::uint64_t>(std::max(report.timeMs, 1))
                  << '\n';
        return 0;
    }
    CProtocol protocol(std::cin, std::cout);
    protocol.Run();
    return 0;
}
