#include "assets/ArtPath.h"

#include <filesystem>
#include <system_error>

std::string ArtPath(const std::string& name)
{
    namespace fs = std::filesystem;
    const std::string local = "res/" + name;
    std::error_code error;
    if (fs::exists(local, error))
        return local;

    // The kernel's link to the running executable, not argv[0]: a program
    // started through $PATH or a symbolic link still finds its real folder.
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    if (error)
        return local;
    const fs::path installed = program.parent_path() / PLAXEN_DATA_FROM_PROGRAM / "res" / name;
    if (fs::exists(installed, error))
        return installed.lexically_normal().string();
    return local;
}
