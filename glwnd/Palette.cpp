#include "glwnd/Palette.h"

#include <array>

namespace
{
constexpr int kEntries = 256;

// round(v * 255 / (2^bits - 1)) for the widths an 8-bit format can have.
std::uint8_t Component(int index, int bits, int shift)
{
    static constexpr std::array<std::uint8_t, 2> kOneBit{0, 255};
    static constexpr std::array<std::uint8_t, 4> kTwoBits{0, 85, 170, 255};
    static constexpr std::array<std::uint8_t, 8> kThreeBits{0, 36, 73, 109, 146, 182, 219, 255};
    if (shift < 0 || shift > 30)
        return 0;
    const int v = index >> shift;
    switch (bits)
    {
    case 1:
        return kOneBit[v & 0x1];
    case 2:
        return kTwoBits[v & 0x3];
    case 3:
        return kThreeBits[v & 0x7];
    default:
        return 0;
    }
}

struct FixedColour
{
    int entry;
    PaletteEntry colour;
};

// The system colours that keep their usual look on a 3-3-2 display.
constexpr std::array<FixedColour, 12> kFixedColours{{
    {3, {128, 0, 0, 0}},
    {24, {0, 128, 0, 0}},
    {27, {128, 128, 0, 0}},
    {64, {0, 0, 128, 0}},
    {67, {128, 0, 128, 0}},
    {88, {0, 128, 128, 0}},
    {173, {192, 192, 192, 0}},
    {181, {192, 220, 192, 0}},
    {236, {166, 202, 240, 0}},
    {247, {255, 251, 240, 0}},
    {164, {160, 160, 164, 0}},
    {91, {128, 128, 128, 0}},
}};

bool IsThreeThreeTwo(const PixelFormatFields& f)
{
    return f.cColorBits == 8 && f.cRedBits == 3 && f.cRedShift == 0 && f.cGreenBits == 3 &&
           f.cGreenShift == 3 && f.cBlueBits == 2 && f.cBlueShift == 6;
}
} // namespace

std::vector<PaletteEntry> BuildPaletteEntries(const PixelFormatFields& format)
{
    if (!format.needPalette)
        return {};

    // Never more entries than the palette holds, whatever the colour depth says.
    const int computed =
        format.cColorBits >= 8 ? kEntries : (format.cColorBits <= 0 ? 0 : 1 << format.cColorBits);
    std::vector<PaletteEntry> entries(kEntries);
    for (int i = 0; i < computed; ++i)
    {
        entries[i].red = Component(i, format.cRedBits, format.cRedShift);
        entries[i].green = Component(i, format.cGreenBits, format.cGreenShift);
        entries[i].blue = Component(i, format.cBlueBits, format.cBlueShift);
    }
    if (IsThreeThreeTwo(format))
    {
        for (const FixedColour& fixed : kFixedColours)
            entries[fixed.entry] = fixed.colour;
    }
    return entries;
}
