// Preloaded (LD_PRELOAD) into the game or the bare window by the start-up
// bench, so that neither program needs a bench switch of its own. At the
// first buffer swap it writes to $PLAXEN_BENCH_OUT one line:
//   <ms to end of first draw> <ms to frame on screen> <peak resident kB>
// counted from $PLAXEN_BENCH_T0 (CLOCK_MONOTONIC ns, taken by the launcher
// just before it started the process). Then the process ends at once,
// unless $PLAXEN_BENCH_KEEP is set (the idle measurement goes on running).

#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace
{

using SwapFn = void (*)(void* display, unsigned long drawable);
using SyncFn = int (*)(void* display, int discard);

bool g_reported = false;

double MsSinceLaunch()
{
    const char* t0 = std::getenv("PLAXEN_BENCH_T0");
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const double ns = now.tv_sec * 1e9 + now.tv_nsec;
    return t0 ? (ns - std::strtod(t0, nullptr)) / 1e6 : -1.0;
}

long PeakResidentKb()
{
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (!status)
        return -1;
    char line[256];
    long kb = -1;
    while (std::fgets(line, sizeof line, status))
        if (std::strncmp(line, "VmHWM:", 6) == 0)
            kb = std::strtol(line + 6, nullptr, 10);
    std::fclose(status);
    return kb;
}

} // namespace

extern "C" void glXSwapBuffers(void* display, unsigned long drawable)
{
    static const auto real = reinterpret_cast<SwapFn>(dlsym(RTLD_NEXT, "glXSwapBuffers"));
    static const auto sync = reinterpret_cast<SyncFn>(dlsym(RTLD_DEFAULT, "XSync"));
    if (g_reported)
    {
        real(display, drawable);
        return;
    }
    g_reported = true;
    const double drawn = MsSinceLaunch(); // the draw handler has just returned
    real(display, drawable);
    // The swap only queues the picture for the X server; waiting for the
    // server makes "on screen" true.
    if (sync)
        sync(display, 0);
    const double shown = MsSinceLaunch();
    if (const char* path = std::getenv("PLAXEN_BENCH_OUT"))
    {
        // Written aside and renamed, so the launcher never reads half a line.
        char partial[4096];
        std::snprintf(partial, sizeof partial, "%s.part", path);
        if (std::FILE* out = std::fopen(partial, "w"))
        {
            std::fprintf(out, "%.3f %.3f %ld\n", drawn, shown, PeakResidentKb());
            std::fclose(out);
            std::rename(partial, path);
        }
    }
    if (!std::getenv("PLAXEN_BENCH_KEEP"))
        _exit(0);
}
