#include "glwnd/OpenGLWnd.h"

#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <wx/frame.h>

#include "WxTestEnvironment.h"
#include "glwnd/MessageService.h"

namespace
{
const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(
    new WxTestEnvironment(WxTestOptions{.displayWithoutGlx = true, .makeApp = {}}));
} // namespace

TEST(OpenGLWndNoGlx, CreationFailsWithChoosePixelFormatBox)
{
    std::vector<std::string> boxes;
    const MessageBoxHandler old = SetMessageBoxHandler(
        [&](const std::string& text, const std::string&, unsigned type)
        { boxes.push_back(text + (type == MB_ICONSTOP ? " (stop)" : " (wrong icon)")); });
    auto* frame = new wxFrame(nullptr, wxID_ANY, "no glx");
    auto* wnd = new COpenGLWnd;
    wnd->m_doublebuffer = true;
    EXPECT_FALSE(wnd->Create(frame));
    EXPECT_EQ(wnd->m_hrc, nullptr);
    delete wnd;
    frame->Destroy();
    SetMessageBoxHandler(old);
    EXPECT_EQ(boxes, std::vector<std::string>{"ChoosePixelFormat Failed The X server " +
                                              std::string(std::getenv("DISPLAY")) +
                                              " does not offer the GLX extension. (stop)"});
}
