// A frame of the board view at 1024 x 768 with the analysis running on its
// worker thread beside one without: the whole paint cycle in a middle game,
// in three rounds of 100 frames each way so that drifting load falls on
// both alike, the events (the analysis's news) handled between frames as
// the event loop would. Prints both medians and the analysis's own speed,
// then times a review of a game of 100 plies from the first news to the last.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>

#include <wx/app.h>

#include "bench/BenchWindow.h"
#include "notation/BoardMoves.h"
#include "notation/Fen.h"
#include "record/GameRecord.h"
#include "view/Analyst.h"
#include "view/ChildView.h"
#include "view/Reviewer.h"

namespace
{
constexpr int kRounds = 3;
constexpr int kFramesARound = 100;
constexpr char kMiddleGame[] = "W:W18,19,21,23,24,26,29,30,31,32:B1,2,3,5,6,7,9,10,12,15";
constexpr std::size_t kReviewedPlies = 100;

// The boards of a game of random legal moves that lasts `plies` plies
// without ending, from the start.
std::vector<CCheckerBoard> RandomGame(std::size_t plies)
{
    std::mt19937 random(1);
    for (;;)
    {
        std::vector<CCheckerBoard> game{CCheckerBoard()};
        while (game.size() <= plies)
        {
            CCheckerBoard board = game.back();
            const std::vector<NotatedMove> moves = ListLegalMoves(board);
            if (moves.empty())
                break;
            PlayMove(board, moves[random() % moves.size()]);
            if (board.IsGameOver())
                break;
            game.push_back(board);
        }
        if (game.size() > plies)
            return game;
    }
}

// Seconds a review of `game` takes on the reviewer's thread, or a negative
// figure when it never finished.
double ReviewSeconds(const std::vector<CCheckerBoard>& game)
{
    wxEvtHandler sink;
    CReviewer reviewer(&sink);
    bool finished = false;
    sink.Bind(EVT_REVIEW_NEWS,
              [&](wxThreadEvent& event)
              {
                  finished = reviewer.Accept(event.GetPayload<ReviewNews>()) &&
                             event.GetPayload<ReviewNews>().IsFinished();
              });
    const auto start = std::chrono::steady_clock::now();
    reviewer.Start(game);
    const auto budget =
        std::chrono::milliseconds(kReviewTimeMs * 2 * static_cast<int>(game.size()));
    if (!PumpUntil([&] { return finished; }, budget))
        return -1;
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}
} // namespace

int main(int argc, char** argv)
{
    CBenchWindow window;
    if (!window.Open(argc, argv, "analysis bench"))
        return 1;
    CChildView& view = window.View();
    CGameRecord record;
    record.Reset(BoardFromFen(ParseFen(kMiddleGame).value()));
    view.TakeRecord(record);
    const auto paint = [&window] { window.Paint(); };
    const auto events = [] { wxTheApp->ProcessPendingEvents(); };
    TimeMs(20, paint, events); // warm-up: textures made, caches filled

    std::vector<double> without, with;
    for (int round = 0; round < kRounds; ++round)
    {
        view.SetAnalysisShown(false);
        const std::vector<double> quiet = TimeMs(kFramesARound, paint, events);
        without.insert(without.end(), quiet.begin(), quiet.end());
        view.SetAnalysisShown(true);
        if (!PumpUntil([&view] { return !view.AnalysisShown().depth.empty(); }))
        {
            std::fprintf(stderr, "the analysis reported nothing\n");
            return 1;
        }
        const std::vector<double> busy = TimeMs(kFramesARound, paint, events);
        with.insert(with.end(), busy.begin(), busy.end());
    }
    const AnalysisReport report = view.AnalysisShown();
    view.SetAnalysisShown(false);
    std::sort(without.begin(), without.end());
    std::sort(with.begin(), with.end());
    Report("frame, middle game, no analysis", without);
    Report("frame, middle game, analysis running", with, "(the window keeps its speed)");
    std::printf("  analysis meanwhile: %s, %s\n", report.depth.c_str(), report.speed.c_str());
    std::printf("  median ratio %.2f\n", with[with.size() / 2] / without[without.size() / 2]);

    const std::vector<CCheckerBoard> game = RandomGame(kReviewedPlies);
    const double seconds = ReviewSeconds(game);
    if (seconds < 0)
    {
        std::fprintf(stderr, "the review never finished\n");
        return 1;
    }
    std::printf("review of a game of %zu plies (%zu positions): %.1f s (target under 30 s)\n",
                game.size() - 1, game.size(), seconds);
    return 0;
}
