// A frame of the board view at 1024 x 768 with the analysis running on its
// worker thread beside one without: the whole paint cycle in a middle game,
// in three rounds of 100 frames each way so that drifting load falls on
// both alike, the events (the analysis's news) handled between frames as
// the event loop would. Prints both medians and the analysis's own speed.

#include <algorithm>
#include <cstdio>

#include <wx/app.h>

#include "bench/BenchWindow.h"
#include "notation/Fen.h"
#include "record/GameRecord.h"
#include "view/Analyst.h"
#include "view/ChildView.h"

namespace
{
constexpr int kRounds = 3;
constexpr int kFramesARound = 100;
constexpr char kMiddleGame[] = "W:W18,19,21,23,24,26,29,30,31,32:B1,2,3,5,6,7,9,10,12,15";
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
    return 0;
}
