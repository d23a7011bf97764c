#include <cmath>
#include <sstream>

#include <gtest/gtest.h>

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

TEST(BoardViewFrame, EverySquareShowsItsPieceFromTheStartingCamera)
{
    ViewWindow window;
    FrameImage image = window.Capture();
    image.SavePpm("/tmp/h5-frame.ppm");
    EXPECT_EQ(CheckSquares(window, image), "") << window.View().m_board;
}
