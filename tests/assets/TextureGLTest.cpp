#include "assets/Texture.h"

#include "AssetTestSupport.h"
#include "tests/support/GLTestContext.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

using namespace assettest;

// Mesa's software driver, loaded and unloaded with dlopen, leaves a few
// allocations that the leak checker can neither attribute nor suppress by
// name; the readers themselves are leak-checked in assets_tests.
extern "C" const char* __asan_default_options()
{
    return "detect_leaks=0";
}

TEST(TextureGL, OneObjectPerImageHoldingTheFileColoursOpaque)
{
    CGLTestContext gl;
    ASSERT_TRUE(gl.IsCurrent()) << gl.Error();
    CTexture texture;
    EXPECT_EQ(texture.TexName(), 0u); // no image: nothing made, nothing bound
    GLint bound = -1;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(bound, 0);

    // 2 x 2 pixels of 32 bits: the fourth bytes must not show, and the
    // 6-byte rows stored in 8 rely on the default unpack alignment.
    testsupport::TempFolder folder;
    const std::string rows("\1\2\3\0\4\5\6\x80\7\x08\x09\0\x0A\x0B\x0C\xFF", 16);
    ASSERT_TRUE(texture.LoadFile(
        folder.Write("t.bmp", Bmp({.width = 2, .height = 2, .bits = 32}, rows)).c_str()));
    const GLuint name = texture.TexName();
    ASSERT_NE(name, 0u);
    EXPECT_EQ(texture.TexName(), name);
    std::uint8_t rgba[16];
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    EXPECT_EQ(std::vector<int>(rgba, rgba + 16),
              (std::vector<int>{3, 2, 1, 255, 6, 5, 4, 255, 9, 8, 7, 255, 12, 11, 10, 255}));
    for (GLenum parameter :
         {GL_TEXTURE_WRAP_S, GL_TEXTURE_WRAP_T, GL_TEXTURE_MAG_FILTER, GL_TEXTURE_MIN_FILTER})
    {
        GLint value = 0;
        glGetTexParameteriv(GL_TEXTURE_2D, parameter, &value);
        EXPECT_EQ(value, parameter == GL_TEXTURE_WRAP_S || parameter == GL_TEXTURE_WRAP_T
                             ? GL_REPEAT
                             : GL_LINEAR);
    }

    texture.SetSize(1, 1); // a new size needs a new object
    EXPECT_NE(texture.TexName(), name);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}
