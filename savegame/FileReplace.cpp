#include "savegame/FileReplace.h"

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
bool WriteAll(int fd, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size())
    {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// A new file gets the permissions an ordinary create would give it; a
// replaced file keeps its own.
mode_t TargetMode(const std::string& path)
{
    struct stat existing;
    if (::stat(path.c_str(), &existing) == 0)
        return existing.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}
} // namespace

bool ReplaceFile(const std::string& path, const std::string& bytes)
{
    std::string target = path;
    if (char* resolved = ::realpath(path.c_str(), nullptr))
    {
        target = resolved;
        std::free(resolved);
    }

    std::string temporary = target + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return false;
    bool written = ::fchmod(fd, TargetMode(target)) == 0 && WriteAll(fd, bytes) && ::fsync(fd) == 0;
    written = ::close(fd) == 0 && written;
    if (written && ::rename(temporary.c_str(), target.c_str()) == 0)
        return true;
    ::unlink(temporary.c_str());
    return false;
}

bool ReadFileUpTo(const std::string& path, std::size_t limit, std::string& bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(limit + 1, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return !in.bad();
}
