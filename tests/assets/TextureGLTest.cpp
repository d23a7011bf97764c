#include "assets/Texture.h"

#include "AssetTestSupport.h"
#include "tests/support/GLTestContext.h"

#include <gtest/gtest.h>

using namespace assettest;

namespace
{

// The texture's level 0 as OpenGL holds it, four bytes a texel.
std::vector<int> Texels(GLuint name, int width, int height)
{
    std::vector<std::uint8_t> rgba(4 * width * height);
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return {rgba.begin(), rgba.end()};
}

GLint Parameter(GLenum which)
{
    GLint value = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, which, &value);
    return value;
}

} // namespace

TEST(TextureGL, OneObjectHoldsTheFileColoursOpaque)
{
    CGLTestContext gl;
    ASSERT_TRUE(gl.IsCurrent()) << gl.Error();
    TempFolder folder;
    // 4 x 2 pixels of 32 bits, bottom row first, with alpha bytes that
    // must not reach the texture.
    std::string rows;
    for (int i = 0; i < 8; ++i)
        rows += {static_cast<char>(10 * i), static_cast<char>(10 * i + 1),
                 static_cast<char>(10 * i + 2), static_cast<char>(i % 2 ? 0x00 : 0x80)};
    const std::string path =
        folder.Write("tiny.bmp", Bmp({.width = 4, .height = 2, .bits = 32}, rows));

    CTexture texture;
    ASSERT_TRUE(texture.LoadFile(path.c_str()));
    const GLuint name = texture.TexName();
    ASSERT_NE(name, 0u);
    EXPECT_EQ(texture.TexName(), name);
    EXPECT_TRUE(texture.m_uploaded);

    std::vector<int> expected;
    for (int i = 0; i < 8; ++i)
        expected.insert(expected.end(), {10 * i + 2, 10 * i + 1, 10 * i, 255});
    EXPECT_EQ(Texels(name, 4, 2), expected);
    EXPECT_EQ(Parameter(GL_TEXTURE_WRAP_S), GL_REPEAT);
    EXPECT_EQ(Parameter(GL_TEXTURE_WRAP_T), GL_REPEAT);
    EXPECT_EQ(Parameter(GL_TEXTURE_MAG_FILTER), GL_LINEAR);
    EXPECT_EQ(Parameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(TextureGL, PaddedRowsUploadWithoutShearing)
{
    CGLTestContext gl;
    ASSERT_TRUE(gl.IsCurrent()) << gl.Error();
    // 2 pixels of 24 bits make a 6-byte row stored in 8: the upload relies
    // on OpenGL's default 4-byte unpack alignment.
    CTexture texture;
    texture.SetSize(2, 2);
    const std::uint8_t pixels[2][6] = {{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}};
    for (int row = 0; row < 2; ++row)
        std::copy(pixels[row], pixels[row] + 6, texture.m_rows[row]);
    EXPECT_EQ(Texels(texture.TexName(), 2, 2),
              (std::vector<int>{3, 2, 1, 255, 6, 5, 4, 255, 9, 8, 7, 255, 12, 11, 10, 255}));
}

TEST(TextureGL, NoImageBindsNothingAndAReloadOfNewSizeMakesANewObject)
{
    CGLTestContext gl;
    ASSERT_TRUE(gl.IsCurrent()) << gl.Error();
    CTexture texture;
    EXPECT_EQ(texture.TexName(), 0u);
    EXPECT_FALSE(texture.m_uploaded);
    GLint bound = -1;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(bound, 0);

    texture.SetSize(1, 1);
    const GLuint first = texture.TexName();
    texture.SetSize(2, 1);
    texture.m_rows[0][0] = 0x40;
    const GLuint second = texture.TexName();
    EXPECT_NE(second, first);
    EXPECT_EQ(Texels(second, 2, 1)[2], 0x40);
}
