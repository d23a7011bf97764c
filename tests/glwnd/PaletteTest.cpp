#include "glwnd/Palette.h"

#include <gtest/gtest.h>

namespace
{
PixelFormatFields ThreeThreeTwo()
{
    PixelFormatFields f;
    f.cColorBits = 8;
    f.cRedBits = 3;
    f.cRedShift = 0;
    f.cGreenBits = 3;
    f.cGreenShift = 3;
    f.cBlueBits = 2;
    f.cBlueShift = 6;
    f.needPalette = true;
    return f;
}

PaletteEntry Rgb(int r, int g, int b)
{
    return {static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g),
            static_cast<std::uint8_t>(b), 0};
}
} // namespace

TEST(Palette, ThreeThreeTwoSpreadsComponentsAndKeepsSystemColours)
{
    const std::vector<PaletteEntry> palette = BuildPaletteEntries(ThreeThreeTwo());
    ASSERT_EQ(palette.size(), 256u);
    EXPECT_EQ(palette[0], Rgb(0, 0, 0));
    EXPECT_EQ(palette[255], Rgb(255, 255, 255));
    EXPECT_EQ(palette[7], Rgb(255, 0, 0));
    EXPECT_EQ(palette[3], Rgb(128, 0, 0)); // the rule alone would give 109
    EXPECT_EQ(palette[2], Rgb(73, 0, 0));
    EXPECT_EQ(palette[1 << 6], Rgb(0, 0, 128)); // fixed colour 64
    EXPECT_EQ(palette[2 << 6], Rgb(0, 0, 170));
    EXPECT_EQ(palette[173], Rgb(192, 192, 192));
    EXPECT_EQ(palette[91], Rgb(128, 128, 128));
}

TEST(Palette, TrueColourNeedsNone)
{
    PixelFormatFields trueColour;
    trueColour.cColorBits = 24;
    trueColour.cRedBits = trueColour.cGreenBits = trueColour.cBlueBits = 8;
    trueColour.cRedShift = 16;
    trueColour.cGreenShift = 8;
    EXPECT_TRUE(BuildPaletteEntries(trueColour).empty());
}

TEST(Palette, OddFormatsStayWithinTheTableAndDefined)
{
    // 4 bits: only the first 16 entries are computed; the rest are black,
    // and the 3-3-2 system colours do not apply.
    PixelFormatFields fourBit = ThreeThreeTwo();
    fourBit.cColorBits = 4;
    fourBit.cRedBits = 1;
    fourBit.cGreenBits = 2;
    fourBit.cGreenShift = 1;
    fourBit.cBlueBits = 1;
    fourBit.cBlueShift = 3;
    const std::vector<PaletteEntry> small = BuildPaletteEntries(fourBit);
    ASSERT_EQ(small.size(), 256u);
    EXPECT_EQ(small[15], Rgb(255, 255, 255));
    EXPECT_EQ(small[3], Rgb(255, 85, 0));
    for (std::size_t i = 16; i < small.size(); ++i)
        EXPECT_EQ(small[i], Rgb(0, 0, 0)) << "entry " << i;

    // 16 bits of 5-6-5 asking for a palette: 256 entries at most, and fields
    // wider than 3 bits give 0.
    PixelFormatFields wide;
    wide.cColorBits = 16;
    wide.cRedBits = 5;
    wide.cRedShift = 11;
    wide.cGreenBits = 6;
    wide.cGreenShift = 5;
    wide.cBlueBits = 5;
    wide.needPalette = true;
    const std::vector<PaletteEntry> big = BuildPaletteEntries(wide);
    ASSERT_EQ(big.size(), 256u);
    EXPECT_EQ(big[255], Rgb(0, 0, 0));
}
