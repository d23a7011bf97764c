#include "glwnd/Palette.h"

#include <gtest/gtest.h>

namespace
{
PixelFormatFields Format(int colorBits, int r, int rShift, int g, int gShift, int b, int bShift,
                         bool needPalette = true)
{
    return {colorBits, r, rShift, g, gShift, b, bShift, needPalette};
}

PaletteEntry Rgb(int r, int g, int b)
{
    return {static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g),
            static_cast<std::uint8_t>(b), 0};
}
} // namespace

TEST(Palette, ThreeThreeTwoSpreadsComponentsAndKeepsSystemColours)
{
    const std::vector<PaletteEntry> palette = BuildPaletteEntries(Format(8, 3, 0, 3, 3, 2, 6));
    ASSERT_EQ(palette.size(), 256u);
    EXPECT_EQ(palette[0], Rgb(0, 0, 0));
    EXPECT_EQ(palette[255], Rgb(255, 255, 255));
    EXPECT_EQ(palette[7], Rgb(255, 0, 0));
    EXPECT_EQ(palette[3], Rgb(128, 0, 0)); // the rule alone would give 109
    EXPECT_EQ(palette[2], Rgb(73, 0, 0));
    EXPECT_EQ(palette[2 << 6], Rgb(0, 0, 170));
    EXPECT_EQ(palette[64], Rgb(0, 0, 128));
    EXPECT_EQ(palette[91], Rgb(128, 128, 128));
}

TEST(Palette, OnlyIndexedFormatsGetOneAndNeverLargerThan256)
{
    EXPECT_TRUE(BuildPaletteEntries(Format(24, 8, 16, 8, 8, 8, 0, false)).empty());

    // 4 bits: 16 computed entries, the rest defined black; no system colours.
    const std::vector<PaletteEntry> small = BuildPaletteEntries(Format(4, 1, 0, 2, 1, 1, 3));
    ASSERT_EQ(small.size(), 256u);
    EXPECT_EQ(small[15], Rgb(255, 255, 255));
    EXPECT_EQ(small[3], Rgb(255, 85, 0));
    for (std::size_t i = 16; i < small.size(); ++i)
        EXPECT_EQ(small[i], Rgb(0, 0, 0)) << "entry " << i;

    // 5-6-5 asking for a palette: 256 entries, fields wider than 3 bits are 0.
    const std::vector<PaletteEntry> wide = BuildPaletteEntries(Format(16, 5, 11, 6, 5, 5, 0));
    ASSERT_EQ(wide.size(), 256u);
    EXPECT_EQ(wide[255], Rgb(0, 0, 0));
}
