#include <cmath>
#include <cstring>
#include <sstream>

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>
#include <wx/frame.h>

#include "ViewTestSupport.h"

namespace
{
// What a cell code looks like from above, by the art: red chips red, black
// chips grey, dark squares green, light squares cream. Lighting scales the
// colours but keeps these relations.
enum Look
{
    Light,
    Dark,
    Red,
    Black,
    Other
};

Look Classify(const std::array<int, 3>& c)
{
    const int r = c[0], g = c[1], b = c[2];
    if (r > 60 && r > 2 * g && r > 2 * b)
        return Red;
    if (g > r + 20 && g > b + 10)
        return Dark;
    if (r > 120 && g > 100 && r > b + 30)
        return Light;
    if (std::abs(r - g) < 20 && std::abs(g - b) < 20 && r > 20 && r < 170)
        return Black;
    return Other;
}

int Round(double v)
{
    return static_cast<int>(std::lround(v));
}

// Every square's centre (at the top of its chip, if any), projected through
// the matrices the frame recorded, against its cell code. Lists mismatches.
std::string CheckSquares(ViewWindow& window)
{
    const FrameImage image = window.Capture();
    const Look looks[] = {Light, Dark, Red, Red, Black, Black};
    const double tops[] = {0.0, 0.0, 0.15, 0.3, 0.15, 0.3};
    std::ostringstream failures;
    for (int a = 0; a < 8; ++a)
    {
        for (int b = 0; b < 8; ++b)
        {
            const std::int32_t code = window.View().m_board.m_cells[8 * (7 - a) + (7 - b)];
            const wxRealPoint p = window.Project(a - 3.5, 0.25 + tops[code], b - 3.5);
            const auto c = image.At(Round(p.x), Round(p.y));
            if (Classify(c) != looks[code])
                failures << "grid (" << a << "," << b << ") code " << code << " looks "
                         << Classify(c) << " (" << c[0] << "," << c[1] << "," << c[2] << ")\n";
        }
    }
    return failures.str();
}
} // namespace

TEST(BoardViewFrame, EverySquareShowsItsPieceFromEitherEnd)
{
    ViewWindow window;
    CChildView& view = window.View();
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
    ASSERT_FALSE(view.m_facingSide0);
    EXPECT_EQ(CheckSquares(window), "") << view.m_board;
}

TEST(BoardViewFrame, HintOutlinesTheChosenSquareInGreen)
{
    ViewWindow window;
    // A light, empty square off the anti-diagonal, so swapped indices show.
    const int a = 3, b = 2;
    const FrameImage before = window.Capture();
    window.View().ShowHints(7 - b, a);
    const FrameImage after = window.Capture();

    // The diagonals cross over the centre; the neighbours' centres stay.
    const wxRealPoint centre = window.Project(a - 3.5, 0.26, b - 3.5);
    int green = 0;
    for (int dy = -1; dy <= 1; ++dy)
    {
        for (int dx = -1; dx <= 1; ++dx)
        {
            const auto c = after.At(Round(centre.x) + dx, Round(centre.y) + dy);
            green += c[1] > c[0] + 20 && c[1] > c[2] + 20;
        }
    }
    EXPECT_GT(green, 0);
    for (const auto& [na, nb] : {std::pair{2, 2}, {4, 2}, {3, 1}, {3, 3}})
    {
        const wxRealPoint p = window.Project(na - 3.5, 0.25, nb - 3.5);
        EXPECT_EQ(after.At(Round(p.x), Round(p.y)), before.At(Round(p.x), Round(p.y)));
    }
}

TEST(BoardViewFrame, PickPassAndFlatWindowKeepTheRecordedMatrices)
{
    ViewWindow window;
    CChildView& view = window.View();
    double recorded[16 + 16 + 4];
    auto snapshot = [&view](double* out)
    {
        std::copy_n(view.m_modelview, 16, out);
        std::copy_n(view.m_projection, 16, out + 16);
        std::copy_n(view.m_viewport, 4, out + 32);
    };
    auto unchanged = [&]
    {
        double now[36];
        snapshot(now);
        return std::memcmp(now, recorded, sizeof now) == 0;
    };
    snapshot(recorded);

    // As a left press picks: 3 x 3 pixels over the middle of the board,
    // here from another camera, which must not be recorded.
    ASSERT_TRUE(view.MakeCurrent());
    GLuint buffer[100];
    glSelectBuffer(100, buffer);
    glRenderMode(GL_SELECT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPickMatrix(view.m_viewport[2] / 2.0, view.m_viewport[3] / 2.0, 3.0, 3.0, view.m_viewport);
    view.m_camera.m_eye = {10.0, 30.0, 5.0};
    view.DrawScene(true);
    EXPECT_GT(glRenderMode(GL_RENDER), 0);
    view.ReleaseCurrent();
    EXPECT_TRUE(unchanged());

    // No height, no aspect ratio: nothing is drawn and nothing recorded.
    window.Frame().SetClientSize(800, 0);
    if (view.GetClientRect().y != 0)
        GTEST_SKIP() << "the window system keeps the view taller than 0";
    window.Repaint();
    window.Capture();
    EXPECT_TRUE(unchanged());
}
