#pragma once
// Where the engine finds its endgame database, and the one copy a process
// plays with.

#include <filesystem>

#include "engine/EndgameTable.h"

// Slices this small are solved in memory when first wanted (a fraction of
// a second); larger ones come from files.
constexpr int kBuiltInEndgamePieces = 3;
// What `plaxen_egdb` builds unless told otherwise, and the most the engine reads.
constexpr int kDefaultEndgamePieces = 5;

// $XDG_CACHE_HOME/plaxen, else ~/.cache/plaxen; empty when neither
// variable is set.
std::filesystem::path EndgameCacheFolder();

// The slices up to kBuiltInEndgamePieces solved here, and every slice file
// of up to kDefaultEndgamePieces pieces in the cache folder: made once a
// process, on a thread of its own that the first call to either function
// starts, and never changed after. SharedEndgameTable waits for it;
// SharedEndgameTableIfReady answers at once, nullptr while it is not done,
// so a search that must stop on demand never waits for the files.
const CEndgameTable& SharedEndgameTable();
const CEndgameTable* SharedEndgameTableIfReady();
