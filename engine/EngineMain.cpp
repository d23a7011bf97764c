// plaxen-engine: the computer opponent on standard input and output.
// "plaxen-engine bench [depth]" searches the fixed bench positions instead
// and prints their node count, the fingerprint of the search;
// "plaxen-engine --no-endgame" plays without the endgame database (for
// matches that measure what it is worth).

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <string_view>

#include "engine/Bench.h"
#include "engine/EndgameFiles.h"
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
    CProtocol::Caps caps;
    caps.endgame = argc >= 2 && std::string_view(argv[1]) == "--no-endgame" ? EndgameTables::None
                                                                            : EndgameTables::Shared;
    // Read before the first command, not inside the first timed search.
    if (caps.endgame == EndgameTables::Shared)
        SharedEndgameTable();
    CProtocol protocol(std::cin, std::cout, caps);
    protocol.Run();
    return 0;
}
