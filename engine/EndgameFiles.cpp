#include "engine/EndgameFiles.h"

#include <cstdlib>

#include "engine/EndgameSolver.h"

std::filesystem::path EndgameCacheFolder()
{
    const char* cache = std::getenv("XDG_CACHE_HOME");
    if (cache && *cache)
        return std::filesystem::path(cache) / "plaxen";
    const char* home = std::getenv("HOME");
    if (home && *home)
        return std::filesystem::path(home) / ".cache" / "plaxen";
    return {};
}

const CEndgameTable& SharedEndgameTable()
{
    static const CEndgameTable table = []
    {
        CEndgameTable made;
        const std::filesystem::path folder = EndgameCacheFolder();
        if (!folder.empty())
            made.ReadFolder(folder, kDefaultEndgamePieces);
        // Files the cache lacks; the small slices are solved whatever it holds.
        CEndgameSolver(made).SolveUpTo(kBuiltInEndgamePieces);
        return made;
    }();
    return table;
}
