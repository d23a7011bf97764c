#pragma once
// A fresh folder under the system's temporary folder for a test's files,
// removed with everything in it when the object goes.

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace testsupport
{

class TempFolder
{
public:
    TempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "plaxen-XXXXXX").string();
        path = mkdtemp(pattern.data());
    }
    ~TempFolder() { std::filesystem::remove_all(path); }

    // The path of `name` inside the folder.
    std::string operator/(const std::string& name) const { return (path / name).string(); }
    // Writes `bytes` as the file `name` in the folder; returns its path.
    std::string Write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(path / name, std::ios::binary) << bytes;
        return *this / name;
    }
    // The bytes of any file; empty when it cannot be read.
    static std::string Read(const std::filesystem::path& file)
    {
        std::ostringstream bytes;
        bytes << std::ifstream(file, std::ios::binary).rdbuf();
        return bytes.str();
    }

    std::filesystem::path path;
};

} // namespace testsupport
