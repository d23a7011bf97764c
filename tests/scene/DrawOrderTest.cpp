// The texture node's lazy upload and the material and name state that the
// mesh and the square hint change and must give back.

#include "scene/SGMesh.h"
#include "scene/SGSquareHint.h"
#include "scene/SGTexture.h"
#include "tests/fakegl/FakeGL.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using fakegl::Drawn;
using fakegl::kTexture;

// The upload is checked against the fake only; the rendered-frame test
// shows the real art through Mesa.
TEST(SGTexture, UploadsItsImageOnceAsPaddedBgrRowsAndBindsItEveryDraw)
{
    CSGTexture node;
    EXPECT_EQ(Drawn(node), kTexture) << "no image: nothing made, name 0 bound";

    node.m_image.SetSize(3, 2); // 9-byte rows stored in 12
    std::memset(node.m_image.m_rows[0], 1, CTexture::Stride(3) * 2);
    const std::string enable = kTexture.substr(0, kTexture.rfind("glBind"));
    const std::string bind = "glBindTexture(GL_TEXTURE_2D,1)";
    EXPECT_EQ(Drawn(node), enable + "glGenTextures(1) " + bind +
                               " glTexParameteri(GL_TEXTURE_2D,GL_TEXTURE_WRAP_S,GL_REPEAT) "
                               "glTexParameteri(GL_TEXTURE_2D,GL_TEXTURE_WRAP_T,GL_REPEAT) "
                               "glTexParameteri(GL_TEXTURE_2D,GL_TEXTURE_MAG_FILTER,GL_LINEAR) "
                               "glTexParameteri(GL_TEXTURE_2D,GL_TEXTURE_MIN_FILTER,GL_LINEAR) "
                               "glTexImage2D(GL_TEXTURE_2D,0,GL_RGBA,3,2,0,GL_BGR_EXT,"
                               "GL_UNSIGNED_BYTE) " +
                               bind);
    EXPECT_EQ(fakegl::GetState().imageChecksum, 3u * 3u * 2u) << "rows read at 4-byte alignment";
    node.Render();
    EXPECT_TRUE(fakegl::Text().ends_with(bind + " " + enable + bind)) << "bound, not made again";
    node.m_image.SetSize(1, 1); // a new size needs a new object
    node.Render();
    EXPECT_EQ(fakegl::Count("glGenTextures"), 2);
    EXPECT_TRUE(fakegl::Text().ends_with("glBindTexture(GL_TEXTURE_2D,2)"));
}

TEST(SGMesh, DrawsUnderItsMaterialAndLeavesTheOldOneBehind)
{
    CSGMesh mesh;
    mesh.m_vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}};
    mesh.m_normals = {{0, 0, 1}};
    mesh.m_texcoords = {{0, 0, 0}, {1, 1, 0}};
    mesh.m_corners = {{0, 0, 0}, {1, 0, 1}, {2, 0, 0}, {1, 0, 1}, {3, 0, 1}, {2, 0, 0}};
    mesh.m_name = 1;
    mesh.m_texture = new CSGTexture;
    fakegl::Reset();
    fakegl::State& gl = fakegl::GetState();
    const float diffuse[4] = {0.1f, 0.2f, 0.3f, 0.4f};
    std::memcpy(gl.diffuse, diffuse, sizeof diffuse);
    gl.shininess = 42.0f;
    mesh.Render();

    EXPECT_TRUE(fakegl::Text().starts_with(
        "glGetMaterialfv(GL_FRONT,GL_DIFFUSE) glGetMaterialfv(GL_FRONT,GL_SPECULAR) "
        "glGetMaterialfv(GL_FRONT,GL_SHININESS) glMaterialfv(GL_FRONT,GL_DIFFUSE,1,1,1,1) "
        "glMaterialfv(GL_FRONT,GL_SPECULAR,1,1,1,1) glMaterialfv(GL_FRONT,GL_SHININESS,1) " +
        kTexture +
        " glPushName(1) glBegin(GL_TRIANGLES) glNormal3dv(0,0,1) glTexCoord2dv(0,0) "
        "glVertex3dv(0,0,0) glNormal3dv(0,0,1) glTexCoord2dv(1,1) glVertex3dv(1,0,0)"));
    EXPECT_TRUE(fakegl::Text().ends_with("glEnd() glPopName() glDisable(GL_TEXTURE_2D) "
                                         "glMaterialfv(GL_FRONT,GL_DIFFUSE,0.1,0.2,0.3,0.4) "
                                         "glMaterialfv(GL_FRONT,GL_SPECULAR,0,0,0,1) "
                                         "glMaterialfv(GL_FRONT,GL_SHININESS,42)"));
    EXPECT_EQ(fakegl::Count("glVertex3dv"), 6);
}

TEST(SGMesh, LooksUpEachCornerAndSkipsTrianglesOutsideTheArrays)
{
    CSGMesh mesh;
    for (int i = 0; i < 10; ++i)
        mesh.m_normals.push_back({double(i), 0, 0});
    for (int i = 0; i < 5; ++i)
        mesh.m_vertices.push_back({0, double(i), 0});
    // Without texture coordinates the texcoord indices (2, 77, -5) are never
    // looked at; the second triangle names normal 10, the third is incomplete.
    mesh.m_corners = {{4, 9, 2}, {0, 0, 77}, {1, 1, -5}, {0, 10, 0},
                      {1, 1, 1}, {2, 2, 2},  {3, 3, 3}};
    Drawn(mesh);
    EXPECT_NE(fakegl::Text().find("glBegin(GL_TRIANGLES) glNormal3dv(9,0,0) glVertex3dv(0,4,0) "
                                  "glNormal3dv(0,0,0) glVertex3dv(0,0,0) glNormal3dv(1,0,0) "
                                  "glVertex3dv(0,1,0) glEnd()"),
              std::string::npos)
        << fakegl::Text();
}

TEST(SGSquareHint, DrawsGreenOutlineAndRestoresAmbient)
{
    CSGSquareHint hint;
    EXPECT_EQ(Drawn(hint), "glGetMaterialfv(GL_FRONT,GL_AMBIENT) glEnable(GL_LINE_SMOOTH) "
                           "glMaterialfv(GL_FRONT,GL_AMBIENT,0.2,1,0.2,1) glLineWidth(1) "
                           "glBegin(GL_LINE_LOOP) glVertex3d(0.5,0,-0.5) glVertex3d(0.5,0,0.5) "
                           "glVertex3d(-0.5,0,0.5) glVertex3d(-0.5,0,-0.5) glEnd() "
                           "glBegin(GL_LINES) glVertex3d(0.5,0,-0.5) glVertex3d(-0.5,0,0.5) "
                           "glVertex3d(0.5,0,0.5) glVertex3d(-0.5,0,-0.5) glEnd() "
                           "glMaterialfv(GL_FRONT,GL_AMBIENT,0.2,0.2,0.2,1)");
}
