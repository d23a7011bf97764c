#pragma once
// An OpenGL rendering context for tests, drawn into an off-screen pixel
// buffer on the X display named by DISPLAY (Xvfb in the test runs).

#include <memory>
#include <string>

// Opens the display, makes a single-buffered RGBA pixel buffer of the given
// size with a 24-bit depth buffer and makes a context current on it; undoes
// all of that on destruction. Failure leaves IsCurrent() false and says why
// in Error(). One at a time per thread; not copyable. Under the leak
// checker, Mesa's driver leaves unattributable allocations at exit: a test
// binary using this runs with detect_leaks=0.
class CGLTestContext
{
public:
    explicit CGLTestContext(int width = 64, int height = 64);
    ~CGLTestContext();

    CGLTestContext(const CGLTestContext&) = delete;
    CGLTestContext& operator=(const CGLTestContext&) = delete;

    bool IsCurrent() const { return m_current; }
    const std::string& Error() const { return m_error; }

private:
    struct Handles; // X and GLX types stay out of the tests' namespace
    std::unique_ptr<Handles> m_handles;
    bool m_current = false;
    std::string m_error;
};
