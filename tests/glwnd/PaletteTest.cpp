#include "glwnd/Palette.h"

#include <gtest/gtest.h>

// Formats: colour bits, then bits and shift of red, green and blue.
TEST(Palette, IndexedFormatsGet256EntriesTrueColourNone)
{
    EXPECT_TRUE(BuildPaletteEntries({24, 8, 16, 8, 8, 8, 0, false}).empty());
    const PixelFormatFields f332{8, 3, 0, 3, 3, 2, 6, true}, f4{4, 1, 0, 2, 1, 1, 3, true},
        f565{16, 5, 11, 6, 5, 5, 0, true};
    // 3-3-2 keeps the system colours (entry 3: the rule alone would give
    // 109); 4 bits compute 16 entries and no system colours; fields wider
    // than 3 bits give 0.
    const struct
    {
        const PixelFormatFields& format;
        int index;
        PaletteEntry rgb;
    } cases[] = {{f332, 0, {0, 0, 0}},    {f332, 255, {255, 255, 255}}, {f332, 7, {255, 0, 0}},
                 {f332, 3, {128, 0, 0}},  {f332, 2, {73, 0, 0}},        {f332, 2 << 6, {0, 0, 170}},
                 {f332, 64, {0, 0, 128}}, {f332, 91, {128, 128, 128}},  {f4, 15, {255, 255, 255}},
                 {f4, 3, {255, 85, 0}},   {f565, 255, {0, 0, 0}}};
    for (const auto& c : cases)
    {
        const std::vector<PaletteEntry> palette = BuildPaletteEntries(c.format);
        ASSERT_EQ(palette.size(), 256u);
        EXPECT_EQ(palette[c.index], c.rgb) << c.format.cColorBits << " bits, entry " << c.index;
    }
    const std::vector<PaletteEntry> small = BuildPaletteEntries(f4);
    for (std::size_t i = 16; i < small.size(); ++i)
        EXPECT_EQ(small[i], PaletteEntry{}) << "entry " << i << " is defined black";
}
