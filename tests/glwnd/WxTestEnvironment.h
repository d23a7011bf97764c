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
    // Start a private Xvfb without GLX and run the tests on it (DISPLAY is
    // set to it).
    bool displayWithoutGlx = false;
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
