#include "engine/EndgameFiles.h"

#include <chrono>
#include <cstdlib>
#include <future>

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

namespace
{
const std::shared_future<const CEndgameTable*>& Loading()
{
    // The table is never freed: the loading thread may still be making it
    // while the program exits, and nothing may be destroyed under it.
    static const std::shared_future<const CEndgameTable*> loading =
        std::async(std::launch::async,
                   []
                   {
                       auto* table = new CEndgameTable;
                       // Whatever goes wrong with the files, the game plays on
                       // with what could be had.
                       try
                       {
                           // Solved here first, so that no file can stand in for them.
                           CEndgameSolver(*table).SolveUpTo(kBuiltInEndgamePieces);
                           const std::filesystem::path folder = EndgameCacheFolder();
                           if (!folder.empty())
                               table->ReadFolder(folder, kDefaultEndgamePieces);
                       }
                       catch (const std::exception&)
                       {
                       }
                       return const_cast<const CEndgameTable*>(table);
                   })
            .share();
    return loading;
}
} // namespace

const CEndgameTable& SharedEndgameTable()
{
    return *Loading().get();
}

const CEndgameTable* SharedEndgameTableIfReady()
{
    const std::shared_future<const CEndgameTable*>& loading = Loading();
    return loading.wait_for(std::chrono::seconds(0)) == std::future_status::ready ? loading.get()
                                                                                  : nullptr;
}
