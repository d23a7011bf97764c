#include "glwnd/OpenGLWnd.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <wx/frame.h>

#include "WxTestEnvironment.h"
#include "glwnd/MessageService.h"

namespace
{
const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(
    new WxTestEnvironment(WxTestOptions{.gdkScale = 0, .displayWithoutGlx = true, .makeApp = {}}));
} // namespace

TEST(OpenGLWndNoGlx, CreationFailsWithChoosePixelFormatBox)
{
    std::vector<std::string> texts;
    std::vector<unsigned> types;
    const MessageBoxHandler old = SetMessageBoxHandler(
        [&](const std::string& text, const std::string&, unsigned type)
        {
            texts.push_back(text);
            types.push_back(type);
        });
    auto* frame = new wxFrame(nullptr, wxID_ANY, "no glx");
    auto* wnd = new COpenGLWnd;
    wnd->m_doublebuffer = true;
    EXPECT_FALSE(wnd->Create(frame));
    EXPECT_EQ(wnd->m_hrc, nullptr);
    delete wnd;
    frame->Destroy();
    SetMessageBoxHandler(old);

    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0], "ChoosePixelFormat Failed The X server " +
                            WxTestEnvironment::DisplayName() +
                            " does not offer the GLX extension.");
    EXPECT_EQ(types[0], MB_ICONSTOP);
}
