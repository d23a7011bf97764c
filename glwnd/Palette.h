#pragma once
// The colour palette of an indexed-colour visual, as a pure function of the
// visual's pixel layout, so it can be checked without such a display.

#include <cstdint>
#include <vector>

// The fields of a pixel format that decide the palette.
struct PixelFormatFields
{
    int cColorBits = 0;
    int cRedBits = 0;
    int cRedShift = 0;
    int cGreenBits = 0;
    int cGreenShift = 0;
    int cBlueBits = 0;
    int cBlueShift = 0;
    bool needPalette = false; // indexed colour: the pixel value is looked up
};

struct PaletteEntry
{
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t flags = 0;

    bool operator==(const PaletteEntry&) const = default;
};

// Exactly 256 entries when `format` needs a palette, none otherwise. Each
// entry's components come from its index through the format's bit fields;
// components of 1 to 3 bits are spread over 0..255, wider or empty ones are 0,
// and indices past 2^cColorBits - 1 stay black. The 3-3-2 layout gets twelve
// fixed system colours on top.
std::vector<PaletteEntry> BuildPaletteEntries(const PixelFormatFields& format);
