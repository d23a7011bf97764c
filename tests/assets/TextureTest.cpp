#include "assets/Texture.h"

#include "AssetTestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace assettest;

namespace
{

using Bytes = std::vector<int>;

// The stored bytes of one row, without its padding.
Bytes Row(const CTexture& texture, int row)
{
    const std::uint8_t* p = texture.m_rows[row];
    return Bytes(p, p + 3 * texture.m_width);
}

bool ReadBmp(CTexture& texture, const std::string& bytes)
{
    std::istringstream in(bytes);
    return texture.ReadBmp(in);
}

bool ReadPpm(CTexture& texture, const std::string& bytes)
{
    std::istringstream in(bytes);
    return texture.ReadPpm(in);
}

// A texture already holding a 2 x 2 image, to show that a refusal leaves
// the object as it was.
void LoadTwoByTwo(CTexture& texture)
{
    ASSERT_TRUE(ReadBmp(texture, Bmp24(2, 2, std::string(16, '\x11'))));
}

void ExpectUnchangedTwoByTwo(const CTexture& texture)
{
    EXPECT_EQ(texture.m_width, 2);
    EXPECT_EQ(texture.m_height, 2);
    ASSERT_NE(texture.m_rows, nullptr);
    EXPECT_EQ(Row(texture, 1), Bytes(6, 0x11));
}

void ExpectEmpty(const CTexture& texture)
{
    EXPECT_EQ(texture.m_rows, nullptr);
    EXPECT_EQ(texture.m_width, 0);
    EXPECT_EQ(texture.m_height, 0);
    EXPECT_FALSE(texture.m_uploaded);
}

} // namespace

TEST(TextureBmp, Reads24BitRowsBottomFirstSkippingThePadding)
{
    // 3 pixels of 3 bytes, padded with 3 bytes to a 12-byte file row.
    const std::string rows = std::string("\x01\x02\x03\x04\x05\x06\x07\x08\x09\xEE\xEE\xEE", 12) +
                             std::string("\x11\x12\x13\x14\x15\x16\x17\x18\x19\xEE\xEE\xEE", 12);
    CTexture texture;
    MessageLog log;
    ASSERT_TRUE(ReadBmp(texture, Bmp24(3, 2, rows)));
    EXPECT_TRUE(log.texts.empty());
    EXPECT_EQ(texture.m_width, 3);
    EXPECT_EQ(texture.m_height, 2);
    EXPECT_EQ(texture.m_rows[1] - texture.m_rows[0], 12);
    EXPECT_EQ(Row(texture, 0), (Bytes{1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(Row(texture, 1), (Bytes{0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19}));
    EXPECT_FALSE(texture.m_uploaded);
}

TEST(TextureBmp, Reads32BitDroppingTheFourthByte)
{
    const std::string rows("\x01\x02\x03\x00\x04\x05\x06\x7F\x07\x08\x09\xFF", 12);
    CTexture texture;
    ASSERT_TRUE(ReadBmp(texture, Bmp({.width = 3, .height = 1, .bits = 32}, rows)));
    EXPECT_EQ(Row(texture, 0), (Bytes{1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

TEST(TextureBmp, Maps8BitIndicesThroughTheTableAfterALongerInfoHeader)
{
    // A 52-byte info header: the table begins at byte 52, not 40.
    const std::string table("\x10\x20\x30\x00\x40\x50\x60\x00\x70\x80\x90\xAA", 12);
    CTexture narrow;
    // One pixel a row still occupies 4 bytes of the file.
    ASSERT_TRUE(
        ReadBmp(narrow, Bmp({.width = 1, .height = 2, .bits = 8, .infoSize = 52, .table = table},
                            std::string("\x02\xEE\xEE\xEE\x00\xEE\xEE\xEE", 8))));
    EXPECT_EQ(Row(narrow, 0), (Bytes{0x70, 0x80, 0x90}));
    EXPECT_EQ(Row(narrow, 1), (Bytes{0x10, 0x20, 0x30}));

    CTexture wide; // 5 pixels: 3 padding bytes
    ASSERT_TRUE(ReadBmp(wide, Bmp({.width = 5, .height = 1, .bits = 8, .table = table},
                                  std::string("\x00\x01\x02\x01\x00\xEE\xEE\xEE", 8))));
    EXPECT_EQ(Row(wide, 0), (Bytes{0x10, 0x20, 0x30, 0x40, 0x50, 0x60, 0x70, 0x80, 0x90, 0x40, 0x50,
                                   0x60, 0x10, 0x20, 0x30}));
}

TEST(TextureBmp, RefusalsKeepTheImageAndSayWhy)
{
    const std::string pixel(4, '\0');
    struct Case
    {
        const char* what;
        std::string bytes;
        const char* message;
    };
    std::string notBm = Bmp24(1, 1, pixel);
    notBm[1] = 'A';
    std::string hugeOffset = Bmp24(1, 1, pixel);
    hugeOffset.replace(10, 4, "\xF0\xFF\xFF\xFF", 4);
    std::string bigInfo = Bmp({.table = std::string(8, '\0')}, pixel);
    bigInfo[14] = 100; // biSize: past the 48-byte block
    const Case cases[] = {
        {"file header cut short", "BM\x36\0\0\0\0\0", "Unsupported image file type"},
        {"type not BM", notBm, "Note a BMP file"},
        {"header block cut short", Bmp24(1, 1, "").substr(0, 40),
         "Premature end of file in image file"},
        {"offset past the end of a short file", hugeOffset, "Premature end of file in image file"},
        {"top-down", Bmp24(1, -1, pixel), "Unsupported file type"},
        {"negative width", Bmp24(-1, 1, pixel), "Unsupported file type"},
        {"run-length compressed", Bmp({.bits = 8, .compression = 1, .table = pixel}, pixel),
         "Unsupported file type"},
        {"offset leaves no room for an info header", Bmp({.offBits = 30}, pixel),
         "Unsupported file type"},
        {"12-byte core header", Bmp({.infoSize = 12, .table = std::string(28, '\0')}, pixel),
         "Unsupported file type"},
        {"info header larger than the block", bigInfo, "Unsupported file type"},
        {"too wide", Bmp24(16385, 1, ""), "Unsupported file type"},
        {"too tall", Bmp24(1, 16385, ""), "Unsupported file type"},
        {"pixel block over 256 MiB", Bmp24(16384, 5462, ""), "Unsupported file type"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        CTexture texture;
        LoadTwoByTwo(texture);
        MessageLog log;
        EXPECT_FALSE(ReadBmp(texture, c.bytes));
        EXPECT_EQ(log.texts, std::vector<std::string>{c.message});
        EXPECT_EQ(log.types, std::vector<unsigned>{MB_OK});
        ExpectUnchangedTwoByTwo(texture);
    }
}

TEST(TextureBmp, OtherDepthsAndShortRowsFailSilentlyAndEmpty)
{
    const std::string rows(64, '\0');
    const std::string cases[] = {
        Bmp({.width = 2, .height = 2, .bits = 4, .table = std::string(64, '\0')}, rows),
        Bmp({.width = 2, .height = 2, .bits = 16}, rows),
        Bmp24(2, 2, std::string(8, '\0') + "\x01\x02"), // the second row is cut short
    };
    for (const std::string& bytes : cases)
    {
        CTexture texture;
        LoadTwoByTwo(texture);
        texture.m_uploaded = true; // a load of the same size keeps this flag
        MessageLog log;
        EXPECT_FALSE(ReadBmp(texture, bytes));
        EXPECT_TRUE(log.texts.empty());
        ExpectEmpty(texture);
    }
}

TEST(TextureBmp, IndexPastTheColourTableIsRefused)
{
    // Two entries: index 2 would read past the table into the pixel rows.
    const std::string table("\x10\x20\x30\x00\x40\x50\x60\x00", 8);
    CTexture texture;
    MessageLog log;
    EXPECT_FALSE(ReadBmp(texture, Bmp({.width = 2, .height = 1, .bits = 8, .table = table},
                                      std::string("\x01\x02\xEE\xEE", 4))));
    EXPECT_EQ(log.texts, std::vector<std::string>{"Unsupported file type"});
    ExpectEmpty(texture);
}

TEST(TextureBmp, ZeroWidthOrHeightSucceedsWithNoImage)
{
    for (auto [width, height] : {std::pair{0, 4}, std::pair{4, 0}})
    {
        CTexture texture;
        MessageLog log;
        EXPECT_TRUE(ReadBmp(texture, Bmp24(width, height, "")));
        EXPECT_TRUE(log.texts.empty());
        EXPECT_EQ(texture.m_rows, nullptr);
    }
}

TEST(TexturePpm, StoresBlueGreenRedWithTheFirstFileRowOnTop)
{
    const std::string pixels("\xFF\x80\x00\x01\x02\x03"
                             "\x0A\x0B\x0C\x0D\x0E\x0F",
                             12);
    CTexture texture;
    ASSERT_TRUE(ReadPpm(texture, "P6\n2 2\n255\n" + pixels));
    EXPECT_EQ(texture.m_width, 2);
    EXPECT_EQ(texture.m_height, 2);
    EXPECT_EQ(texture.m_rows[1] - texture.m_rows[0], 8);
    EXPECT_EQ(Row(texture, 1), (Bytes{0x00, 0x80, 0xFF, 0x03, 0x02, 0x01}));
    EXPECT_EQ(Row(texture, 0), (Bytes{0x0C, 0x0B, 0x0A, 0x0F, 0x0E, 0x0D}));
}

TEST(TexturePpm, SkipsCommentLinesOfAnyLengthBetweenTheNumbers)
{
    const std::string longComment = "#" + std::string(300, 'x') + " 7 7\n";
    CTexture texture;
    ASSERT_TRUE(ReadPpm(texture, "P6\n# made by hand\n1 " + longComment + "# two\n# lines\n1\n" +
                                     "#\n255\n\x01\x02\x03"));
    EXPECT_EQ(texture.m_width, 1);
    EXPECT_EQ(texture.m_height, 1);
    EXPECT_EQ(Row(texture, 0), (Bytes{3, 2, 1}));
}

TEST(TexturePpm, RefusesWhatItCannotReadAndKeepsTheImage)
{
    const std::pair<std::string, const char*> cases[] = {
        {"P3\n1 1\n255\n", "Invalid file type!"},
        {"", "Invalid file type!"},
        {"P6\n1 1\n256\n\x01\x02\x03\x04\x05\x06", "Unsupported file type"},
        {"P6\n1 1\n0\n\x01\x02\x03", "Unsupported file type"},
        {"P6\n-1 1\n255\n", "Unsupported file type"},
        {"P6\n1 -1\n255\n", "Unsupported file type"},
        {"P6\n16385 1\n255\n", "Unsupported file type"},
        {"P6\n16384 16384\n255\n", "Unsupported file type"},
        {"P6\n1 x\n255\n", "Unsupported file type"},
        {"P6\n1 1", "Unsupported file type"},
    };
    for (const auto& [bytes, message] : cases)
    {
        SCOPED_TRACE(bytes);
        CTexture texture;
        LoadTwoByTwo(texture);
        MessageLog log;
        EXPECT_FALSE(ReadPpm(texture, bytes));
        EXPECT_EQ(log.texts, std::vector<std::string>{message});
        ExpectUnchangedTwoByTwo(texture);
    }
}

TEST(TexturePpm, PixelsCutShortFailSilentlyAndEmpty)
{
    CTexture texture;
    LoadTwoByTwo(texture);
    MessageLog log;
    EXPECT_FALSE(ReadPpm(texture, std::string("P6 2 2 255\n") + std::string(11, '\x01')));
    EXPECT_TRUE(log.texts.empty());
    ExpectEmpty(texture);

    EXPECT_TRUE(ReadPpm(texture, "P6 0 3 255\n"));
    EXPECT_EQ(texture.m_rows, nullptr);
}

TEST(TextureLoadFile, ReportsFilesItCannotOpenOrRecognise)
{
    TempFolder folder;
    const std::string missing = (folder.Path() / "missing.bmp").string();
    const std::string shortFile = folder.Write("short.bmp", "P6 1 1 255\n\x01\x02\x03");
    const std::string gif = folder.Write("picture.bmp", "GIF89a" + std::string(30, '\0'));
    CTexture texture;
    LoadTwoByTwo(texture);
    MessageLog log;
    EXPECT_FALSE(texture.LoadFile(missing.c_str()));
    EXPECT_FALSE(texture.LoadFile(shortFile.c_str()));
    EXPECT_FALSE(texture.LoadFile(gif.c_str()));
    EXPECT_EQ(log.texts, (std::vector<std::string>{"Unable to open image file: " + missing,
                                                   "Unsupported texture file type: " + shortFile,
                                                   "Unsupported texture file type: " + gif}));
    ExpectUnchangedTwoByTwo(texture);
}

TEST(TextureLoadFile, TellsTheFormatByContentNotByName)
{
    TempFolder folder;
    const std::string ppm = folder.Write(
        "looks-like.bmp", "P6\n# padding the header past 20 bytes\n1 1\n255\n\x01\x02\x03");
    const std::string bmp =
        folder.Write("looks-like.ppm", Bmp24(1, 1, std::string("\x04\x05\x06\0", 4)));
    CTexture texture;
    ASSERT_TRUE(texture.LoadFile(ppm.c_str()));
    EXPECT_EQ(Row(texture, 0), (Bytes{3, 2, 1}));
    ASSERT_TRUE(texture.LoadFile(bmp.c_str()));
    EXPECT_EQ(Row(texture, 0), (Bytes{4, 5, 6}));
}

TEST(TextureSetSize, ReallocatesOnlyWhenTheSizeChanges)
{
    CTexture texture;
    EXPECT_EQ(texture.m_rows, nullptr);
    texture.SetSize(3, 2);
    ASSERT_NE(texture.m_rows, nullptr);
    EXPECT_EQ(texture.m_rows[1] - texture.m_rows[0], 12);
    std::uint8_t* const first = texture.m_rows[0];
    texture.m_uploaded = true;

    texture.SetSize(3, 2);
    EXPECT_EQ(texture.m_rows[0], first);
    EXPECT_TRUE(texture.m_uploaded);

    texture.SetSize(5, 2);
    EXPECT_FALSE(texture.m_uploaded);
    EXPECT_EQ(texture.m_rows[1] - texture.m_rows[0], 16);

    texture.SetSize(0, 5);
    EXPECT_EQ(texture.m_rows, nullptr);
    EXPECT_EQ(texture.m_width, 0);
    EXPECT_EQ(texture.m_height, 5);

    texture.SetSize(1 << 30, 1 << 30); // refused quietly, nothing allocated
    EXPECT_EQ(texture.m_rows, nullptr);
}
