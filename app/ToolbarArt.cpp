#include "app/ToolbarArt.h"

#include <cmath>

#include <wx/image.h>

namespace
{
struct Rgb
{
    unsigned char r, g, b;
};

constexpr Rgb kDark{92, 52, 30};
constexpr Rgb kLight{226, 200, 150};
constexpr Rgb kRed{204, 30, 34};
constexpr Rgb kBlack{30, 30, 34};
constexpr Rgb kBlue{40, 90, 190};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kYellow{250, 200, 40};
constexpr Rgb kGrey{120, 120, 128};

// A transparent glyph that shapes are painted onto, one pixel at a time;
// a pixel belongs to a shape when its centre does.
class CGlyph
{
public:
    CGlyph() : m_image(kToolbarGlyphWidth, kToolbarGlyphHeight)
    {
        m_image.InitAlpha();
        for (int y = 0; y < kToolbarGlyphHeight; ++y)
            for (int x = 0; x < kToolbarGlyphWidth; ++x)
                m_image.SetAlpha(x, y, 0);
    }

    template <typename Inside> void Paint(Rgb colour, Inside inside)
    {
        for (int y = 0; y < kToolbarGlyphHeight; ++y)
            for (int x = 0; x < kToolbarGlyphWidth; ++x)
                if (inside(x + 0.5, y + 0.5))
                {
                    m_image.SetRGB(x, y, colour.r, colour.g, colour.b);
                    m_image.SetAlpha(x, y, 255);
                }
    }

    void Disc(Rgb colour, double cx, double cy, double radius)
    {
        Paint(colour, [=](double x, double y) { return std::hypot(x - cx, y - cy) <= radius; });
    }

    wxBitmap Bitmap() const { return wxBitmap(m_image); }

private:
    wxImage m_image;
};

// A corner of the board with one chip of each side on it.
wxBitmap NewGameGlyph()
{
    CGlyph glyph;
    glyph.Paint(kDark, [](double x, double y) { return x > 2 && x < 14 && y > 1.5 && y < 13.5; });
    glyph.Paint(kLight,
                [](double x, double y)
                {
                    if (x <= 2 || x >= 14 || y <= 1.5 || y >= 13.5)
                        return false;
                    return (static_cast<int>((x - 2) / 3) + static_cast<int>((y - 1.5) / 3)) % 2 ==
                           1;
                });
    glyph.Disc(kRed, 5.0, 4.5, 2.6);
    glyph.Disc(kBlack, 11.0, 10.5, 2.6);
    return glyph.Bitmap();
}

// A turning arrow struck through.
wxBitmap NoSpinGlyph()
{
    CGlyph glyph;
    glyph.Paint(kBlue,
                [](double x, double y)
                {
                    const double d = std::hypot(x - 8, y - 7.5);
                    const bool gap = x > 8 && y < 7.5 && (y - 7.5) < -(x - 8) * 0.4;
                    return d >= 4 && d <= 5.6 && !gap;
                });
    // Arrow head at the end of the ring's gap, pointing clockwise.
    glyph.Paint(kBlue, [](double x, double y)
                { return y >= 1 && y <= 5 && x >= 11 && x <= 15 - (y - 1); });
    glyph.Paint(kRed, [](double x, double y)
                { return std::fabs((x - 1) - (14 - y) * 15.0 / 13.0) < 1.2; });
    return glyph.Bitmap();
}

// The information sign.
wxBitmap AboutGlyph()
{
    CGlyph glyph;
    glyph.Disc(kBlue, 8.0, 7.5, 7.0);
    glyph.Disc(kWhite, 8.0, 4.0, 1.3);
    glyph.Paint(kWhite, [](double x, double y) { return x > 6.8 && x < 9.2 && y > 6 && y < 12.5; });
    return glyph.Bitmap();
}
// A hooked arrow: the upper half of a ring whose end points down-left
// (undo), or its mirror image pointing down-right (redo).
wxBitmap TurnBackGlyph(bool mirrored)
{
    CGlyph glyph;
    const auto x0 = [mirrored](double x) { return mirrored ? 16.0 - x : x; };
    glyph.Paint(kBlue,
                [&](double x, double y)
                {
                    const double d = std::hypot(x0(x) - 9, y - 9);
                    return d >= 3.5 && d <= 5.5 && (y <= 9 || x0(x) >= 9);
                });
    // The head: a triangle on the ring's open end, at the left.
    glyph.Paint(kBlue, [&](double x, double y)
                { return y >= 7 && y <= 13 && std::fabs(x0(x) - 4.5) <= (13 - y) * 0.55; });
    return glyph.Bitmap();
}

// A light bulb: a good idea.
wxBitmap HintGlyph()
{
    CGlyph glyph;
    glyph.Disc(kYellow, 8.0, 5.5, 4.6);
    glyph.Paint(kYellow,
                [](double x, double y) { return y > 8 && y < 11 && std::fabs(x - 8) < 2.6; });
    glyph.Paint(kGrey,
                [](double x, double y) { return y >= 11 && y <= 14 && std::fabs(x - 8) < 2.4; });
    glyph.Paint(kWhite, [](double x, double y) { return std::hypot(x - 6.4, y - 4.0) <= 1.2; });
    return glyph.Bitmap();
}
} // namespace

wxBitmap ToolbarGlyph(int index)
{
    switch (index)
    {
    case 0:
        return NewGameGlyph();
    case 1:
        return NoSpinGlyph();
    case 2:
        return AboutGlyph();
    case 3:
        return TurnBackGlyph(false);
    case 4:
        return TurnBackGlyph(true);
    case 5:
        return HintGlyph();
    default:
        return wxBitmap();
    }
}
