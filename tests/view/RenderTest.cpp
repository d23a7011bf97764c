#include <cmath>
#include <sstream>

#include <gtest/gtest.h>

#include "ViewTestSupport.h"

namespace
{
// What a cell code looks like from above, by the art: red chips Red,
// black chips grey (Black), dark squares green (Dark), light squares cream
// (Light). Lighting scales the colours but keeps these relations.
char Classify(const std::array<int, 3>& c)
{
    const int r = c[0], g = c[1], b = c[2];
    if (r > 60 && r > 2 * g && r > 2 * b)
        return 'R';
    if (g > r + 20 && g > b + 10)
        return 'D';
    if (r > 120 && g > 100 && r > b + 30)
        return 'L';
    if (std::abs(r - g) < 20 && std::abs(g - b) < 20 && r > 20 && r < 170)
        return 'B';
    return '?';
}

// Every square's centre (at the top of its chip, if any), projected through
// the matrices the frame recorded, against its cell code. Lists mismatches.
std::string CheckSquares(ViewWindow& window)
{
    const FrameImage image = window.Capture();
    const char looks[] = "LDRRBB"; // by cell code
    const double tops[] = {0.0, 0.0, 0.15, 0.3, 0.15, 0.3};
    std::ostringstream failures;
    for (int a = 0; a < 8; ++a)
    {
        for (int b = 0; b < 8; ++b)
        {
            const std::int32_t code = window.View().m_board.m_cells[8 * (7 - a) + (7 - b)];
            const wxRealPoint p = window.Project(a - 3.5, 0.25 + tops[code], b - 3.5);
            const auto c = image.At(p.x, p.y);
            if (Classify(c) != looks[code])
                failures << "grid (" << a << "," << b << ") code " << code << " looks "
                         << Classify(c) << " (" << c[0] << "," << c[1] << "," << c[2] << ")\n";
        }
    }
    return failures.str();
}
} // namespace

TEST(BoardViewFrame, EverySquareShowsItsPieceFromEitherEndAndTheHintIsGreen)
{
    ViewWindow window;
    CChildView& view = window.View();

    // The hint on a light, empty square off the anti-diagonal, so swapped
    // indices show: its diagonals cross over the centre, the neighbours'
    // centres stay as they were.
    const int a = 3, b = 2;
    const FrameImage before = window.Capture();
    view.ShowHints(7 - b, a);
    const FrameImage after = window.Capture();
    const wxRealPoint centre = window.Project(a - 3.5, 0.26, b - 3.5);
    int green = 0;
    for (int dy = -1; dy <= 1; ++dy)
    {
        for (int dx = -1; dx <= 1; ++dx)
        {
            const auto c = after.At(centre.x + dx, centre.y + dy);
            green += c[1] > c[0] + 20 && c[1] > c[2] + 20;
        }
    }
    EXPECT_GT(green, 0);
    for (const auto& [na, nb] : {std::pair{2, 2}, {4, 2}, {3, 1}, {3, 3}})
    {
        const wxRealPoint p = window.Project(na - 3.5, 0.25, nb - 3.5);
        EXPECT_EQ(after.At(p.x, p.y), before.At(p.x, p.y));
    }
    view.ClearHints();
    EXPECT_EQ(CheckSquares(window), "") << view.m_board;

    // Kings and men scattered unevenly, so that a chip one square off, a
    // mirrored board or a king drawn as a man shows.
    std::istringstream position("X r X _ X R X _\n_ X _ X b X _ X\nX _ X B X _ X r\n"
                                "r X _ X _ X _ X\nX _ X _ X b X _\n_ X R X _ X _ X\n"
                                "X b X _ X _ X B\n_ X _ X r X _ X\n1\n");
    ASSERT_TRUE(view.m_board.ReadGame(position));
    view.PlaceChips();
    EXPECT_EQ(CheckSquares(window), "") << view.m_board;
    view.SpinCamera(); // red to move: to the other end
    PlayOut(view);
    ASSERT_FALSE(view.m_facingSide0);
    EXPECT_EQ(CheckSquares(window), "") << view.m_board;
}
