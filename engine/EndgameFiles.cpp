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
// The table and the thread that fills it. Whoever asks sees the table only
// once the thread is done; at exit a thread still reading is waited for.
struct SharedTables
{
    SharedTables()
    {
        loading = std::async(std::launch::async,
                             [this]
                             {
                                 // Whatever goes wrong with the files, the game plays on
                                 // with what could be had.
                                 try
                                 {
                                     // Solved here first, so that no file can stand in for
                                     // them.
                                     CEndgameSolver(table).SolveUpTo(kBuiltInEndgamePieces);
                                     const std::filesystem::path folder = EndgameCacheFolder();
                                     if (!folder.empty())
                                         table.ReadFolder(folder, kDefaultEndgamePieces);
                                 }
                                 catch (const std::exception&)
                                 {
                                 }
                             })
                      .share();
    }
    ~SharedTables() { loading.wait(); }

    CEndgameTable table;
    std::shared_future<void> loading;
};

SharedTables& Shared()
{
    static SharedTables shared;
    return shared;
}
} // namespace

const CEndgameTable& SharedEndgameTable()
{
    SharedTables& shared = Shared();
    shared.loading.wait();
    return shared.table;
}

const CEndgameTable* SharedEndgameTableIfReady()
{
    SharedTables& shared = Shared();
    return shared.loading.wait_for(std::chrono::seconds(0)) == std::future_status::ready
               ? &shared.table
               : nullptr;
}
