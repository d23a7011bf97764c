#include "WxTestEnvironment.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/init.h>

#include <gtk/gtk.h>

#include "glwnd/GlxSupport.h"

extern char** environ;

namespace
{
// Starts `Xvfb -displayfd`; returns its pid and sets `display`.
int StartXvfb(bool withGlx, std::string& display)
{
    int fds[2];
    if (pipe(fds) != 0)
        return -1;
    const std::string fd = std::to_string(fds[1]);
    const char* argv[] = {"Xvfb", "-displayfd",   fd.c_str(), withGlx ? "+extension" : "-extension",
                          "GLX",  "-nolisten",    "tcp",      "-screen",
                          "0",    "1280x1024x24", nullptr};
    pid_t pid = -1;
    const bool started =
        posix_spawnp(&pid, "Xvfb", nullptr, nullptr, const_cast<char**>(argv), environ) == 0;
    close(fds[1]);
    char c = 0;
    display = ":";
    while (started && read(fds[0], &c, 1) == 1 && c != '\n')
        display += c;
    close(fds[0]);
    return display.size() > 1 ? pid : -1;
}
} // namespace

void WxTestEnvironment::SetUp()
{
    // Before anything reads them: wx, GTK and the game's settings, and the
    // programs the tests start.
    std::string home = (std::filesystem::temp_directory_path() / "plaxen-home-XXXXXX").string();
    ASSERT_NE(mkdtemp(home.data()), nullptr) << "no temporary HOME";
    m_home = home;
    setenv("HOME", m_home.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (m_home + "/.config").c_str(), 1);

    std::string display;
    m_xvfbPid = StartXvfb(m_options.display == WxTestOptions::Display::Private, display);
    ASSERT_GT(m_xvfbPid, 0) << "could not start Xvfb";
    setenv("DISPLAY", display.c_str(), 1);

    RestrictGdkToX11();
    wxApp::SetInstance(m_options.makeApp ? m_options.makeApp() : new wxApp);
    static char name[] = "plaxen-test";
    static char* argv[] = {name, nullptr};
    int argc = 1;
    // Xvfb drops some connections (EAGAIN, reset by peer) while several
    // test processes connect at once. GTK keeps the first display it opens
    // and wx's start-up reuses it, so opening it here, with retries, spares
    // the tests those drops.
    bool opened = false;
    for (int attempt = 0; attempt < 100 && !opened; ++attempt)
    {
        opened = gtk_init_check(nullptr, nullptr);
        if (!opened)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ASSERT_TRUE(opened) << "cannot open the display";
    ASSERT_TRUE(wxEntryStart(argc, argv)) << "wx could not start (no display?)";
    // A failed wx assertion is a failed test, not a dialog nobody closes.
    wxSetAssertHandler(
        [](const wxString& file, int line, const wxString& func, const wxString& cond,
           const wxString& msg)
        {
            ADD_FAILURE_AT(file.utf8_str(), line)
                << "wx assertion in " << func << ": " << cond << " " << msg;
        });
    m_loop = new wxGUIEventLoop;
    wxEventLoopBase::SetActive(m_loop);
}

void WxTestEnvironment::TearDown()
{
    PumpFor(std::chrono::milliseconds(20)); // lets pending window deletions happen
    wxEventLoopBase::SetActive(nullptr);
    delete m_loop;
    wxEntryCleanup();
    if (m_xvfbPid > 0)
    {
        kill(m_xvfbPid, SIGTERM);
        waitpid(m_xvfbPid, nullptr, 0);
    }
    if (!m_home.empty())
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_home, ignored);
    }
}

bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout)
{
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!done() && std::chrono::steady_clock::now() < end)
    {
        wxTheApp->Yield(true);
        wxTheApp->ProcessPendingEvents();
        wxTheApp->ProcessIdle();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return done();
}

void PumpFor(std::chrono::milliseconds duration)
{
    PumpUntil([] { return false; }, duration);
}
