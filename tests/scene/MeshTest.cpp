#include "scene/SGMesh.h"
#include "scene/SGTexture.h"
#include "tests/fakegl/FakeGL.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace
{

using Corner = CSGMesh::Corner;

// `n` each of v, vt and vn lines, all distinct, so any index up to n holds.
std::string Arrays(int n)
{
    std::string text;
    for (int i = 1; i <= n; ++i)
    {
        const std::string k = std::to_string(i);
        text += "v " + k + " 0 0\nvt 0." + k + " 0\nvn 0 " + k + " 0\n";
    }
    return text;
}

std::unique_ptr<CSGMesh> Load(const std::string& text)
{
    auto mesh = std::make_unique<CSGMesh>();
    std::istringstream in(text);
    mesh->LoadObj(in);
    return mesh;
}

} // namespace

TEST(MeshReader, ReadsTheKeywordsItKnowsWithCornersAsVertexNormalTexcoord)
{
    auto mesh = Load("# comment\n"
                     "o board\r\n"
                     "   v 1 2 3 4\r\n"
                     "V 7 7 7\n"
                     "\n"
                     "vt 0.25 0.75 0.5\n"
                     "vn 2.5e-1 -0.5 1\n"
                     "vx 1 1 1\n"
                     "F 1/1/1 1/1/1 1/1/1\n");
    EXPECT_EQ(mesh->m_vertices, (std::vector<CSGVec4>{{1, 2, 3, 1}}));
    EXPECT_EQ(mesh->m_texcoords, (std::vector<CSGVec4>{{0.25, 0.75, 0, 1}}));
    EXPECT_EQ(mesh->m_normals, (std::vector<CSGVec4>{{0.25, -0.5, 1, 1}}));
    EXPECT_TRUE(mesh->m_corners.empty());

    // Only the first three corners of a face count; blanks may surround the
    // separators.
    mesh = Load(Arrays(9) + "f 1/2/3 4/5/6 7/8/9\n"
                            "f 1/1/1 2/2/2 3/3/3 4/4/4\n"
                            "f 5 / 6 / 7   8/ 9 /1\t2 -2- 3\r\n");
    EXPECT_EQ(mesh->m_corners, (std::vector<Corner>{{0, 2, 1},
                                                    {3, 5, 4},
                                                    {6, 8, 7},
                                                    {0, 0, 0},
                                                    {1, 1, 1},
                                                    {2, 2, 2},
                                                    {4, 6, 5},
                                                    {7, 0, 8},
                                                    {1, 2, 1}}));
    // A face may name vertices listed after it: indices are checked at the end.
    mesh = Load("f 1/1/1 2/1/1 3/1/1\n" + Arrays(3));
    EXPECT_EQ(mesh->m_corners.size(), 3u);
}

TEST(MeshReader, MalformedLinesAddNothingAndTheMeshStillDraws)
{
    const char* bad[] = {"v 1 2",
                         "vn 1 x 2",
                         "vt 0.5",
                         "f 1/1/1 2/2/2",
                         "f 1//1 2//2 3//3",
                         "f 1 2 3",
                         "f 0/1/1 1/1/1 2/1/1",
                         "f -1/-1/-1 -2/-2/-2 -3/-3/-3",
                         "f 1/1/1 2/2/2 4/1/1",
                         "f 1/1/1 2/2/2 3/4/1",
                         "f 1/1/1 2/2/2 3/3/4",
                         "f 99999999999/1/1 1/1/1 2/2/2",
                         "f -2147483648/1/1 1/1/1 2/2/2"};
    for (const char* line : bad)
    {
        SCOPED_TRACE(line);
        auto mesh = Load(Arrays(3) + line + "\nf 1/1/1 2/2/2 3/3/3\n");
        EXPECT_EQ(mesh->m_vertices.size() + mesh->m_texcoords.size() + mesh->m_normals.size(), 9u);
        EXPECT_EQ(mesh->m_corners, (std::vector<Corner>{{0, 0, 0}, {1, 1, 1}, {2, 2, 2}}));
        mesh->ComputeNormals();
        // Out-of-array reads would trip the sanitizers.
        fakegl::Drawn(*mesh);
        EXPECT_EQ(fakegl::GetState().errors, 0);
        EXPECT_EQ(fakegl::Count("glVertex3dv"), 3);
    }
}

TEST(MeshNormals, AverageUnitFaceNormalsAndPointUpWhereThereAreNone)
{
    const double r = std::sqrt(0.5), x = std::cos(M_PI / 8), z = std::sin(M_PI / 8);
    const struct
    {
        std::string vertices, faces;
        std::vector<CSGVec4> normals; // replacing the file's one
    } cases[] = {
        // Unit normals whatever the area: small triangle 1-2-3 faces +z,
        // large 1-3-4 faces (1, 0, -1); 1 and 3 take the direction between.
        {"v 0 0 0\nv 1 0 0\nv 0 1 0\nv 100 0 100\n",
         "f 1/1/1 2/1/1 3/1/1\nf 1/1/1 3/1/1 4/1/1\n",
         {{x, 0, z}, {0, 0, 1}, {x, 0, z}, {r, 0, -r}}},
        // Triangle 1-2-3 is a line; vertex 7 is used by nobody; 4-5-6 is huge.
        {"v 0 0 0\nv 1 1 1\nv 2 2 2\nv 0 0 0\nv 1e300 0 0\nv 0 1e300 0\nv 5 5 5\n",
         "f 1/1/1 2/1/1 3/1/1\nf 4/1/1 5/1/1 6/1/1\n",
         {{0, 1, 0}, {0, 1, 0}, {0, 1, 0}, {0, 0, 1}, {0, 0, 1}, {0, 0, 1}, {0, 1, 0}}},
    };
    for (const auto& c : cases)
    {
        auto mesh = Load(c.vertices + "vt 0 0\nvn 9 9 9\n" + c.faces);
        mesh->ComputeNormals();
        ASSERT_EQ(mesh->m_normals.size(), c.normals.size());
        for (std::size_t k = 0; k < c.normals.size(); ++k)
        {
            SCOPED_TRACE(c.vertices + " vertex " + std::to_string(k + 1));
            EXPECT_NEAR(mesh->m_normals[k].x, c.normals[k].x, 1e-8);
            EXPECT_NEAR(mesh->m_normals[k].y, c.normals[k].y, 1e-8);
            EXPECT_NEAR(mesh->m_normals[k].z, c.normals[k].z, 1e-8);
            EXPECT_EQ(mesh->m_normals[k].w, 0.0);
        }
    }
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
        fakegl::kTexture +
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
    fakegl::Drawn(mesh);
    EXPECT_NE(fakegl::Text().find("glBegin(GL_TRIANGLES) glNormal3dv(9,0,0) glVertex3dv(0,4,0) "
                                  "glNormal3dv(0,0,0) glVertex3dv(0,0,0) glNormal3dv(1,0,0) "
                                  "glVertex3dv(0,1,0) glEnd()"),
              std::string::npos)
        << fakegl::Text();
}
