// The board view's frame figures at 1024 x 768: the whole paint cycle in the
// starting position and in a mid-game position with kings and captured rows
// beside the board, the drawing alone (finished with glFinish), each over 200
// frames; and PlaceChips alone over 500 calls.

#include <cstdio>
#include <sstream>

#include <GL/gl.h>

#include "bench/BenchWindow.h"
#include "view/ChildView.h"

namespace
{
constexpr int kFrames = 200;
constexpr int kPlacements = 500;

// Seven black pieces (two kings) and four red (one king): eight red and five
// black chips stand in the captured rows.
constexpr char kMidGame[] = "X _ X B X _ X _ \n"
                            "_ X _ X r X _ X \n"
                            "X r X _ X r X _ \n"
                            "_ X b X _ X _ X \n"
                            "X _ X _ X R X _ \n"
                            "b X _ X b X _ X \n"
                            "X _ X b X _ X b \n"
                            "_ X B X _ X _ X \n"
                            "0";

// Shows `board` as a loaded game would: chips rebuilt, one frame painted.
void ShowPosition(const CBenchWindow& window, const CCheckerBoard& board)
{
    window.View().m_board = board;
    window.View().PlaceChips();
    window.Paint();
}
} // namespace

int main(int argc, char** argv)
{
    CBenchWindow window;
    if (!window.Open(argc, argv, "release bench"))
        return 1;
    CChildView& view = window.View();
    CCheckerBoard midGame;
    std::istringstream text(kMidGame);
    if (!midGame.ReadGame(text))
    {
        std::fprintf(stderr, "the mid-game position does not read\n");
        return 1;
    }
    const auto paint = [&window] { window.Paint(); };

    ShowPosition(window, CCheckerBoard());
    Report("frame, starting position", TimeMs(kFrames, paint), "(target median < 8 ms)");
    if (view.MakeCurrent())
    {
        Report("  drawing alone (OnGLDraw, glFinish)", TimeMs(kFrames,
                                                              [&view]
                                                              {
                                                                  view.OnGLDraw(nullptr);
                                                                  glFinish();
                                                              }));
        view.ReleaseCurrent();
    }
    const std::vector<double> full = TimeMs(kPlacements, [&view] { view.PlaceChips(); });

    ShowPosition(window, midGame);
    Report("frame, mid-game with kings", TimeMs(kFrames, paint), "(target median < 8 ms)");
    const std::vector<double> mid = TimeMs(kPlacements, [&view] { view.PlaceChips(); });

    Report("PlaceChips, full board (24 chips)", full, "(target median < 1 ms)");
    Report("PlaceChips, mid-game (13 captured)", mid, "(target median < 1 ms)");
    return 0;
}
