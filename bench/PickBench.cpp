// Press-to-decision latency of one left press at 1024 x 768: the selection
// pass through the pick matrix, the nearest hit, the unprojection and the
// choice it leads to, on a bare square and on a chip (200 presses each).

#include <cstdio>

#include <GL/glu.h>

#include "bench/BenchWindow.h"
#include "view/ChildView.h"

namespace
{
constexpr int kPresses = 200;

// The physical pixel over the centre of board square (row, col), `lift`
// above the board surface, through the last frame's matrices.
wxPoint SquarePixel(const CChildView& view, int row, int col, double lift)
{
    double x = 0.0, y = 0.0, z = 0.0;
    gluProject(3.5 - row, 0.25 + lift, 3.5 - col, view.m_modelview, view.m_projection,
               view.m_viewport, &x, &y, &z);
    return wxPoint(static_cast<int>(x), view.GetClientRect().y - 1 - static_cast<int>(y));
}
} // namespace

int main(int argc, char** argv)
{
    CBenchWindow window;
    if (!window.Open(argc, argv, "pick bench"))
        return 1;
    CChildView& view = window.View();
    const wxPoint bare = SquarePixel(view, 3, 3, 0.0);
    const wxPoint chip = SquarePixel(view, 2, 2, 0.15);
    Report("press on a bare square", TimeMs(kPresses, [&] { view.LButtonDown(bare); }),
           "(target median < 10 ms)");
    Report("press on a chip",
           TimeMs(
               kPresses, [&] { view.LButtonDown(chip); },
               [&]
               {
                   view.m_pickingChip = true;
                   view.m_selectedChip.reset();
                   view.ClearHints();
               }),
           "(target median < 10 ms)");

    // The figures only count if the presses found what they aimed at.
    view.LButtonDown(bare);
    const bool bareFound = view.m_pickName == 1 && view.m_pickingChip;
    view.LButtonDown(chip);
    if (!bareFound || view.m_fromX != 5 || view.m_fromZ != 5)
    {
        std::fprintf(stderr, "the presses did not find their squares\n");
        return 1;
    }
    return 0;
}
