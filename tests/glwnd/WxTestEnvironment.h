#pragma once
// A running wx application for GUI tests: gtest_main stays the entry point,
// and each test binary registers one of these as its global environment.

#include <chrono>
#include <functional>
#include <string>

#include <gtest/gtest.h>

class wxApp;
class wxEventLoopBase;

struct WxTestOptions
{
    // Every GUI test process runs on an Xvfb of its own (DISPLAY is set to
    // it): on a shared display the keyboard focus belongs to whichever test
    // process raised a window last, Caps Lock is everyone's, and a menu or
    // box of one test could catch another's clicks. Without GLX: for the
    // start-up that must do without.
    enum class Display
    {
        Private,
        PrivateWithoutGlx
    };
    Display display = Display::Private;
    // The application object; a plain wxApp when empty.
    std::function<wxApp*()> makeApp;
};

// The process's HOME and XDG_CONFIG_HOME point into a temporary folder
// while it runs, so that no test reads or writes the real user's settings.
class WxTestEnvironment : public ::testing::Environment
{
public:
    explicit WxTestEnvironment(WxTestOptions options = {}) : m_options(std::move(options)) {}
    void SetUp() override;
    void TearDown() override;

private:
    WxTestOptions m_options;
    wxEventLoopBase* m_loop = nullptr;
    int m_xvfbPid = -1;
    std::string m_home; // the temporary HOME, removed at the end
};

// Handles pending, window-system and idle events until `done` holds or
// `timeout` passes; returns `done()`.
bool PumpUntil(const std::function<bool()>& done,
               std::chrono::milliseconds timeout = std::chrono::seconds(5));

// Handles events for `duration`.
void PumpFor(std::chrono::milliseconds duration);
