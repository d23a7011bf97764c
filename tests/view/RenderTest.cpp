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
enum class Look
{
    RedChip,
    BlackChip,
    DarkSquare,
    LightSquare,
    Other
};

const char* Name(Look look)
{
    switch (look)
    {
    case Look::RedChip:
        return "red chip";
    case Look::BlackChip:
        return "black chip";
    case Look::DarkSquare:
        return "dark square";
    case Look::LightSquare:
        return "light square";
    default:
        return "something else";
    }
}

// The art: red chips are red, black chips grey, dark squares green, light
// squares cream. Lighting scales the colours but keeps these relations.
Look Classify(const std::array<int, 3>& c)
{
    const int r = c[0], g = c[1], b = c[2];
    if (r > 60 && r > 2 * g && r > 2 * b)
        return Look::RedChip;
    if (g > r + 20 && g > b + 10)
        return Look::DarkSquare;
    if (r > 120 && g > 100 && r > b + 30)
        return Look::LightSquare;
    if (std::abs(r - g) < 20 && std::abs(g - b) < 20 && r > 20 && r < 170)
        return Look::BlackChip;
    return Look::Other;
}

Look Expected(std::int32_t code)
{
    switch (code)
    {
    case CCheckerBoard::RedMan:
    case CCheckerBoard::RedKing:
        return Look::RedChip;
    case CCheckerBoard::BlackMan:
    case CCheckerBoard::BlackKing:
        return Look::BlackChip;
    case CCheckerBoard::Empty:
        return Look::DarkSquare;
    default:
        return Look::LightSquare;
    }
}

double ChipTop(std::int32_t code)
{
    switch (code)
    {
    case CCheckerBoard::RedMan:
    case CCheckerBoard::BlackMan:
        return 0.15;
    case CCheckerBoard::RedKing:
    case CCheckerBoard::BlackKing:
        return 0.3;
    default:
        return 0.0;
    }
}

// Compares every square's centre, projected through the recorded matrices,
// with what its cell code should look like. Returns the mismatches.
std::string CheckSquares(ViewWindow& window, const FrameImage& image)
{
    const CChildView& view = window.View();
    std::ostringstream failures;
    for (int a = 0; a < 8; ++a)
    {
        for (int b = 0; b < 8; ++b)
        {
            const std::int32_t code = view.m_board.m_cells[8 * (7 - a) + (7 - b)];
            const wxRealPoint p = window.Project(a - 3.5, 0.25 + ChipTop(code), b - 3.5);
            const auto colour =
                image.At(static_cast<int>(std::lround(p.x)), static_cast<int>(std::lround(p.y)));
            const Look seen = Classify(colour);
            if (seen != Expected(code))
                failures << "grid (" << a << "," << b << ") code " << code << ": expected "
                         << Name(Expected(code)) << ", saw " << Name(seen) << " (" << colour[0]
                         << "," << colour[1] << "," << colour[2] << ")\n";
        }
    }
    return failures.str();
}
} // namespace

TEST(BoardViewFrame, EverySquareShowsItsPieceFromEitherEnd)
{
    ViewWindow window;
    CChildView& view = window.View();
    EXPECT_EQ(CheckSquares(window, window.Capture()), "") << view.m_board;

    // Kings and men of both colours scattered unevenly, so that a chip one
    // square off, mirrored, or a king drawn as a man shows up.
    std::istringstream position("X r X _ X R X _\n"
                                "_ X _ X b X _ X\n"
                                "X _ X B X _ X r\n"
                                "r X _ X _ X _ X\n"
                                "X _ X _ X b X _\n"
                                "_ X R X _ X _ X\n"
                                "X b X _ X _ X B\n"
                                "_ X _ X r X _ X\n"
                                "1\n");
    ASSERT_TRUE(view.m_board.ReadGame(position));
    view.PlaceChips();
    EXPECT_EQ(CheckSquares(window, window.Capture()), "") << view.m_board;

    view.SpinCamera(); // red to move: the camera goes to the other end
    ASSERT_FALSE(view.m_facingSide0);
    const FrameImage fromRed = window.Capture();
    EXPECT_EQ(CheckSquares(window, fromRed), "") << view.m_board;
    if (HasFailure())
        fromRed.SavePpm(::testing::TempDir() + "view-from-red.ppm");
}

TEST(BoardViewFrame, HintOutlinesTheChosenSquareInGreen)
{
    ViewWindow window;
    CChildView& view = window.View();
    // A light square in the empty middle of the board: cream under a green line.
    const int a = 3, b = 2;
    ASSERT_EQ(view.m_board.m_cells[8 * (7 - a) + (7 - b)], CCheckerBoard::Light);
    const FrameImage before = window.Capture();
    view.ShowHints(7 - b, a);
    const FrameImage after = window.Capture();

    // The diagonals cross over the centre of the square.
    const wxRealPoint centre = window.Project(a - 3.5, 0.26, b - 3.5);
    int green = 0;
    for (int dy = -1; dy <= 1; ++dy)
    {
        for (int dx = -1; dx <= 1; ++dx)
        {
            const int x = static_cast<int>(std::lround(centre.x)) + dx;
            const int y = static_cast<int>(std::lround(centre.y)) + dy;
            const auto c = after.At(x, y);
            green += c != before.At(x, y) && c[1] > c[0] + 20 && c[1] > c[2] + 20;
        }
    }
    EXPECT_GT(green, 0) << "no green line over the centre of grid square (3, 2)";

    // The neighbours' centres are untouched: the outline is one square wide.
    for (const auto& [na, nb] : {std::pair{2, 2}, {4, 2}, {3, 1}, {3, 3}})
    {
        const wxRealPoint p = window.Project(na - 3.5, 0.25, nb - 3.5);
        const int x = static_cast<int>(std::lround(p.x));
        const int y = static_cast<int>(std::lround(p.y));
        EXPECT_EQ(after.At(x, y), before.At(x, y)) << "grid square " << na << "," << nb;
    }
}

TEST(BoardViewFrame, PickPassAndFlatWindowLeaveTheRecordedMatrices)
{
    ViewWindow window;
    CChildView& view = window.View();
    double modelview[16], projection[16];
    std::int32_t viewport[4];
    std::memcpy(modelview, view.m_modelview, sizeof modelview);
    std::memcpy(projection, view.m_projection, sizeof projection);
    std::memcpy(viewport, view.m_viewport, sizeof viewport);
    auto unchanged = [&]
    {
        return std::memcmp(modelview, view.m_modelview, sizeof modelview) == 0 &&
               std::memcmp(projection, view.m_projection, sizeof projection) == 0 &&
               std::memcmp(viewport, view.m_viewport, sizeof viewport) == 0;
    };

    ASSERT_TRUE(view.MakeCurrent());
    GLuint buffer[100];
    glSelectBuffer(100, buffer);
    glRenderMode(GL_SELECT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    // As a left press picks: 3 x 3 pixels, here over the middle of the board.
    gluPickMatrix(viewport[2] / 2.0, viewport[3] / 2.0, 3.0, 3.0, viewport);
    view.m_camera.m_eye = {10.0, 30.0, 5.0}; // a pass from elsewhere must not be recorded
    view.DrawScene(true);
    EXPECT_GT(glRenderMode(GL_RENDER), 0) << "the pass saw nothing";
    view.ReleaseCurrent();
    EXPECT_TRUE(unchanged());

    // A window squeezed to no height has no aspect ratio: it draws nothing
    // and keeps the last frame's matrices for picking.
    window.Frame().SetClientSize(800, 0);
    if (view.GetClientRect().y != 0)
        GTEST_SKIP() << "the window system keeps the view taller than 0";
    window.Repaint();
    window.Capture();
    EXPECT_TRUE(unchanged());
}
