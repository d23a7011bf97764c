// The engine's protocol reader fed arbitrary bytes as its standard input.
// Searches and counts are capped far below the program's own limits so one
// input cannot run for long; everything else is as plaxen-engine runs it.

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "engine/Protocol.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    std::ostringstream out;
    CProtocol::Caps caps;
    caps.maxDepth = 4;
    caps.maxTimeMs = 2;
    caps.perftBudget = 20'000;
    caps.maxLine = 4096;
    caps.endOfInputGraceMs = 200;
    caps.hashMegabytes = 1;
    CProtocol(in, out, caps).Run();
    return 0;
}
