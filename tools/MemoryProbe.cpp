// The game's resident memory through many real clicks and whole games.
//
// Starts the real game (frame, menus, view) and drives it with X input
// events made by the XTest extension, so every click travels the path a
// player's does: X server, GTK, wx, the view's handlers. Prints the resident
// set before and after N clicks on an empty square, then plays whole games
// of random legal moves, clicked square by square, each followed by New
// Game, and prints the resident set at the end of each.
//
//   plaxen_memory_probe [clicks [warm-up [games [seed]]]]   (1000 100 5 1)
//
// Run it from a folder that holds res/, under an X server of its own (the
// tools/memory.sh script does both). The slides and camera turns are
// painted without the 1/60 s frame floor, so games go as fast as the
// renderer allows; each move waits until the last one's have ended, since
// the board takes no clicks while they play.

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <thread>

#include <GL/glu.h>
#include <wx/app.h>
#include <wx/eventfilter.h>
#include <wx/uiaction.h>

#include "app/MainFrame.h"
#include "app/PlaxenApp.h"
#include "app/Resource.h"
#include "glwnd/GlxSupport.h"
#include "glwnd/MessageService.h"
#include "notation/BoardMoves.h"
#include "notation/Squares.h"
#include "tools/ResidentSet.h"
#include "view/ChildView.h"

namespace
{

// Counts the left-button events that reach the view, before its handlers.
class CButtonCounter : public wxEventFilter
{
public:
    explicit CButtonCounter(wxWindow* view) : m_view(view) { wxEvtHandler::AddFilter(this); }
    ~CButtonCounter() override { wxEvtHandler::RemoveFilter(this); }

    int FilterEvent(wxEvent& event) override
    {

        if (event.GetEventObject() == m_view)
        {
            if (event.GetEventType() == wxEVT_LEFT_DOWN)
                ++m_downs;
            else if (event.GetEventType() == wxEVT_LEFT_UP)
                ++m_ups;
        }
        return Event_Skip;
    }

    int m_downs = 0;
    int m_ups = 0;

private:
    wxWindow* m_view;
};

// Dispatches events until `done` holds; a handler that an event starts has
// returned by the time Yield does. False after `timeout` without it.
template <typename Done>
bool PumpUntil(Done done, std::chrono::seconds timeout = std::chrono::seconds(10))
{
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!done())
    {
        if (std::chrono::steady_clock::now() > end)
            return false;
        wxTheApp->Yield(true);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

class CDriver
{
public:
    CDriver(CMainFrame& frame, CChildView& view) : m_frame(frame), m_view(view), m_counter(&view) {}

    // Presses and releases the left button over the centre of board square
    // (row, col), as the last frame shows it.
    bool Click(int row, int col)
    {
        double x = 0.0, y = 0.0, z = 0.0;
        gluProject(3.5 - row, 0.25, 3.5 - col, m_view.m_modelview, m_view.m_projection,
                   m_view.m_viewport, &x, &y, &z);
        // GL counts physical rows from the bottom; events come in logical
        // pixels from the top.
        const double scale = m_view.GetContentScaleFactor();
        const wxPoint logical(static_cast<int>(std::floor(x / scale)),
                              static_cast<int>(std::floor((m_view.m_viewport[3] - 1 - y) / scale)));
        m_simulator.MouseMove(m_view.ClientToScreen(logical));
        const int downs = m_counter.m_downs;
        const int ups = m_counter.m_ups;
        m_simulator.MouseDown();
        if (!PumpUntil([&] { return m_counter.m_downs > downs; }))
            return false;
        m_simulator.MouseUp();
        return PumpUntil([&] { return m_counter.m_ups > ups; });
    }

    bool ClickSquare(int square)
    {
        int row = 0, col = 0;
        return SquareRowCol(square, row, col) && Click(row, col);
    }

    // One random legal move, clicked chip first, then every landing square.
    bool PlayRandomMove(std::mt19937& random)
    {
        if (!PumpUntil([&] { return m_view.BoardIsReady(); }))
            return false;
        const std::vector<NotatedMove> moves = ListLegalMoves(m_view.m_board);
        if (moves.empty())
            return false;
        const NotatedMove& move = moves[random() % moves.size()];
        const CCheckerBoard before = m_view.m_board;
        for (int square : move.squares)
            if (!PumpUntil([&] { return m_view.BoardIsReady(); }) || !ClickSquare(square))
                return false;
        return !(m_view.m_board == before);
    }

    // The game just played is not kept: "Don't Save" is answered for it.
    void NewGame()
    {
        const QuestionBoxHandler shown =
            SetQuestionBoxHandler([](const std::string&, const std::string&,
                                     const std::vector<std::string>&) { return std::size_t{1}; });
        Command(ID_NEW_GAME);
        SetQuestionBoxHandler(shown);
    }

    // A menu command, as the menu sends it.
    void Command(int id)
    {
        wxCommandEvent command(wxEVT_MENU, id);
        m_frame.ProcessWindowEvent(command);
    }

private:
    CMainFrame& m_frame;
    CChildView& m_view;
    CButtonCounter m_counter;
    wxUIActionSimulator m_simulator;
};

int Run(CMainFrame& frame, int clicks, int warmUp, int games, unsigned seed)
{
    auto& view = static_cast<CChildView&>(*frame.GetView());
    COpenGLWnd::SetFrameFloorEnabled(false);
    CDriver driver(frame, view);
    if (!PumpUntil([&] { return view.GetPaintCount() > 0; }))
        return 2;

    // Rows 3 and 4 are empty in the opening: each click picks the bare
    // board. The square changes every time because two quick presses on one
    // spot make a double click, whose second press the view never sees.
    auto clickEmpty = [&](int i) { return driver.Click(3 + i % 2, (i % 8) / 2 * 2 + 1 - i % 2); };
    for (int i = 0; i < warmUp; ++i)
        if (!clickEmpty(i))
            return 3;
    const long before = ResidentKilobytes();
    for (int i = 0; i < clicks; ++i)
        if (!clickEmpty(i))
            return 3;
    const long after = ResidentKilobytes();
    std::printf("clicks: %d after %d of warm-up: %ld kB before, %ld kB after, %+.2f kB a click\n",
                clicks, warmUp, before, after,
                clicks > 0 ? static_cast<double>(after - before) / clicks : 0.0);

    std::mt19937 random(seed);
    constexpr int kMaxPlies = 400; // kings can wander for ever: the rules have no draw
    long firstEnd = 0;
    long widest = 0;
    for (int game = 1; game <= games; ++game)
    {
        int plies = 0;
        while (!view.m_board.IsGameOver() && plies < kMaxPlies)
        {
            if (!driver.PlayRandomMove(random))
                return 4;
            ++plies;
        }
        const long end = ResidentKilobytes();
        if (game == 1)
            firstEnd = end;
        else if (std::labs(end - firstEnd) > std::labs(widest))
            widest = end - firstEnd;
        std::printf("game %d: %d plies, %s, %ld kB at its end\n", game, plies,
                    view.m_board.IsGameOver() ? "played out" : "stopped at the ply limit", end);
        std::fflush(stdout);
        driver.NewGame();
    }
    if (games > 1)
        std::printf("games 2 to %d ended within %+ld kB of the first\n", games, widest);

    // Last, every search the game has at once: a hint, the analysis shown
    // while Expert plays both sides (claiming the draw where it may), then
    // a review of that game. Each has a worker with its own hash table.
    const long beforeComputer = ResidentKilobytes();
    driver.Command(ID_LEVEL_EXPERT);
    driver.Command(ID_HINT);
    driver.Command(ID_ANALYSE);
    driver.Command(ID_COMPUTER_BLACK);
    driver.Command(ID_COMPUTER_RED);
    const bool ended = PumpUntil([&] { return view.m_record.IsOver(); }, std::chrono::minutes(10));
    const std::size_t plies = view.m_record.Place();
    driver.Command(ID_COMPUTER_BLACK);
    driver.Command(ID_COMPUTER_RED);
    driver.Command(ID_REVIEW_GAME);
    const bool reviewed = PumpUntil([&] { return !view.IsReviewing(); }, std::chrono::minutes(5));
    std::printf("Expert against itself, %zu plies (%s), hint, analysis and review: %ld kB before, "
                "%ld kB after (%+ld kB), peak %ld kB\n",
                plies, ended ? "played out" : "stopped after ten minutes", beforeComputer,
                ResidentKilobytes(), ResidentKilobytes() - beforeComputer,
                ResidentKilobytes("VmHWM:"));
    std::fflush(stdout);
    // The game played is not kept.
    SetQuestionBoxHandler([](const std::string&, const std::string&,
                             const std::vector<std::string>&) { return std::size_t{1}; });
    return reviewed ? 0 : 5;
}

class CMemoryProbe : public CPlaxenApp
{
public:
    bool OnInit() override
    {
        if (!CPlaxenApp::OnInit())
            return false;
        auto* frame = static_cast<CMainFrame*>(GetTopWindow());
        CallAfter(
            [this, frame]
            {
                m_status = Run(*frame, m_clicks, m_warmUp, m_games, m_seed);
                if (m_status != 0)
                    std::fprintf(stderr,
                                 "plaxen_memory_probe: stopped (%d): a click went unanswered\n",
                                 m_status);
                frame->Close();
            });
        return true;
    }
    int OnExit() override
    {
        CPlaxenApp::OnExit();
        return m_status;
    }

    int m_clicks = 1000;
    int m_warmUp = 100;
    int m_games = 5;
    unsigned m_seed = 1;
    int m_status = 1;
};
} // namespace

wxIMPLEMENT_APP_NO_MAIN(CMemoryProbe);

int main(int argc, char** argv)
{
    RestrictGdkToX11();
    // The game takes no command line: keep the numbers from wx.
    auto* app = new CMemoryProbe;
    if (argc > 1)
        app->m_clicks = std::atoi(argv[1]);
    if (argc > 2)
        app->m_warmUp = std::atoi(argv[2]);
    if (argc > 3)
        app->m_games = std::atoi(argv[3]);
    if (argc > 4)
        app->m_seed = static_cast<unsigned>(std::strtoul(argv[4], nullptr, 10));
    wxApp::SetInstance(app);
    int one = 1;
    char* name[] = {argv[0], nullptr};
    return wxEntry(one, name);
}
