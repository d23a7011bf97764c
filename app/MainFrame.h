#pragma once
// The main frame: menu, toolbar, status bar and the one view that fills the
// rest, which is offered every command before the frame itself.

#include <functional>

#include <wx/frame.h>

class CAnalysisPane;
class CEvaluationGraphPane;
class CMoveListPane;
class COpenGLWnd;
class wxStatusBar;
class wxToolBar;

class CMainFrame : public wxFrame
{
public:
    using ViewFactory = std::function<COpenGLWnd*()>;

    // Constructs the view object (which loads the view's assets); no window
    // exists until LoadFrame. `makeView` is for tests; the program uses
    // CreateView.
    explicit CMainFrame(ViewFactory makeView = &CMainFrame::CreateView);
    ~CMainFrame() override;

    // The board view the frame holds; the one place that names its class.
    static COpenGLWnd* CreateView();

    // Creates the frame window titled "Plaxen" with menu 128, the
    // accelerator table, the icon and the children (view, toolbar, status
    // bar). On failure destroys the frame (the view has already said why)
    // and returns false: the caller must not touch the frame again.
    bool LoadFrame();

    // Offers a command or update-UI event to the view; true if the view
    // handled it. Other events, and events the view hands back up, are not
    // offered.
    bool OnCmdMsg(wxEvent& event);

    COpenGLWnd* GetView() const { return m_wndView; }

    // Shows the real state of Caps, Num and Scroll Lock in their panes.
    void UpdateIndicators();
    // Puts what the view says about the game (else the idle text) into the
    // message pane, unless a menu or toolbar prompt is showing there.
    void UpdateMessagePane();
    // Shows the game's clocks in their panes ("Black 4:31"; empty when the
    // game has none).
    void UpdateClockPanes();
    // Shows the view's moves in the move list, when it is shown.
    void UpdateMoveList();
    // Shows the view's analysis and the game's evaluations in their panes,
    // when they are shown.
    void UpdateAnalysisPane();
    void UpdateEvaluationGraph();
    // "name.pdn - Plaxen", with "*" in front while the game has unsaved moves.
    void UpdateTitle();

protected:
    bool TryBefore(wxEvent& event) override;
    // Every menu and toolbar prompt comes and goes through here.
    void DoGiveHelp(const wxString& text, bool show) override;

private:
    bool OnCreate();

    // Exit and the window's close box: the view may ask to save first, and
    // the player may cancel.
    void OnClose(wxCloseEvent& event);
    void OnSetFocus(wxFocusEvent& event);
    void OnActivate(wxActivateEvent& event);
    void OnViewToolbar(wxCommandEvent& event);
    void OnUpdateViewToolbar(wxUpdateUIEvent& event);
    void OnViewStatusBar(wxCommandEvent& event);
    void OnUpdateViewStatusBar(wxUpdateUIEvent& event);
    void OnMoveList(wxCommandEvent& event);
    void OnUpdateMoveList(wxUpdateUIEvent& event);
    // Analysis > Analyse: the pane, and the view's analysis with it.
    void OnAnalyse(wxCommandEvent& event);
    void OnUpdateAnalyse(wxUpdateUIEvent& event);
    void OnEvaluationGraph(wxCommandEvent& event);
    void OnUpdateEvaluationGraph(wxUpdateUIEvent& event);
    // A review has put its evaluations on the moves: the graph shows them.
    void OnGameReviewed(wxCommandEvent& event);
    void OnIdle(wxIdleEvent& event);

    wxStatusBar* m_wndStatusBar = nullptr;
    wxToolBar* m_wndToolBar = nullptr;
    COpenGLWnd* m_wndView = nullptr;
    CMoveListPane* m_moveList = nullptr; // a child window: the frame destroys it
    CAnalysisPane* m_analysisPane = nullptr;
    CEvaluationGraphPane* m_evaluationGraph = nullptr;
    bool m_viewHasWindow = false; // from then on the frame's window owns the view
    bool m_routing = false;
    bool m_promptShowing = false;

    wxDECLARE_EVENT_TABLE();
};
