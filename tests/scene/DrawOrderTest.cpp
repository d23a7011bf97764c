#include "scene/SGBox.h"
#include "scene/SGCylinder.h"
#include "scene/SGMesh.h"
#include "scene/SGPolygon.h"
#include "scene/SGSquareHint.h"
#include "scene/SGTexture.h"
#include "scene/SGdravoCylinder.h"
#include "tests/fakegl/FakeGL.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace
{

using Strings = std::vector<std::string>;

const Strings kUnloadedTexture = {"glEnable(GL_TEXTURE_2D)",
                                  "glTexEnvf(GL_TEXTURE_ENV,GL_TEXTURE_ENV_MODE,8448)",
                                  "glBindTexture(GL_TEXTURE_2D,0)"};

Strings Concat(std::initializer_list<Strings> parts)
{
    Strings all;
    for (const Strings& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

Strings Slice(const Strings& log, std::size_t from, std::size_t count)
{
    return Strings(log.begin() + from, log.begin() + from + count);
}

} // namespace

TEST(SGPolygon, InterleavesNormalTexcoordAndVertexInsideTextureCalls)
{
    fakegl::Reset();
    CSGPolygon face;
    face.m_texture = new CSGTexture;
    face.m_normals = {{0, 0, 1}};
    face.m_vertices = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
    face.m_texcoords = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {9, 9, 0}};
    face.Render();
    EXPECT_EQ(fakegl::Log(),
              Concat({kUnloadedTexture,
                      {"glBegin(GL_POLYGON)", "glNormal3dv(0,0,1)", "glTexCoord2dv(0,0)",
                       "glVertex3dv(0,0,0)", "glTexCoord2dv(1,0)", "glVertex3dv(1,0,0)",
                       "glTexCoord2dv(1,1)", "glVertex3dv(1,1,0)", "glTexCoord2dv(0,1)",
                       "glVertex3dv(0,1,0)", "glEnd()", "glDisable(GL_TEXTURE_2D)"}}));

    fakegl::Reset();
    CSGPolygon bare;
    bare.Render();
    EXPECT_EQ(fakegl::Log(), (Strings{"glBegin(GL_POLYGON)", "glEnd()"}));
    bare.m_vertices = {{1, 2, 3}, {4, 5, 6}};
    fakegl::Reset();
    bare.Render();
    EXPECT_EQ(fakegl::Count("glTexCoord2dv"), 0);
    EXPECT_EQ(fakegl::Count("glNormal3dv"), 0);
    EXPECT_EQ(fakegl::Count("glVertex3dv"), 2);
}

TEST(SGBox, TextureIsDrawnOnceAroundAllSixFaces)
{
    CSGBox box(1, 1, 1);
    fakegl::Reset();
    box.Render();
    EXPECT_EQ(fakegl::Count("glBegin"), 6);
    EXPECT_EQ(fakegl::Count("glEnable") + fakegl::Count("glBindTexture"), 0);
    EXPECT_EQ(fakegl::Count("glDisable"), 0);

    box.m_texture = new CSGTexture;
    fakegl::Reset();
    box.Render();
    const Strings log = fakegl::Log();
    EXPECT_EQ(Slice(log, 0, 4), Concat({kUnloadedTexture, {"glBegin(GL_POLYGON)"}}));
    EXPECT_EQ(log.back(), "glDisable(GL_TEXTURE_2D)");
    EXPECT_EQ(fakegl::Count("glBindTexture"), 1);
    EXPECT_EQ(fakegl::Count("glDisable"), 1);
    EXPECT_EQ(fakegl::Count("glBegin"), 6);
}

TEST(SGCylinder, NameAndTextureBracketTheFaces)
{
    CSGCylinder chip(0.35, 0.15);
    fakegl::Reset();
    chip.Render();
    EXPECT_EQ(fakegl::Log().front(), "glBegin(GL_POLYGON)");
    EXPECT_EQ(fakegl::Count("glBegin"), 103);
    EXPECT_EQ(fakegl::Count("glPushName") + fakegl::Count("glDisable"), 0);

    chip.m_name = 7;
    chip.m_texture = new CSGTexture;
    fakegl::Reset();
    chip.Render();
    const Strings log = fakegl::Log();
    EXPECT_EQ(Slice(log, 0, 5),
              Concat({kUnloadedTexture, {"glPushName(7)", "glBegin(GL_POLYGON)"}}));
    EXPECT_EQ(Slice(log, log.size() - 3, 3),
              (Strings{"glEnd()", "glPopName()", "glDisable(GL_TEXTURE_2D)"}));
    EXPECT_EQ(fakegl::Count("glBegin"), 103);
    EXPECT_EQ(fakegl::Count("glBindTexture"), 1);
}

TEST(SGdravoCylinder, EveryFaceBindsItsTextureBeforeDrawing)
{
    CSGdravoCylinder rail(0.1, 2.0);
    CSGPtr texture(new CSGTexture);
    rail.SetTexture(texture);
    EXPECT_EQ(texture->m_refs, 1 + 53);
    fakegl::Reset();
    rail.Render();
    const Strings log = fakegl::Log();
    EXPECT_EQ(fakegl::Count("glBegin"), 53);
    EXPECT_EQ(fakegl::Count("glDisable"), 53);
    for (std::size_t i = 1; i < log.size(); ++i)
    {
        if (log[i] == "glBegin(GL_POLYGON)")
        {
            EXPECT_EQ(log[i - 1], "glBindTexture(GL_TEXTURE_2D,0)") << "call " << i;
        }
    }
}

TEST(SGTexture, MakesItsTextureObjectOnceAndBindsItEveryDraw)
{
    CSGTexture node;
    fakegl::Reset();
    node.Render();
    EXPECT_EQ(fakegl::Log(), kUnloadedTexture);
    EXPECT_EQ(fakegl::Count("glGenTextures"), 0);

    node.m_image.SetSize(3, 2);
    std::memset(node.m_image.m_rows[0], 1, CTexture::Stride(3) * 2);
    fakegl::Reset();
    node.Render();
    node.Render();
    EXPECT_EQ(fakegl::Count("glGenTextures"), 1);
    EXPECT_EQ(fakegl::Count("glEnable"), 2);
    EXPECT_EQ(fakegl::Count("glTexEnvf"), 2);
    EXPECT_EQ(fakegl::Log().back(), "glBindTexture(GL_TEXTURE_2D,1)");
    EXPECT_EQ(fakegl::GetState().imageChecksum, 3u * 3u * 2u);
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

    const Strings log = fakegl::Log();
    ASSERT_EQ(log.size(), 6u + 3u + 1u + 1u + 18u + 1u + 1u + 1u + 3u);
    EXPECT_EQ(Slice(log, 0, 6), (Strings{"glGetMaterialfv(GL_FRONT,GL_DIFFUSE)",
                                         "glGetMaterialfv(GL_FRONT,GL_SPECULAR)",
                                         "glGetMaterialfv(GL_FRONT,GL_SHININESS)",
                                         "glMaterialfv(GL_FRONT,GL_DIFFUSE,1,1,1,1)",
                                         "glMaterialfv(GL_FRONT,GL_SPECULAR,1,1,1,1)",
                                         "glMaterialfv(GL_FRONT,GL_SHININESS,1)"}));
    EXPECT_EQ(Slice(log, 6, 8),
              Concat({kUnloadedTexture,
                      {"glPushName(1)", "glBegin(GL_TRIANGLES)", "glNormal3dv(0,0,1)",
                       "glTexCoord2dv(0,0)", "glVertex3dv(0,0,0)"}}));
    EXPECT_EQ(Slice(log, log.size() - 6, 6),
              (Strings{"glEnd()", "glPopName()", "glDisable(GL_TEXTURE_2D)",
                       "glMaterialfv(GL_FRONT,GL_DIFFUSE,0.1,0.2,0.3,0.4)",
                       "glMaterialfv(GL_FRONT,GL_SPECULAR,0,0,0,1)",
                       "glMaterialfv(GL_FRONT,GL_SHININESS,42)"}));
    EXPECT_EQ(std::memcmp(gl.diffuse, diffuse, sizeof diffuse), 0);
    EXPECT_EQ(gl.shininess, 42.0f);
    EXPECT_EQ(gl.errors, 0);
}

TEST(SGMesh, LooksUpEachCornerAndSkipsTrianglesOutsideTheArrays)
{
    CSGMesh mesh;
    for (int i = 0; i < 10; ++i)
        mesh.m_normals.push_back({double(i), 0, 0});
    for (int i = 0; i < 5; ++i)
        mesh.m_vertices.push_back({0, double(i), 0});
    // Corner (4, 9, 2) with no texture coordinates: its texcoord index is
    // never looked at. The second triangle names normal 10 and is not drawn;
    // the incomplete third one neither.
    mesh.m_corners = {{4, 9, 2}, {0, 0, 77}, {1, 1, -5}, {0, 10, 0},
                      {1, 1, 1}, {2, 2, 2},  {3, 3, 3}};
    fakegl::Reset();
    mesh.Render();
    EXPECT_EQ(
        fakegl::LogFrom("glBegin"),
        (Strings{"glBegin(GL_TRIANGLES)", "glNormal3dv(9,0,0)", "glVertex3dv(0,4,0)",
                 "glNormal3dv(0,0,0)", "glVertex3dv(0,0,0)", "glNormal3dv(1,0,0)",
                 "glVertex3dv(0,1,0)", "glEnd()", "glMaterialfv(GL_FRONT,GL_DIFFUSE,0.8,0.8,0.8,1)",
                 "glMaterialfv(GL_FRONT,GL_SPECULAR,0,0,0,1)",
                 "glMaterialfv(GL_FRONT,GL_SHININESS,0)"}));

    // An empty mesh still makes the material calls around an empty pair.
    CSGMesh empty;
    fakegl::Reset();
    empty.Render();
    EXPECT_EQ(fakegl::Count("glMaterialfv"), 6);
    EXPECT_EQ(fakegl::LogFrom("glBegin").size(), 2u + 3u);
}

TEST(SGSquareHint, DrawsGreenOutlineAndRestoresAmbient)
{
    fakegl::Reset();
    fakegl::GetState().lineWidth = 3.0f;
    CSGSquareHint hint;
    hint.Render();
    EXPECT_EQ(fakegl::Log(),
              (Strings{"glGetMaterialfv(GL_FRONT,GL_AMBIENT)", "glEnable(GL_LINE_SMOOTH)",
                       "glMaterialfv(GL_FRONT,GL_AMBIENT,0.2,1,0.2,1)", "glLineWidth(1)",
                       "glBegin(GL_LINE_LOOP)", "glVertex3d(0.5,0,-0.5)", "glVertex3d(0.5,0,0.5)",
                       "glVertex3d(-0.5,0,0.5)", "glVertex3d(-0.5,0,-0.5)", "glEnd()",
                       "glBegin(GL_LINES)", "glVertex3d(0.5,0,-0.5)", "glVertex3d(-0.5,0,0.5)",
                       "glVertex3d(0.5,0,0.5)", "glVertex3d(-0.5,0,-0.5)", "glEnd()",
                       "glMaterialfv(GL_FRONT,GL_AMBIENT,0.2,0.2,0.2,1)"}));
    const fakegl::State& gl = fakegl::GetState();
    EXPECT_EQ(gl.ambient[1], 0.2f);
    EXPECT_EQ(gl.enabled.count(GL_LINE_SMOOTH), 1u);
    EXPECT_EQ(gl.lineWidth, 1.0f);
}
