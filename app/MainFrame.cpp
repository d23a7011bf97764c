#include "app/MainFrame.h"

#include <wx/accel.h>
#include <wx/display.h>
#include <wx/iconbndl.h>
#include <wx/menu.h>
#include <wx/mstream.h>
#include <wx/persist/toplevel.h>
#include <wx/sizer.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>
#include <wx/utils.h>

#include "app/AnalysisPane.h"
#include "app/AppIcons.h"
#include "app/EvaluationGraphPane.h"
#include "app/MoveListPane.h"
#include "app/Resource.h"
#include "app/ToolbarArt.h"
#include "glwnd/OpenGLWnd.h"
#include "glwnd/UserSettings.h"
#include "record/TimeControl.h"
#include "view/ChildView.h"
#include "view/ClockKeeper.h"
#include "view/Reviewer.h"

namespace
{
constexpr int kIndicatorPaneWidth = 48;
constexpr int kClockPaneWidth = 96; // "Black 1:05:00"
// The status bar's panes: the message, the two clocks, the three locks.
constexpr int kClockPanes[] = {1, 2}; // black's, red's
constexpr int kFirstIndicatorPane = 3;
constexpr int kPaneCount = 6;
const char* const kFramePersistenceName = "MainFrame";
constexpr int kMoveListWidth = 170; // "99." and two steps; longer captures go on below
constexpr int kAnalysisWidth = 220; // an evaluation in words on a line
constexpr int kGraphHeight = 130;
constexpr int kIndicatorKeys[] = {WXK_CAPITAL, WXK_NUMLOCK, WXK_SCROLL};
constexpr int kIndicatorIds[] = {ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};

wxMenuItem* AppendCommand(wxMenu* menu, int id, const char* label, wxItemKind kind = wxITEM_NORMAL)
{
    return menu->Append(id, label, wxString::FromUTF8(PromptOf(id)), kind);
}

// wx asserts on menu ids above 0x7FFF because Windows menus carry 16-bit
// ids; GTK menus carry ints, so the program's own numbers work unchanged
// and only the assertion is held back while the menu is built.
class CQuietAsserts
{
public:
    CQuietAsserts() : m_saved(wxSetAssertHandler(nullptr)) {}
    ~CQuietAsserts() { wxSetAssertHandler(m_saved); }
    CQuietAsserts(const CQuietAsserts&) = delete;
    CQuietAsserts& operator=(const CQuietAsserts&) = delete;

private:
    wxAssertHandler_t m_saved;
};

// Menu 128, with an Alt letter for every menu and item and the desktop's
// keys for the file commands. Items whose check mark someone sets are check
// items: wx refuses check marks on plain items.
wxMenuBar* BuildMenuBar()
{
    const CQuietAsserts quiet;
    auto* file = new wxMenu;
    AppendCommand(file, ID_NEW_GAME, "&New Game\tCtrl+N");
    file->AppendSeparator();
    AppendCommand(file, ID_LOAD_GAME, "&Load Game...\tCtrl+O");
    AppendCommand(file, ID_SAVE_GAME, "&Save Game\tCtrl+S");
    AppendCommand(file, ID_SAVE_GAME_AS, "Save Game &As...\tShift+Ctrl+S");
    file->AppendSeparator();
    AppendCommand(file, ID_APP_EXIT, "E&xit\tCtrl+Q");

    // Edit: the keys show in the labels; the accelerator table adds the
    // other keys desktop programs use for the same commands.
    auto* edit = new wxMenu;
    AppendCommand(edit, ID_UNDO_MOVE, "&Undo Move\tCtrl+Z");
    AppendCommand(edit, ID_REDO_MOVE, "&Redo Move\tCtrl+Y");
    edit->AppendSeparator();
    AppendCommand(edit, ID_COPY_GAME, "&Copy Game\tCtrl+C");
    AppendCommand(edit, ID_PASTE_GAME, "&Paste Game\tCtrl+V");
    edit->AppendSeparator();
    AppendCommand(edit, ID_CLAIM_DRAW, "Claim &Draw");
    AppendCommand(edit, ID_OFFER_DRAW, "&Offer Draw");
    AppendCommand(edit, ID_RESIGN, "Re&sign");

    auto* options = new wxMenu;
    AppendCommand(options, ID_NO_SPIN, "&No Spin", wxITEM_CHECK);
    AppendCommand(options, ID_REDRAW_CHIPS, "Redraw &Chips");
    options->AppendSeparator();
    AppendCommand(options, ID_COMPUTER_BLACK, "Computer Plays &Black", wxITEM_CHECK);
    AppendCommand(options, ID_COMPUTER_RED, "Computer Plays &Red", wxITEM_CHECK);
    auto* level = new wxMenu;
    AppendCommand(level, ID_LEVEL_BEGINNER, "&Beginner", wxITEM_RADIO);
    AppendCommand(level, ID_LEVEL_INTERMEDIATE, "&Intermediate", wxITEM_RADIO);
    AppendCommand(level, ID_LEVEL_EXPERT, "&Expert", wxITEM_RADIO);
    // Its own number, so that its prompt can be found like any item's.
    options->Append(new wxMenuItem(options, ID_COMPUTER_LEVEL, "Computer &Level",
                                   wxString::FromUTF8(PromptOf(ID_COMPUTER_LEVEL)), wxITEM_NORMAL,
                                   level));
    // Each choice's Alt letter is its first character: N, 5, 1, 3, C.
    auto* clocks = new wxMenu;
    int clockId = ID_TIME_CONTROL_FIRST;
    for (const TimeControlChoice& choice : TimeControlChoices())
        AppendCommand(clocks, clockId++, (std::string("&") + choice.label).c_str(), wxITEM_RADIO);
    options->Append(new wxMenuItem(options, ID_TIME_CONTROL, "&Time Control",
                                   wxString::FromUTF8(PromptOf(ID_TIME_CONTROL)), wxITEM_NORMAL,
                                   clocks));

    auto* camera = new wxMenu;
    AppendCommand(camera, ID_CAMERA_PANTILT, "&Pan/Tilt", wxITEM_CHECK);
    AppendCommand(camera, ID_CAMERA_PITCHYAW, "Pitch/&Yaw", wxITEM_CHECK);
    AppendCommand(camera, ID_CAMERA_ROLLMOVE, "&Roll/Move", wxITEM_CHECK);
    AppendCommand(camera, ID_CAMERA_DOLLYXY, "&DollyXY", wxITEM_CHECK);

    auto* view = new wxMenu;
    AppendCommand(view, ID_VIEW_TOOLBAR, "&Toolbar", wxITEM_CHECK);
    AppendCommand(view, ID_VIEW_STATUS_BAR, "&Status Bar", wxITEM_CHECK);
    AppendCommand(view, ID_MOVE_LIST, "&Move List", wxITEM_CHECK);
    AppendCommand(view, ID_SHOW_LAST_MOVE, "Show &Last Move", wxITEM_CHECK);
    view->AppendSeparator();
    AppendCommand(view, ID_RESET_CAMERA, "Reset &Camera\tHome");

    auto* analysis = new wxMenu;
    AppendCommand(analysis, ID_HINT, "&Hint\tH");
    AppendCommand(analysis, ID_ANALYSE, "&Analyse", wxITEM_CHECK);
    analysis->AppendSeparator();
    AppendCommand(analysis, ID_REVIEW_GAME, "&Review Game\tCtrl+R");
    AppendCommand(analysis, ID_EVALUATION_GRAPH, "Evaluation &Graph", wxITEM_CHECK);

    auto* help = new wxMenu;
    AppendCommand(help, ID_APP_ABOUT, "&About Plaxen...");

    auto* bar = new wxMenuBar;
    bar->Append(file, "&File");
    bar->Append(edit, "&Edit");
    bar->Append(options, "&Options");
    bar->Append(camera, "&Camera");
    bar->Append(view, "&View");
    bar->Append(analysis, "&Analysis");
    bar->Append(help, "&Help");
    return bar;
}

// Accelerator table 128: the editing keys take back and replay moves and
// copy and paste the game; cut and the pane keys (57635, 57680, 57681) have
// nothing to act on, and binding them keeps them from reaching anything else.
// H asks for a hint: a bare letter typed on the board never reaches the
// menu's own accelerator.
wxAcceleratorTable BuildAccelerators()
{
    const wxAcceleratorEntry entries[] = {
        {wxACCEL_CTRL, 'C', ID_COPY_GAME},  {wxACCEL_CTRL, WXK_INSERT, ID_COPY_GAME},
        {wxACCEL_CTRL, 'V', ID_PASTE_GAME}, {wxACCEL_SHIFT, WXK_INSERT, ID_PASTE_GAME},
        {wxACCEL_CTRL, 'X', 57635},         {wxACCEL_SHIFT, WXK_DELETE, 57635},
        {wxACCEL_CTRL, 'Z', ID_UNDO_MOVE},  {wxACCEL_ALT, WXK_BACK, ID_UNDO_MOVE},
        {wxACCEL_CTRL, 'Y', ID_REDO_MOVE},  {wxACCEL_CTRL | wxACCEL_SHIFT, 'Z', ID_REDO_MOVE},
        {wxACCEL_NORMAL, WXK_F6, 57680},    {wxACCEL_SHIFT, WXK_F6, 57681},
        {wxACCEL_NORMAL, 'H', ID_HINT},
    };
    return wxAcceleratorTable(static_cast<int>(std::size(entries)), entries);
}

// The frame starts where and as large as the desktop suggests: three
// quarters of the work area, as a new top-level window gets elsewhere.
wxSize DefaultFrameSize()
{
    const wxRect area = wxDisplay(0u).GetClientArea();
    return wxSize(area.width * 3 / 4, area.height * 3 / 4);
}
} // namespace

wxBEGIN_EVENT_TABLE(CMainFrame, wxFrame)
    EVT_CLOSE(CMainFrame::OnClose)
    EVT_SET_FOCUS(CMainFrame::OnSetFocus)
    EVT_ACTIVATE(CMainFrame::OnActivate)
    EVT_MENU(ID_VIEW_TOOLBAR, CMainFrame::OnViewToolbar)
    EVT_UPDATE_UI(ID_VIEW_TOOLBAR, CMainFrame::OnUpdateViewToolbar)
    EVT_MENU(ID_VIEW_STATUS_BAR, CMainFrame::OnViewStatusBar)
    EVT_UPDATE_UI(ID_VIEW_STATUS_BAR, CMainFrame::OnUpdateViewStatusBar)
    EVT_MENU(ID_MOVE_LIST, CMainFrame::OnMoveList)
    EVT_UPDATE_UI(ID_MOVE_LIST, CMainFrame::OnUpdateMoveList)
    EVT_MENU(ID_ANALYSE, CMainFrame::OnAnalyse)
    EVT_UPDATE_UI(ID_ANALYSE, CMainFrame::OnUpdateAnalyse)
    EVT_MENU(ID_EVALUATION_GRAPH, CMainFrame::OnEvaluationGraph)
    EVT_UPDATE_UI(ID_EVALUATION_GRAPH, CMainFrame::OnUpdateEvaluationGraph)
    EVT_COMMAND(wxID_ANY, EVT_GAME_REVIEWED, CMainFrame::OnGameReviewed)
    EVT_IDLE(CMainFrame::OnIdle)
wxEND_EVENT_TABLE()

CMainFrame::CMainFrame(ViewFactory makeView) : m_wndView(makeView()) {}

CMainFrame::~CMainFrame()
{
    // Until it has a window the view is ours; after that wx deletes it with
    // the frame's other children.
    if (!m_viewHasWindow)
        delete m_wndView;
}

COpenGLWnd* CMainFrame::CreateView()
{
    return new CChildView;
}

bool CMainFrame::LoadFrame()
{
    // The original's frame class has no client edge and no background
    // brush; a wx frame has neither to begin with.
    if (!Create(nullptr, wxID_ANY, wxString::FromUTF8(LoadResourceString(IDR_MAINFRAME)),
                wxDefaultPosition, DefaultFrameSize(), wxDEFAULT_FRAME_STYLE))
    {
        return false;
    }
    SetMenuBar(BuildMenuBar());
    SetAcceleratorTable(BuildAccelerators());
    SetIcons(AppIcons());
    if (!OnCreate())
    {
        Destroy();
        return false;
    }
    // Where and how large it was when the player last closed it; saved by wx
    // when the frame goes.
    UserSettings();
    wxPersistentRegisterAndRestore(this, kFramePersistenceName);
    return true;
}

// The children take wx's own window ids: the original's pane and bar ids lie
// above the 0x7FFF that wx accepts, and nothing looks the children up by id.
bool CMainFrame::OnCreate()
{
    if (m_wndView == nullptr)
        return false;
    if (!m_wndView->Create(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxBORDER_NONE))
    {
        // A view that got as far as having a window is the frame's child and
        // goes with it; one that did not is still ours.
        m_viewHasWindow = m_wndView->GetHandle() != nullptr;
        return false;
    }
    m_viewHasWindow = true;

    // The move list stands beside the board, hidden until asked for; with
    // it hidden the view fills the frame as it always has.
    m_moveList = new CMoveListPane(this,
                                   [this](std::size_t count)
                                   {
                                       if (auto* view = dynamic_cast<CChildView*>(m_wndView))
                                           view->GoToMove(count);
                                   });
    m_moveList->SetMinSize(wxSize(FromDIP(kMoveListWidth), -1));
    m_moveList->Hide();
    // The analysis beside the board, before the move list; the graph under
    // the board, as wide as it. Hidden until asked for.
    m_analysisPane = new CAnalysisPane(this);
    m_analysisPane->SetMinSize(wxSize(FromDIP(kAnalysisWidth), -1));
    m_analysisPane->Hide();
    m_evaluationGraph =
        new CEvaluationGraphPane(this,
                                 [this](std::size_t count)
                                 {
                                     if (auto* view = dynamic_cast<CChildView*>(m_wndView))
                                         view->GoToMove(count);
                                 });
    m_evaluationGraph->SetMinSize(wxSize(-1, FromDIP(kGraphHeight)));
    m_evaluationGraph->Hide();
    auto* board = new wxBoxSizer(wxVERTICAL);
    board->Add(m_wndView, 1, wxEXPAND);
    board->Add(m_evaluationGraph, 0, wxEXPAND);
    auto* panes = new wxBoxSizer(wxHORIZONTAL);
    panes->Add(board, 1, wxEXPAND);
    panes->Add(m_analysisPane, 0, wxEXPAND);
    panes->Add(m_moveList, 0, wxEXPAND);
    SetSizer(panes);

    m_wndToolBar = CreateToolBar(wxTB_HORIZONTAL | wxTB_FLAT);
    if (m_wndToolBar == nullptr)
        return false;
    m_wndToolBar->SetToolBitmapSize(wxSize(kToolbarGlyphWidth, kToolbarGlyphHeight));
    m_wndToolBar->AddTool(ID_NEW_GAME, "New Game", ToolbarGlyph(0), wxNullBitmap, wxITEM_NORMAL,
                          wxString::FromUTF8(TooltipOf(ID_NEW_GAME)),
                          wxString::FromUTF8(PromptOf(ID_NEW_GAME)));
    m_wndToolBar->AddTool(ID_NO_SPIN, "No Spin", ToolbarGlyph(1), wxNullBitmap, wxITEM_CHECK,
                          wxString::FromUTF8(TooltipOf(ID_NO_SPIN)),
                          wxString::FromUTF8(PromptOf(ID_NO_SPIN)));
    m_wndToolBar->AddSeparator();
    m_wndToolBar->AddTool(ID_APP_ABOUT, "About", ToolbarGlyph(2), wxNullBitmap, wxITEM_NORMAL,
                          wxString::FromUTF8(TooltipOf(ID_APP_ABOUT)),
                          wxString::FromUTF8(PromptOf(ID_APP_ABOUT)));
    m_wndToolBar->AddTool(ID_UNDO_MOVE, "Undo Move", ToolbarGlyph(3), wxNullBitmap, wxITEM_NORMAL,
                          wxString::FromUTF8(TooltipOf(ID_UNDO_MOVE)),
                          wxString::FromUTF8(PromptOf(ID_UNDO_MOVE)));
    m_wndToolBar->AddTool(ID_REDO_MOVE, "Redo Move", ToolbarGlyph(4), wxNullBitmap, wxITEM_NORMAL,
                          wxString::FromUTF8(TooltipOf(ID_REDO_MOVE)),
                          wxString::FromUTF8(PromptOf(ID_REDO_MOVE)));
    m_wndToolBar->AddTool(ID_HINT, "Hint", ToolbarGlyph(5), wxNullBitmap, wxITEM_NORMAL,
                          wxString::FromUTF8(TooltipOf(ID_HINT)),
                          wxString::FromUTF8(PromptOf(ID_HINT)));
    m_wndToolBar->Realize();

    m_wndStatusBar = CreateStatusBar(kPaneCount);
    if (m_wndStatusBar == nullptr)
        return false;
    const int clockWidth = FromDIP(kClockPaneWidth);
    const int widths[kPaneCount] = {
        -1, clockWidth, clockWidth, kIndicatorPaneWidth, kIndicatorPaneWidth, kIndicatorPaneWidth};
    m_wndStatusBar->SetStatusWidths(kPaneCount, widths);
    m_wndStatusBar->SetStatusText(wxString::FromUTF8(LoadResourceString(AFX_IDS_IDLEMESSAGE)), 0);
    UpdateIndicators();
    // wx toolbars do not dock; the toolbar stays at the top.
    return true;
}

bool CMainFrame::OnCmdMsg(wxEvent& event)
{
    const wxEventType type = event.GetEventType();
    if (type != wxEVT_MENU && type != wxEVT_UPDATE_UI) // wxEVT_TOOL is wxEVT_MENU
        return false;
    // A command the view does not handle may climb back up to the frame;
    // offering it to the view again would go round for ever.
    if (m_routing || !m_viewHasWindow)
        return false;
    m_routing = true;
    const bool handled = m_wndView->ProcessWindowEventLocally(event);
    m_routing = false;
    return handled;
}

void CMainFrame::UpdateIndicators()
{
    if (m_wndStatusBar == nullptr)
        return;
    for (int lock = 0; lock < 3; ++lock)
    {
        const bool on = wxGetKeyState(static_cast<wxKeyCode>(kIndicatorKeys[lock]));
        const wxString text =
            on ? wxString::FromUTF8(LoadResourceString(kIndicatorIds[lock])) : wxString();
        if (m_wndStatusBar->GetStatusText(kFirstIndicatorPane + lock) != text)
            m_wndStatusBar->SetStatusText(text, kFirstIndicatorPane + lock);
    }
}

void CMainFrame::UpdateClockPanes()
{
    const auto* view = dynamic_cast<const CChildView*>(m_wndView);
    if (m_wndStatusBar == nullptr || view == nullptr || !m_viewHasWindow)
        return;
    for (const std::int32_t side : {CCheckerBoard::BlackSide, CCheckerBoard::RedSide})
    {
        const wxString text = wxString::FromUTF8(view->m_clocks->PaneText(side));
        if (m_wndStatusBar->GetStatusText(kClockPanes[side]) != text)
            m_wndStatusBar->SetStatusText(text, kClockPanes[side]);
    }
}

void CMainFrame::UpdateMessagePane()
{
    if (m_wndStatusBar == nullptr || m_promptShowing || !m_viewHasWindow)
        return;
    const auto* view = dynamic_cast<const CChildView*>(m_wndView);
    std::string text = view != nullptr ? view->StatusText() : std::string();
    if (text.empty())
        text = LoadResourceString(AFX_IDS_IDLEMESSAGE);
    const wxString shown = wxString::FromUTF8(text);
    if (m_wndStatusBar->GetStatusText(0) != shown)
        m_wndStatusBar->SetStatusText(shown, 0);
}

void CMainFrame::DoGiveHelp(const wxString& text, bool show)
{
    m_promptShowing = show;
    wxFrame::DoGiveHelp(text, show);
}

bool CMainFrame::TryBefore(wxEvent& event)
{
    return OnCmdMsg(event) || wxFrame::TryBefore(event);
}

void CMainFrame::OnClose(wxCloseEvent& event)
{
    // Exit comes here too: the application closes the main window.
    auto* view = dynamic_cast<CChildView*>(m_wndView);
    if (event.CanVeto() && m_viewHasWindow && view != nullptr && !view->MayClose())
    {
        event.Veto();
        return;
    }
    event.Skip(); // wx's own handling destroys the frame
}

void CMainFrame::OnSetFocus(wxFocusEvent&)
{
    if (m_viewHasWindow)
        m_wndView->SetFocus();
}

void CMainFrame::OnActivate(wxActivateEvent& event)
{
    // Switching back to the program activates the frame; the keyboard
    // belongs to the view then too.
    if (event.GetActive() && m_viewHasWindow)
        m_wndView->SetFocus();
    UpdateIndicators(); // a lock key may have changed while another program had the keyboard
    event.Skip();
}

void CMainFrame::OnViewToolbar(wxCommandEvent&)
{
    if (m_wndToolBar == nullptr)
        return;
    m_wndToolBar->Show(!m_wndToolBar->IsShown());
    SendSizeEvent(); // the view takes over the space
}

void CMainFrame::OnUpdateViewToolbar(wxUpdateUIEvent& event)
{
    event.Check(m_wndToolBar != nullptr && m_wndToolBar->IsShown());
}

void CMainFrame::OnViewStatusBar(wxCommandEvent&)
{
    if (m_wndStatusBar == nullptr)
        return;
    m_wndStatusBar->Show(!m_wndStatusBar->IsShown());
    SendSizeEvent();
}

void CMainFrame::OnUpdateViewStatusBar(wxUpdateUIEvent& event)
{
    event.Check(m_wndStatusBar != nullptr && m_wndStatusBar->IsShown());
}

void CMainFrame::OnMoveList(wxCommandEvent&)
{
    if (m_moveList == nullptr)
        return;
    m_moveList->Show(!m_moveList->IsShown());
    UpdateMoveList();
    Layout(); // the view gives the pane its room, or takes it back
}

void CMainFrame::OnUpdateMoveList(wxUpdateUIEvent& event)
{
    event.Check(m_moveList != nullptr && m_moveList->IsShown());
}

void CMainFrame::OnAnalyse(wxCommandEvent&)
{
    if (m_analysisPane == nullptr)
        return;
    const bool shown = !m_analysisPane->IsShown();
    m_analysisPane->Show(shown);
    // Hidden, the analysis stops at once: no search uses time unseen.
    if (auto* view = dynamic_cast<CChildView*>(m_wndView))
        view->SetAnalysisShown(shown);
    UpdateAnalysisPane();
    Layout();
}

void CMainFrame::OnUpdateAnalyse(wxUpdateUIEvent& event)
{
    event.Check(m_analysisPane != nullptr && m_analysisPane->IsShown());
}

void CMainFrame::OnEvaluationGraph(wxCommandEvent&)
{
    if (m_evaluationGraph == nullptr)
        return;
    m_evaluationGraph->Show(!m_evaluationGraph->IsShown());
    UpdateEvaluationGraph();
    Layout();
}

void CMainFrame::OnUpdateEvaluationGraph(wxUpdateUIEvent& event)
{
    event.Check(m_evaluationGraph != nullptr && m_evaluationGraph->IsShown());
}

void CMainFrame::OnGameReviewed(wxCommandEvent&)
{
    if (m_evaluationGraph == nullptr || m_evaluationGraph->IsShown())
        return;
    m_evaluationGraph->Show();
    UpdateEvaluationGraph();
    Layout();
}

void CMainFrame::UpdateTitle()
{
    const auto* view = dynamic_cast<const CChildView*>(m_wndView);
    if (view == nullptr || !m_viewHasWindow)
        return;
    const wxString title =
        wxString::FromUTF8(view->m_gameFile.Title(LoadResourceString(IDR_MAINFRAME)));
    if (GetTitle() != title)
        SetTitle(title);
}

void CMainFrame::UpdateMoveList()
{
    const auto* view = dynamic_cast<const CChildView*>(m_wndView);
    if (m_moveList != nullptr && m_moveList->IsShown() && view != nullptr)
        m_moveList->ShowRecord(view->m_record);
}

void CMainFrame::UpdateAnalysisPane()
{
    const auto* view = dynamic_cast<const CChildView*>(m_wndView);
    if (m_analysisPane != nullptr && m_analysisPane->IsShown() && view != nullptr)
        m_analysisPane->ShowReport(view->AnalysisShown());
}

void CMainFrame::UpdateEvaluationGraph()
{
    const auto* view = dynamic_cast<const CChildView*>(m_wndView);
    if (m_evaluationGraph != nullptr && m_evaluationGraph->IsShown() && view != nullptr)
        m_evaluationGraph->ShowRecord(view->m_record);
}

void CMainFrame::OnIdle(wxIdleEvent& event)
{
    // Idle follows every batch of input, key presses included, so the
    // indicators keep up without a timer; the game's own events (the
    // computer's answer) are followed by idle too.
    UpdateIndicators();
    UpdateMessagePane();
    UpdateClockPanes();
    UpdateMoveList();
    UpdateAnalysisPane();
    UpdateEvaluationGraph();
    UpdateTitle();
    event.Skip();
}
