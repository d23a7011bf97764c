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
    // Shared: the display test.sh runs ctest on. The private ones are an
    // Xvfb of the binary's own (DISPLAY is set to it): for tests that type
    // or lock keys, since on a shared display the keyboard focus belongs to
    // whichever test process raised a window last and Caps Lock is
    // everyone's; and, without GLX, for the start-up that must do without.
    enum class Display
    {
        Shared,
        Private,
        PrivateWithoutGlx
    };
    Display display = Display::Shared;
    // The application object; a plain wxApp when empty.
    std::function<wxApp*()> makeApp;
};

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
};

// Handles pending, window-system and idle events until `done` holds or
// `timeout` passes; returns `done()`.
bool PumpUntil(const std::function<bool()>& done,
               std::chrono::milliseconds timeout = std::chrono::seconds(5));

// Handles events for `duration`.
void PumpFor(std::chrono::milliseconds duration);
