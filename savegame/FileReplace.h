#pragma once
// Whole files written safely and read with a limit: the saved-game files of
// either kind go through here.

#include <cstddef>
#include <string>

// Writes `bytes` to a temporary file beside `path` and renames it over
// `path` only when every byte is on disk, so a failed save never leaves a
// cut-off game where a good one was. Through a symbolic link the file it
// points to is replaced; a replaced file keeps its permissions. False (and
// `path` as it was) on any failure.
bool ReplaceFile(const std::string& path, const std::string& bytes);

// Reads the whole file into `bytes`, or its first `limit` + 1 bytes when it
// is longer, so the caller can tell it is too long without reading it all.
// False when it cannot be opened or read.
bool ReadFileUpTo(const std::string& path, std::size_t limit, std::string& bytes);
