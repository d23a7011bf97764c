#pragma once
// Where the game's art files are: the source tree's res/ or the installed one.

#include <string>

// The path to open for the art file `name` ("board.obj"): "res/<name>" when
// that exists under the working directory (a run from the source tree),
// otherwise the file in the installed data folder, which is found from the
// program's own location so that a relocated install works too. When neither
// exists the answer is "res/<name>", so the reader's report names the file
// as it always has.
std::string ArtPath(const std::string& name);
