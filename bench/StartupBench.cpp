// Start-up, memory and idle figures of the game beside a bare wxGLCanvas
// program. Each program is started as a fresh process with the first-frame
// shim preloaded; runs of the two alternate, so both meet the same machine.
//   plaxen_bench_startup <shim.so> <game> <bare window> [runs]
// Run it from the folder that holds res/, under an X server with GLX.
// Prints medians: time to the first frame on screen, peak resident memory
// up to then, and CPU seconds used over 5 idle seconds after the first frame.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace
{

using namespace std::chrono_literals;

struct FirstFrame
{
    double drawnMs = 0;
    double shownMs = 0;
    double peakMb = 0;
};

struct Program
{
    std::string path;
    std::vector<double> drawnMs;
    std::vector<double> shownMs;
    std::vector<double> peakMb;
    std::vector<double> idleCpu;
};

std::string g_shim;
std::string g_out;

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

bool Exists(const std::string& path)
{
    return access(path.c_str(), F_OK) == 0;
}

// Starts `path` with the shim preloaded and the launch time in its
// environment; standard output and error are dropped.
pid_t Launch(const std::string& path, bool keepRunning)
{
    std::remove(g_out.c_str());
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const std::string t0 = std::to_string(now.tv_sec * 1000000000LL + now.tv_nsec);
    const pid_t pid = fork();
    if (pid != 0)
        return pid;
    setenv("LD_PRELOAD", g_shim.c_str(), 1);
    setenv("PLAXEN_BENCH_T0", t0.c_str(), 1);
    setenv("PLAXEN_BENCH_OUT", g_out.c_str(), 1);
    if (keepRunning)
        setenv("PLAXEN_BENCH_KEEP", "1", 1);
    std::freopen("/dev/null", "w", stdout);
    std::freopen("/dev/null", "w", stderr);
    execl(path.c_str(), path.c_str(), static_cast<char*>(nullptr));
    _exit(127);
}

bool WaitForReport(pid_t pid, std::chrono::seconds timeout)
{
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!Exists(g_out))
    {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid || std::chrono::steady_clock::now() > end)
            return Exists(g_out);
        std::this_thread::sleep_for(2ms);
    }
    return true;
}

FirstFrame ReadReport()
{
    FirstFrame f;
    double kb = 0;
    std::ifstream(g_out) >> f.drawnMs >> f.shownMs >> kb;
    f.peakMb = kb / 1024.0;
    return f;
}

void Stop(pid_t pid)
{
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

// One start to the first frame; the shim ends the process there.
bool MeasureStart(Program& program)
{
    const pid_t pid = Launch(program.path, false);
    const bool ok = WaitForReport(pid, 60s);
    Stop(pid);
    if (!ok)
        return false;
    const FirstFrame f = ReadReport();
    program.drawnMs.push_back(f.drawnMs);
    program.shownMs.push_back(f.shownMs);
    program.peakMb.push_back(f.peakMb);
    return true;
}

double CpuSeconds(pid_t pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    // Fields after the command name (which may hold blanks) start at ") ";
    // utime and stime are fields 14 and 15, counted in clock ticks.
    std::istringstream rest(text.substr(text.rfind(')') + 2));
    std::string field;
    long ticks = 0;
    for (int i = 3; i <= 15 && rest >> field; ++i)
        if (i >= 14)
            ticks += std::stol(field);
    return static_cast<double>(ticks) / sysconf(_SC_CLK_TCK);
}

// CPU used by a window left alone for 5 s, starting 1 s after its first frame.
bool MeasureIdle(Program& program)
{
    const pid_t pid = Launch(program.path, true);
    if (!WaitForReport(pid, 60s))
    {
        Stop(pid);
        return false;
    }
    std::this_thread::sleep_for(1s);
    const double before = CpuSeconds(pid);
    std::this_thread::sleep_for(5s);
    const double after = CpuSeconds(pid);
    Stop(pid);
    program.idleCpu.push_back(after - before);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4)
    {
        std::fprintf(stderr, "usage: %s <shim.so> <game> <bare window> [runs]\n", argv[0]);
        return 2;
    }
    g_shim = argv[1];
    const int runs = argc > 4 ? std::max(1, std::atoi(argv[4])) : 7;
    char dir[] = "/tmp/plaxen-bench-XXXXXX";
    if (!mkdtemp(dir))
        return 1;
    g_out = std::string(dir) + "/first-frame";

    Program game{argv[2], {}, {}, {}, {}};
    Program bare{argv[3], {}, {}, {}, {}};
    // One unmeasured start each: the first start of anything reads its
    // libraries from disk, later ones from the page cache.
    bool ok = MeasureStart(game) && MeasureStart(bare);
    for (Program* p : {&game, &bare})
    {
        p->drawnMs.clear();
        p->shownMs.clear();
        p->peakMb.clear();
    }
    for (int i = 0; ok && i < runs; ++i)
        ok = MeasureStart(game) && MeasureStart(bare);
    for (int i = 0; ok && i < 3; ++i)
        ok = MeasureIdle(game) && MeasureIdle(bare);
    std::remove(g_out.c_str());
    rmdir(dir);
    if (!ok)
    {
        std::fprintf(stderr, "a program painted no frame within 60 s\n");
        return 1;
    }

    const double gameDrawn = Median(game.drawnMs);
    const double bareDrawn = Median(bare.drawnMs);
    std::printf("start-up to end of first draw (median of %d)  game %7.1f ms   bare %7.1f ms   "
                "ratio %.2f (target <= 1.5)\n",
                runs, gameDrawn, bareDrawn, gameDrawn / bareDrawn);
    const double gameMs = Median(game.shownMs);
    const double bareMs = Median(bare.shownMs);
    const double gameMb = Median(game.peakMb);
    const double bareMb = Median(bare.peakMb);
    std::printf("start-up to frame on screen (median of %d)    game %7.1f ms   bare %7.1f ms   "
                "ratio %.2f (target <= 1.5)\n",
                runs, gameMs, bareMs, gameMs / bareMs);
    std::printf("peak resident memory (median of %d)          game %7.1f MB   bare %7.1f MB   "
                "ratio %.2f (target <= 1.3)\n",
                runs, gameMb, bareMb, gameMb / bareMb);
    std::printf("idle CPU over 5 s (median of 3)              game %7.3f s    bare %7.3f s    "
                "(target < 0.05 s)\n",
                Median(game.idleCpu), Median(bare.idleCpu));
    return 0;
}
