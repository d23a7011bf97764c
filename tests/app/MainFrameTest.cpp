#include "app/MainFrame.h"

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <wx/menu.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>

#include <X11/XKBlib.h>

#include "WxTestEnvironment.h"
#include "app/AboutDlg.h"
#include "app/PlaxenApp.h"
#include "app/Resource.h"
#include "glwnd/MessageService.h"
#include "glwnd/OpenGLWnd.h"

namespace
{
const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(
    new WxTestEnvironment(WxTestOptions{.gdkScale = 0, .displayWithoutGlx = false, .makeApp = [] {
                                            return static_cast<wxApp*>(new CPlaxenApp);
                                        }}));

// Stands in for the board view: handles No Spin and its check mark, and
// counts focus requests.
class CCommandView : public COpenGLWnd
{
public:
    CCommandView()
    {
        Bind(
            wxEVT_MENU, [this](wxCommandEvent&) { ++noSpinCalls, noSpin = !noSpin; }, ID_NO_SPIN);
        Bind(
            wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) { event.Check(noSpin); }, ID_NO_SPIN);
    }
    void SetFocus() override
    {
        ++focusCalls;
        COpenGLWnd::SetFocus();
    }
    int noSpinCalls = 0;
    bool noSpin = false;
    int focusCalls = 0;
};

class MainFrameTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        COpenGLWnd::SetFrameFloorEnabled(false);
        frame = new CMainFrame([this] { return view = new CCommandView; });
        ASSERT_TRUE(frame->LoadFrame());
        frame->Show();
        ASSERT_TRUE(PumpUntil([this] { return view->GetPaintCount() > 0; }));
        PumpFor(std::chrono::milliseconds(30));
    }

    void TearDown() override
    {
        COpenGLWnd::SetFrameFloorEnabled(true);
        if (frame != nullptr && !wxTheApp->IsScheduledForDestruction(frame))
            frame->Destroy();
        PumpFor(std::chrono::milliseconds(20));
    }

    // What a menu choice does: the frame receives the command.
    bool Command(int id)
    {
        wxCommandEvent event(wxEVT_MENU, id);
        event.SetEventObject(frame);
        return frame->ProcessWindowEvent(event);
    }

    void SettleLayout()
    {
        PumpFor(std::chrono::milliseconds(60));
        frame->DoMenuUpdates();
    }

    CMainFrame* frame = nullptr;
    CCommandView* view = nullptr;
};

struct MenuLine
{
    int id; // wxID_SEPARATOR for a separator
    std::string label;
};
} // namespace

TEST_F(MainFrameTest, MenuHasTheItemsIdsAndSeparatorsInOrder)
{
    const std::vector<std::pair<std::string, std::vector<MenuLine>>> expected{
        {"&File",
         {{ID_NEW_GAME, "New Game"},
          {wxID_SEPARATOR, ""},
          {32781, "Load Game..."},
          {32782, "Save Game..."},
          {wxID_SEPARATOR, ""},
          {wxID_EXIT, "E&xit"}}},
        {"Options", {{32771, "No Spin"}, {32778, "Redraw Chips"}}},
        {"Camera",
         {{32772, "Pan/Tilt"}, {32773, "Pitch/Yaw"}, {32774, "Roll/Move"}, {32775, "DollyXY"}}},
        {"&View", {{59392, "&Toolbar"}, {59393, "&Status Bar"}}},
        {"&Help", {{wxID_ABOUT, "&About Plaxen..."}}},
    };
    EXPECT_EQ(frame->GetTitle(), "Plaxen");
    wxMenuBar* bar = frame->GetMenuBar();
    ASSERT_EQ(bar->GetMenuCount(), expected.size());
    for (std::size_t m = 0; m < expected.size(); ++m)
    {
        EXPECT_EQ(bar->GetMenuLabel(m), expected[m].first);
        const wxMenuItemList& items = bar->GetMenu(m)->GetMenuItems();
        ASSERT_EQ(items.size(), expected[m].second.size()) << expected[m].first;
        std::size_t i = 0;
        for (const wxMenuItem* item : items)
        {
            const MenuLine& line = expected[m].second[i++];
            EXPECT_EQ(item->GetId(), line.id) << line.label;
            EXPECT_EQ(item->GetItemLabel().utf8_string(), line.label);
            EXPECT_EQ(item->GetAccel(), nullptr) << line.label << " must not gain a shortcut";
        }
    }
    EXPECT_EQ(bar->GetHelpString(ID_NO_SPIN), "No spinning");
    EXPECT_EQ(bar->GetHelpString(wxID_EXIT), "Quit the application; prompts to save documents");
    EXPECT_EQ(bar->GetHelpString(ID_LOAD_GAME), "");
}

TEST_F(MainFrameTest, ToolbarHasNewGameNoSpinSeparatorAbout)
{
    wxToolBar* toolbar = frame->GetToolBar();
    ASSERT_EQ(toolbar->GetToolsCount(), 4u);
    const int ids[] = {ID_NEW_GAME, ID_NO_SPIN, -1, wxID_ABOUT};
    for (int i = 0; i < 4; ++i)
    {
        const wxToolBarToolBase* tool = toolbar->GetToolByPos(i);
        if (ids[i] == -1)
        {
            EXPECT_TRUE(tool->IsSeparator());
            continue;
        }
        EXPECT_EQ(tool->GetId(), ids[i]);
        EXPECT_EQ(tool->GetNormalBitmap().GetSize(), wxSize(16, 15));
    }
    EXPECT_EQ(toolbar->FindById(ID_NO_SPIN)->GetKind(), wxITEM_CHECK);
    EXPECT_EQ(toolbar->GetToolShortHelp(wxID_ABOUT), "About");
    EXPECT_EQ(toolbar->GetToolShortHelp(ID_NEW_GAME), "");
    EXPECT_EQ(toolbar->GetToolLongHelp(wxID_ABOUT),
              "Display program information, version number and copyright");
}

TEST_F(MainFrameTest, ViewGetsItsCommandFromMenuAndToolbarWithCheckMarks)
{
    EXPECT_TRUE(Command(ID_NO_SPIN));
    EXPECT_EQ(view->noSpinCalls, 1);
    frame->GetToolBar()->OnLeftClick(ID_NO_SPIN, true); // what a click on the button does
    EXPECT_EQ(view->noSpinCalls, 2);

    EXPECT_TRUE(Command(ID_NO_SPIN));
    frame->DoMenuUpdates();
    EXPECT_TRUE(frame->GetMenuBar()->IsChecked(ID_NO_SPIN));
    frame->GetToolBar()->UpdateWindowUI();
    EXPECT_TRUE(frame->GetToolBar()->GetToolState(ID_NO_SPIN));

    EXPECT_TRUE(Command(ID_NO_SPIN));
    frame->DoMenuUpdates();
    EXPECT_FALSE(frame->GetMenuBar()->IsChecked(ID_NO_SPIN));
}

TEST_F(MainFrameTest, CommandsTheViewIgnoresReachNothingOrFallThrough)
{
    // The accelerator table's editing and pane commands have no handler.
    for (const int id : {57634, 57637, 57635, 57643, 57680, 57681})
        EXPECT_FALSE(Command(id)) << id;
    EXPECT_FALSE(Command(ID_REDRAW_CHIPS)); // the double view has no handler for it
    EXPECT_EQ(view->noSpinCalls, 0);

    // About reaches the application, which shows the About box modally.
    wxString title, notice;
    std::function<void()> closeAbout = [&]
    {
        for (wxWindow* window : wxTopLevelWindows)
            if (auto* about = dynamic_cast<CAboutDlg*>(window);
                about != nullptr && about->IsModal())
            {
                title = about->GetTitle();
                about->EndModal(wxID_OK);
                return;
            }
        wxTheApp->CallAfter(closeAbout);
    };
    wxTheApp->CallAfter(closeAbout);
    EXPECT_TRUE(Command(wxID_ABOUT));
    EXPECT_EQ(title, "About Plaxen");
    EXPECT_EQ(CAboutDlg::NoticeText(), "Plaxen Version 1.0.0.1");

    // Exit reaches the application, which closes the main window.
    wxTheApp->SetTopWindow(frame);
    EXPECT_TRUE(Command(wxID_EXIT));
    EXPECT_TRUE(wxTheApp->IsScheduledForDestruction(frame));
}

TEST_F(MainFrameTest, ViewItemsHideAndShowTheBarsWithCheckMarks)
{
    wxMenuBar* bar = frame->GetMenuBar();
    SettleLayout();
    const int fullHeight = view->GetClientSize().y;
    EXPECT_TRUE(bar->IsChecked(ID_VIEW_TOOLBAR));
    EXPECT_TRUE(bar->IsChecked(ID_VIEW_STATUS_BAR));

    EXPECT_TRUE(Command(ID_VIEW_TOOLBAR));
    SettleLayout();
    EXPECT_FALSE(bar->IsChecked(ID_VIEW_TOOLBAR));
    const int withoutToolbar = view->GetClientSize().y;
    EXPECT_GT(withoutToolbar, fullHeight);

    EXPECT_TRUE(Command(ID_VIEW_STATUS_BAR));
    SettleLayout();
    EXPECT_FALSE(bar->IsChecked(ID_VIEW_STATUS_BAR));
    EXPECT_GT(view->GetClientSize().y, withoutToolbar);

    EXPECT_TRUE(Command(ID_VIEW_TOOLBAR));
    EXPECT_TRUE(Command(ID_VIEW_STATUS_BAR));
    SettleLayout();
    EXPECT_TRUE(bar->IsChecked(ID_VIEW_TOOLBAR));
    EXPECT_TRUE(bar->IsChecked(ID_VIEW_STATUS_BAR));
    EXPECT_EQ(view->GetClientSize().y, fullHeight);
}

TEST_F(MainFrameTest, FocusAndActivationGoToTheView)
{
    const int before = view->focusCalls;
    wxFocusEvent focus(wxEVT_SET_FOCUS, frame->GetId());
    focus.SetEventObject(frame);
    frame->ProcessWindowEvent(focus);
    EXPECT_EQ(view->focusCalls, before + 1);

    wxActivateEvent activate(wxEVT_ACTIVATE, true, frame->GetId());
    activate.SetEventObject(frame);
    frame->ProcessWindowEvent(activate);
    EXPECT_EQ(view->focusCalls, before + 2);
}

TEST_F(MainFrameTest, StatusBarShowsReadyAndTheRealLockState)
{
    wxStatusBar* status = frame->GetStatusBar();
    ASSERT_EQ(status->GetFieldsCount(), 4);
    EXPECT_EQ(status->GetStatusText(0), "Ready");

    // A highlighted menu item shows its prompt until the menu closes.
    wxMenu* options = frame->GetMenuBar()->GetMenu(1);
    wxMenuEvent open(wxEVT_MENU_OPEN, 0, options);
    frame->ProcessWindowEvent(open);
    wxMenuEvent highlight(wxEVT_MENU_HIGHLIGHT, ID_NO_SPIN, options);
    frame->ProcessWindowEvent(highlight);
    EXPECT_EQ(status->GetStatusText(0), "No spinning");
    wxMenuEvent close(wxEVT_MENU_CLOSE, 0, options);
    frame->ProcessWindowEvent(close);
    EXPECT_EQ(status->GetStatusText(0), "Ready");

    Display* display = wxGetX11Display();
    const auto setCapsLock = [&](bool on)
    {
        XkbLockModifiers(display, XkbUseCoreKbd, LockMask, on ? LockMask : 0);
        XSync(display, False);
        return PumpUntil([&] { return status->GetStatusText(1) == (on ? "CAP" : ""); },
                         std::chrono::seconds(2));
    };
    EXPECT_TRUE(setCapsLock(true)) << "shown: '" << status->GetStatusText(1) << "'";
    EXPECT_TRUE(setCapsLock(false)) << "shown: '" << status->GetStatusText(1) << "'";
}

TEST(MainFrame, ViewThatCannotCreateItsContextFailsTheFrame)
{
    std::vector<std::string> boxes;
    const MessageBoxHandler old = SetMessageBoxHandler(
        [&](const std::string& text, const std::string&, unsigned) { boxes.push_back(text); });
    class CNoContextView : public COpenGLWnd
    {
        bool DoCreateContext() override { return false; }
    };
    auto* frame = new CMainFrame([] { return new CNoContextView; });
    EXPECT_FALSE(frame->LoadFrame());
    PumpFor(std::chrono::milliseconds(20));
    EXPECT_EQ(wxTopLevelWindows.Find(frame), nullptr) << "the failed frame must be gone";
    SetMessageBoxHandler(old);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].rfind("Unable to create an OpenGL rendering context ", 0), 0u);
}
