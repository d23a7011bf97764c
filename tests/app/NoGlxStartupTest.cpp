#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>
#include <wx/app.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "ChildProcess.h"
#include "WxTestEnvironment.h"
#include "app/MainFrame.h"
#include "glwnd/OpenGLWnd.h"
#include "tests/support/MessageLog.h"

namespace
{
const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new WxTestEnvironment(
    WxTestOptions{.display = WxTestOptions::Display::PrivateWithoutGlx, .makeApp = {}}));

// The mapped top-level window titled "Plaxen", or 0. Without a window
// manager the top-level windows are the root's children.
Window FindBox(Display* display)
{
    Window root = 0, parent = 0, *children = nullptr, found = 0;
    unsigned count = 0;
    XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count);
    for (unsigned i = 0; i < count && found == 0; ++i)
    {
        XWindowAttributes attributes;
        char* name = nullptr;
        if (XGetWindowAttributes(display, children[i], &attributes) &&
            attributes.map_state == IsViewable && XFetchName(display, children[i], &name) &&
            std::string(name) == "Plaxen")
            found = children[i];
        XFree(name); // null is allowed
    }
    XFree(children);
    return found;
}

// Asks the window to close, as a window manager's close button does.
void RequestClose(Display* display, Window window)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
}
} // namespace

// The box's text, in-process: the view's window cannot be made, and the
// frame gives up and destroys itself.
TEST(NoGlxStartup, FrameGivesUpAfterTheChoosePixelFormatBox)
{
    testsupport::MessageLog log;
    auto* frame = new CMainFrame([] { return new COpenGLWnd; });
    EXPECT_FALSE(frame->LoadFrame());
    EXPECT_TRUE(wxTheApp->IsScheduledForDestruction(frame));
    EXPECT_EQ(log.boxes,
              std::vector<std::string>{"ChoosePixelFormat Failed The X server " +
                                       std::string(std::getenv("DISPLAY")) +
                                       " does not offer the GLX extension. [Plaxen, 16]"});
}

// The real program shows that box (titled Plaxen) and ends.
TEST(NoGlxStartup, ProgramShowsItsBoxThenExitsNonZero)
{
    Display* display = XOpenDisplay(nullptr); // $DISPLAY: the private server
    ASSERT_NE(display, nullptr);
    const pid_t pid = childprocess::Start(PLAXEN_EXE_PATH);
    ASSERT_GT(pid, 0);

    Window box = 0;
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (box == 0 && std::chrono::steady_clock::now() < end)
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        box = FindBox(display);
    }
    EXPECT_NE(box, 0u) << "no box titled Plaxen appeared";
    if (box != 0)
        RequestClose(display, box);

    const std::optional<int> status = childprocess::Wait(pid, std::chrono::seconds(20));
    XCloseDisplay(display);
    ASSERT_TRUE(status.has_value()) << "the program did not end after its box was closed";
    ASSERT_TRUE(WIFEXITED(*status)) << "ended by signal " << WTERMSIG(*status);
    EXPECT_NE(WEXITSTATUS(*status), 0);
}
