#include "app/MainFrame.h"

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <wx/menu.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>
#include <wx/uiaction.h>

#include <X11/XKBlib.h>

#include "WxTestEnvironment.h"
#include "app/AboutDlg.h"
#include "app/MoveListPane.h"
#include "app/PlaxenApp.h"
#include "app/Resource.h"
#include "glwnd/OpenGLWnd.h"
#include "notation/BoardMoves.h"
#include "record/GameRecord.h"

namespace
{
const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(
    new WxTestEnvironment(WxTestOptions{.display = WxTestOptions::Display::Private, .makeApp = [] {
                                            return static_cast<wxApp*>(new CPlaxenApp);
                                        }}));

// Stands in for the board view: handles No Spin with its check mark and
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
        Bind(
            wxEVT_MENU, [this](wxCommandEvent& event) { commands.push_back(event.GetId()); },
            ID_UNDO_MOVE, ID_PASTE_GAME);
    }
    void SetFocus() override
    {
        ++focusCalls;
        COpenGLWnd::SetFocus();
    }
    int noSpinCalls = 0, focusCalls = 0;
    std::vector<int> commands; // the record commands received
    bool noSpin = false;
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
        Settle();
    }
    void TearDown() override
    {
        COpenGLWnd::SetFrameFloorEnabled(true);
        if (!wxTheApp->IsScheduledForDestruction(frame))
            frame->Destroy();
        PumpFor(std::chrono::milliseconds(20));
    }

    // What choosing a menu item does: the frame receives the command.
    bool Command(int id)
    {
        wxCommandEvent event(wxEVT_MENU, id);
        event.SetEventObject(frame);
        return frame->ProcessWindowEvent(event);
    }
    bool Checked(int id) { return frame->GetMenuBar()->IsChecked(id); }
    void Settle()
    {
        PumpFor(std::chrono::milliseconds(60));
        frame->DoMenuUpdates();
    }

    CMainFrame* frame = nullptr;
    CCommandView* view = nullptr;
};
} // namespace

TEST_F(MainFrameTest, MenuAndToolbarHoldTheResourceItemsInOrder)
{
    // Each menu printed as "label: id text, ...", with "-" for a separator.
    const std::string exit = std::to_string(wxID_EXIT), about = std::to_string(wxID_ABOUT);
    const std::vector<std::string> expected{
        "&File: 32779 New Game, -, 32781 Load Game..., 32782 Save Game..., -, " + exit + " E&xit",
        "Edit: 32788 Undo Move\tCtrl+Z, 32789 Redo Move\tCtrl+Y, -, 32790 Copy Game\tCtrl+C, "
        "32791 Paste Game\tCtrl+V",
        "Options: 32771 No Spin, 32778 Redraw Chips, -, 32783 Computer Plays Black, 32784 Computer "
        "Plays Red, Computer Level [32785 Beginner, 32786 Intermediate, 32787 Expert]",
        "Camera: 32772 Pan/Tilt, 32773 Pitch/Yaw, 32774 Roll/Move, 32775 DollyXY",
        "&View: 59392 &Toolbar, 59393 &Status Bar, 32792 Move List",
        "&Help: " + about + " &About Plaxen..."};
    EXPECT_EQ(frame->GetTitle(), "Plaxen");
    wxMenuBar* bar = frame->GetMenuBar();
    std::vector<std::string> actual;
    // "id label" per item, "-" per separator, "label [items]" per submenu.
    std::function<std::string(const wxMenu*)> items = [&](const wxMenu* menu)
    {
        std::string line;
        for (const wxMenuItem* item : menu->GetMenuItems())
        {
            const std::string label = item->GetItemLabel().utf8_string();
            line += item->IsSeparator() ? " -,"
                    : item->IsSubMenu()
                        ? " " + label + " [" + items(item->GetSubMenu()).substr(1) + "],"
                        : " " + std::to_string(item->GetId()) + " " + label + ",";
            // Only the Edit menu's items show keys.
            EXPECT_EQ(item->GetAccel() != nullptr, menu == bar->GetMenu(1) && !item->IsSeparator())
                << label;
        }
        line.pop_back();
        return line;
    };
    for (std::size_t m = 0; m < bar->GetMenuCount(); ++m)
        actual.push_back(bar->GetMenuLabel(m).utf8_string() + ":" + items(bar->GetMenu(m)));
    EXPECT_EQ(actual, expected);
    EXPECT_EQ(bar->GetHelpString(wxID_EXIT), "Quit the application; prompts to save documents");

    wxToolBar* toolbar = frame->GetToolBar();
    ASSERT_EQ(toolbar->GetToolsCount(), 6u);
    const int toolIds[] = {ID_NEW_GAME, ID_NO_SPIN,   wxID_SEPARATOR,
                           wxID_ABOUT,  ID_UNDO_MOVE, ID_REDO_MOVE};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(toolbar->GetToolByPos(i)->GetId(), toolIds[i]);
    EXPECT_EQ(toolbar->GetToolShortHelp(ID_UNDO_MOVE), "Undo Move");
    EXPECT_EQ(toolbar->GetToolLongHelp(ID_REDO_MOVE), "Play the move taken back again");
    EXPECT_EQ(toolbar->GetToolByPos(1)->GetKind(), wxITEM_CHECK);
    EXPECT_EQ(toolbar->GetToolByPos(3)->GetNormalBitmap().GetSize(), wxSize(16, 15));
    EXPECT_EQ(toolbar->GetToolShortHelp(wxID_ABOUT), "About");
    EXPECT_EQ(toolbar->GetToolShortHelp(ID_NEW_GAME), ""); // its string has no tooltip part
}

TEST_F(MainFrameTest, OtherCommandsFallThroughToFrameAndApplicationOrToNothing)
{
    // The accelerator table's editing and pane commands have no handler.
    for (const int id : {57634, 57637, 57635, 57643, 57680, 57681, ID_REDRAW_CHIPS})
        EXPECT_FALSE(Command(id)) << id;
    EXPECT_EQ(view->noSpinCalls, 0);

    // About reaches the application, which shows the About box modally.
    wxString title;
    std::function<void()> closeAbout = [&]
    {
        for (wxWindow* window : wxTopLevelWindows)
            if (auto* about = dynamic_cast<CAboutDlg*>(window); about && about->IsModal())
                return title = about->GetTitle(), about->EndModal(wxID_OK);
        wxTheApp->CallAfter(closeAbout);
    };
    wxTheApp->CallAfter(closeAbout);
    EXPECT_TRUE(Command(wxID_ABOUT));
    EXPECT_EQ(title, "About Plaxen");
    EXPECT_EQ(CAboutDlg::NoticeText(), "Plaxen Version 1.0.0.1"); // from project()

    // Exit reaches the application, which closes the main window.
    wxTheApp->SetTopWindow(frame);
    EXPECT_TRUE(Command(wxID_EXIT));
    EXPECT_TRUE(wxTheApp->IsScheduledForDestruction(frame));
}

TEST_F(MainFrameTest, CheckMarksFollowTheViewsStateAndTheBars)
{
    EXPECT_FALSE(Checked(ID_NO_SPIN));
    EXPECT_TRUE(Command(ID_NO_SPIN));
    frame->GetToolBar()->OnLeftClick(ID_NO_SPIN, true); // what a click on the button does
    EXPECT_TRUE(Command(ID_NO_SPIN));
    EXPECT_EQ(view->noSpinCalls, 3) << "the view gets the command from menu and toolbar";
    frame->DoMenuUpdates();
    frame->GetToolBar()->UpdateWindowUI();
    EXPECT_TRUE(Checked(ID_NO_SPIN));
    EXPECT_TRUE(frame->GetToolBar()->GetToolState(ID_NO_SPIN));

    // View > Toolbar and Status Bar: the view takes each bar's space.
    const int fullHeight = view->GetClientSize().y;
    int height = fullHeight;
    for (const int id : {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR})
    {
        EXPECT_TRUE(Checked(id));
        EXPECT_TRUE(Command(id));
        Settle();
        EXPECT_FALSE(Checked(id));
        EXPECT_GT(view->GetClientSize().y, height) << id;
        height = view->GetClientSize().y;
    }
    Command(ID_VIEW_TOOLBAR);
    Command(ID_VIEW_STATUS_BAR);
    Settle();
    EXPECT_TRUE(Checked(ID_VIEW_TOOLBAR) && Checked(ID_VIEW_STATUS_BAR));
    EXPECT_EQ(view->GetClientSize().y, fullHeight);

    // View > Move List, off at the start: the pane takes room beside the view.
    const int fullWidth = view->GetClientSize().x;
    EXPECT_FALSE(Checked(ID_MOVE_LIST));
    EXPECT_TRUE(Command(ID_MOVE_LIST));
    Settle();
    EXPECT_TRUE(Checked(ID_MOVE_LIST));
    EXPECT_LT(view->GetClientSize().x, fullWidth);
    Command(ID_MOVE_LIST);
    Settle();
    EXPECT_EQ(view->GetClientSize().x, fullWidth);
}

TEST_F(MainFrameTest, EditingKeysReachTheViewsRecordCommands)
{
    // Typed with the view focused, as a player types them.
    frame->Raise();
    view->SetFocus();
    Settle();
    wxUIActionSimulator keys;
    const struct
    {
        int key, modifiers, command;
    } cases[] = {
        {'Z', wxMOD_CONTROL, ID_UNDO_MOVE},  {WXK_BACK, wxMOD_ALT, ID_UNDO_MOVE},
        {'Y', wxMOD_CONTROL, ID_REDO_MOVE},  {'Z', wxMOD_CONTROL | wxMOD_SHIFT, ID_REDO_MOVE},
        {'C', wxMOD_CONTROL, ID_COPY_GAME},  {WXK_INSERT, wxMOD_CONTROL, ID_COPY_GAME},
        {'V', wxMOD_CONTROL, ID_PASTE_GAME}, {WXK_INSERT, wxMOD_SHIFT, ID_PASTE_GAME}};
    for (const auto& c : cases)
    {
        view->commands.clear();
        keys.Char(c.key, c.modifiers);
        EXPECT_TRUE(PumpUntil([&] { return !view->commands.empty(); }, std::chrono::seconds(2)))
            << c.key;
        EXPECT_EQ(view->commands, std::vector<int>{c.command}) << c.key;
    }
}

TEST(MoveListPane, LinesOfMovePairsAndAClickGoesToTheMove)
{
    auto* frame = new wxFrame(nullptr, wxID_ANY, "moves", wxDefaultPosition, wxSize(300, 300));
    std::vector<std::size_t> asked;
    auto* pane = new CMoveListPane(frame, [&](std::size_t count) { asked.push_back(count); });
    frame->Show();
    CGameRecord record;
    CCheckerBoard board;
    for (const char* text : {"11-15", "23-19", "8-11"})
    {
        ASSERT_NE(PlayMove(board, ParseMove(text).value()), MoveRefused);
        record.Played(ParseMove(text).value(), board);
    }
    pane->ShowRecord(record);
    EXPECT_EQ(pane->GetItemCount(), 2u); // "1. 11-15 23-19", "2. 8-11"
    PumpFor(std::chrono::milliseconds(50));
    const wxRect first = pane->GetItemRect(0), second = pane->GetItemRect(1);
    for (const wxPoint at : {wxPoint(first.GetRight() - 2, first.GetTop() + 2),
                             wxPoint(first.x + 2, second.GetTop() + 2)})
    {
        wxMouseEvent press(wxEVT_LEFT_DOWN);
        press.SetPosition(at);
        pane->ProcessWindowEvent(press);
    }
    EXPECT_EQ(asked, (std::vector<std::size_t>{2, 3})) << "red's first move, then black's second";
    frame->Destroy();
}

TEST_F(MainFrameTest, FocusGoesToTheViewAndTheStatusBarTellsPromptsAndLocks)
{
    const int before = view->focusCalls;
    wxFocusEvent focus(wxEVT_SET_FOCUS, frame->GetId());
    frame->ProcessWindowEvent(focus);
    wxActivateEvent activate(wxEVT_ACTIVATE, true, frame->GetId());
    frame->ProcessWindowEvent(activate);
    EXPECT_EQ(view->focusCalls, before + 2);

    wxStatusBar* status = frame->GetStatusBar();
    ASSERT_EQ(status->GetFieldsCount(), 4);
    EXPECT_EQ(status->GetStatusText(0), "Ready");
    // A highlighted menu item shows its prompt until the menu closes.
    wxMenu* options = frame->GetMenuBar()->GetMenu(2);
    const auto menuEvent = [&](wxEventType type, int id)
    {
        wxMenuEvent event(type, id, options);
        frame->ProcessWindowEvent(event);
        return status->GetStatusText(0);
    };
    menuEvent(wxEVT_MENU_OPEN, 0);
    EXPECT_EQ(menuEvent(wxEVT_MENU_HIGHLIGHT, ID_NO_SPIN), "No spinning");
    EXPECT_EQ(menuEvent(wxEVT_MENU_CLOSE, 0), "Ready");

    const auto capsLockShows = [&](bool on)
    {
        XkbLockModifiers(wxGetX11Display(), XkbUseCoreKbd, LockMask, on ? LockMask : 0);
        XSync(wxGetX11Display(), False);
        return PumpUntil([&] { return status->GetStatusText(1) == (on ? "CAP" : ""); },
                         std::chrono::seconds(2));
    };
    EXPECT_TRUE(capsLockShows(true));
    EXPECT_TRUE(capsLockShows(false));
}
