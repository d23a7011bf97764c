#include "assets/Texture.h"

#include "tests/support/MessageLog.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>

using testsupport::MessageLog;

namespace
{

// A BMP file built byte by byte.
struct BmpLayout
{
    std::int32_t width = 1, height = 1;
    std::uint16_t bits = 24;
    std::uint32_t infoSize = 40, compression = 0;
    std::string table{};       // colour table, right after the info header
    std::int64_t offBits = -1; // -1: where the rows really start
};

// The info header is padded to infoSize with 0x5A, so a table looked for in
// the wrong place gives wrong colours.
std::string Bmp(const BmpLayout& l, const std::string& rows)
{
    std::string b = "BM";
    auto le = [&b](std::uint32_t v, int n)
    {
        for (int i = 0; i < n; ++i)
            b += static_cast<char>(v >> 8 * i & 0xFF);
    };
    const auto off =
        static_cast<std::uint32_t>(l.offBits >= 0 ? l.offBits : 14 + l.infoSize + l.table.size());
    le(off + static_cast<std::uint32_t>(rows.size()), 4), le(0, 4), le(off, 4);
    le(l.infoSize, 4), le(l.width, 4), le(l.height, 4), le(1, 2), le(l.bits, 2);
    le(l.compression, 4);
    b.append(20, '\0');
    b.append(l.infoSize > 40 ? l.infoSize - 40 : 0, '\x5A');
    return b + l.table + rows;
}

using Bytes = std::vector<int>;
using Boxes = std::vector<std::string>;
using Reader = bool (CTexture::*)(std::istream&);

Bytes Row(const CTexture& texture, int row) // without the padding
{
    return Bytes(texture.m_rows[row], texture.m_rows[row] + 3 * texture.m_width);
}

bool Read(CTexture& texture, const std::string& bytes, Reader reader = &CTexture::ReadBmp)
{
    std::istringstream in(bytes);
    return (texture.*reader)(in);
}

// A 2 x 2 image of 0x11 bytes, to see whether a refusal leaves it alone.
void LoadTwoByTwo(CTexture& texture)
{
    ASSERT_TRUE(Read(texture, Bmp({.width = 2, .height = 2}, std::string(16, '\x11'))));
}

} // namespace

TEST(TextureBmp, ReadsEachDepthIntoPaddedBgrRowsBottomFirst)
{
    const std::string table("\x10\x20\x30\x00\x40\x50\x60\x00\x70\x80\x90\xAA", 12);
    struct Case
    {
        BmpLayout layout;
        std::string rows;
        std::vector<Bytes> expected;
    } cases[] = {
        // 3 pixels of 24 bits: 9 bytes padded to a 12-byte row in file and memory.
        {{.width = 3, .height = 2},
         std::string(
             "\1\2\3\4\5\6\7\x08\x09\xEE\xEE\xEE\x11\x12\x13\x14\x15\x16\x17\x18\x19\xEE\xEE\xEE",
             24),
         {{1, 2, 3, 4, 5, 6, 7, 8, 9}, {0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19}}},
        // 32 bits: the fourth byte of each pixel is dropped.
        {{.width = 3, .height = 1, .bits = 32},
         std::string("\1\2\3\0\4\5\6\x7F\7\x08\x09\xFF", 12),
         {{1, 2, 3, 4, 5, 6, 7, 8, 9}}},
        // 8 bits, one pixel a row in 4 file bytes; the table follows a
        // 52-byte info header, not byte 40.
        {{.width = 1, .height = 2, .bits = 8, .infoSize = 52, .table = table},
         std::string("\2\xEE\xEE\xEE\0\xEE\xEE\xEE", 8),
         {{0x70, 0x80, 0x90}, {0x10, 0x20, 0x30}}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.layout.bits);
        CTexture texture;
        ASSERT_TRUE(Read(texture, Bmp(c.layout, c.rows)));
        ASSERT_EQ(texture.m_height, static_cast<int>(c.expected.size()));
        for (std::size_t i = 0; i < c.expected.size(); ++i)
            EXPECT_EQ(Row(texture, static_cast<int>(i)), c.expected[i]) << "row " << i;
    }
}

// A refusal of the header keeps the image it had; bad pixel data empties it.
TEST(Texture, RefusalsSayWhyAndKeepTheImageOrEmptyItOnBadPixels)
{
    const std::string pixel(4, '\0'), rows(64, '\0');
    const std::string table("\x10\x20\x30\x00\x40\x50\x60\x00", 8);
    std::string notBm = Bmp({}, pixel), hugeOffset = notBm,
                bigInfo = Bmp({.table = pixel + pixel}, pixel);
    notBm[1] = 'A';
    hugeOffset.replace(10, 4, "\xF0\xFF\xFF\xFF");
    bigInfo[14] = 100; // biSize past the 48-byte header block
    const Reader bmp = &CTexture::ReadBmp, ppm = &CTexture::ReadPpm;
    const std::string unsupported = "Unsupported file type";
    const struct
    {
        Reader reader;
        std::string bytes;
        std::string message; // "" for none
        bool keeps = true;
    } cases[] = {
        {bmp, "BM\x36", "Unsupported image file type"},
        {bmp, notBm, "Note a BMP file"},
        {bmp, Bmp({}, "").substr(0, 40), "Premature end of file in image file"},
        {bmp, hugeOffset, "Premature end of file in image file"},
        {bmp, Bmp({.height = -1}, pixel), unsupported},
        {bmp, Bmp({.width = -1}, pixel), unsupported},
        {bmp, Bmp({.bits = 8, .compression = 1, .table = pixel}, pixel), unsupported},
        {bmp, Bmp({.offBits = 30}, pixel), unsupported},
        {bmp, Bmp({.infoSize = 12, .table = std::string(28, '\0')}, pixel), unsupported},
        {bmp, bigInfo, unsupported},
        {bmp, Bmp({.width = 16385}, ""), unsupported},
        {bmp, Bmp({.height = 16385}, ""), unsupported},
        {bmp, Bmp({.width = 16384, .height = 5462}, ""), unsupported}, // > 256 MiB
        {ppm, "P3\n1 1\n255\n", "Invalid file type!"},
        {ppm, "P6\n1 1\n256\n\1\2\3\4\5\6", unsupported},
        {ppm, "P6\n-1 1\n255\n", unsupported},
        {ppm, "P6\n16384 16384\n255\n", unsupported},
        {ppm, "P6\n1 x\n255\n", unsupported},
        {ppm, "P6\n1 1", unsupported},
        {bmp, Bmp({.width = 2, .height = 2, .bits = 4, .table = rows}, rows), "", false},
        {bmp, Bmp({.width = 2, .height = 2, .bits = 16}, rows), "", false},
        {bmp, Bmp({.width = 2, .height = 2}, std::string(10, '\0')), "", false}, // row 2 short
        // Index 2 would read past the two-entry table.
        {bmp, Bmp({.width = 2, .height = 2, .bits = 8, .table = table}, std::string("\1\2\0\0", 4)),
         unsupported, false},
        {ppm, "P6 2 2 255\n" + std::string(11, '\1'), "", false},
    };
    for (const auto& [reader, bytes, message, keeps] : cases)
    {
        SCOPED_TRACE(bytes.substr(0, 20) + ": " + message);
        CTexture texture;
        LoadTwoByTwo(texture);
        texture.m_uploaded = true; // a reload of the same size keeps it
        MessageLog log;
        EXPECT_FALSE(Read(texture, bytes, reader));
        EXPECT_EQ(log.boxes, message.empty() ? Boxes{} : Boxes{message + " [Plaxen, 0]"});
        EXPECT_EQ(texture.m_uploaded, keeps);
        if (keeps)
        {
            ASSERT_NE(texture.m_rows, nullptr);
            EXPECT_EQ(texture.m_width, 2);
            EXPECT_EQ(Row(texture, 1), Bytes(6, 0x11));
        }
        else
        {
            EXPECT_EQ(texture.m_rows, nullptr);
            EXPECT_EQ(texture.m_width + texture.m_height, 0);
        }
    }
    // An image of no pixels is read, and empty.
    CTexture texture;
    EXPECT_TRUE(Read(texture, Bmp({.width = 0, .height = 4}, "")));
    EXPECT_EQ(texture.m_rows, nullptr);
    EXPECT_TRUE(Read(texture, "P6 0 3 255\n", &CTexture::ReadPpm));
    EXPECT_EQ(texture.m_rows, nullptr);
}

TEST(TextureLoadFile, ReadsByContentNotNameAndReportsTheRest)
{
    testsupport::TempFolder folder;
    const std::string missing = folder / "missing.bmp";
    const std::string tiny = folder.Write("tiny.bmp", "P6 1 1 255\n\1\2\3"); // under 20 bytes
    const std::string gif = folder.Write("gif.bmp", "GIF89a" + std::string(30, '\0'));
    // Comments of any length may stand before each number.
    const std::string ppm =
        folder.Write("ppm.bmp", "P6\n# by hand\n2 #" + std::string(300, 'x') +
                                    " 7\n# two\n# lines\n2\n#\n255\n" +
                                    std::string("\xFF\x80\0\1\2\3\x0A\x0B\x0C\x0D\x0E\x0F", 12));
    const std::string bmp = folder.Write("bmp.ppm", Bmp({}, std::string("\4\5\6\0", 4)));
    CTexture texture;
    MessageLog log;
    ASSERT_TRUE(texture.LoadFile(ppm.c_str())); // RGB stored as BGR, first row on top
    EXPECT_EQ(Row(texture, 1), (Bytes{0x00, 0x80, 0xFF, 3, 2, 1}));
    EXPECT_EQ(Row(texture, 0), (Bytes{0x0C, 0x0B, 0x0A, 0x0F, 0x0E, 0x0D}));
    ASSERT_TRUE(texture.LoadFile(bmp.c_str()));
    EXPECT_EQ(Row(texture, 0), (Bytes{4, 5, 6}));
    EXPECT_FALSE(texture.LoadFile(missing.c_str()));
    EXPECT_FALSE(texture.LoadFile(tiny.c_str()));
    EXPECT_FALSE(texture.LoadFile(gif.c_str()));
    const std::string box = " [Plaxen, 0]";
    EXPECT_EQ(log.boxes, (Boxes{"Unable to open image file: " + missing + box,
                                "Unsupported texture file type: " + tiny + box,
                                "Unsupported texture file type: " + gif + box}));
    EXPECT_EQ(Row(texture, 0), (Bytes{4, 5, 6}));
}
