// Geometry numbers (the fake prints 6 significant digits) and the calls
// that bracket the faces of each shape, the texture node's lazy upload and
// the square hint's outline.

#include "scene/SGBox.h"
#include "scene/SGCylinder.h"
#include "scene/SGPolygon.h"
#include "scene/SGSquareHint.h"
#include "scene/SGSquareMark.h"
#include "scene/SGTexture.h"
#include "scene/SGdravoCylinder.h"
#include "tests/fakegl/FakeGL.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using fakegl::Drawn;
using fakegl::kTexture;

TEST(SGPolygon, InterleavesNormalTexcoordAndVertexInsideTextureCalls)
{
    CSGPolygon face;
    face.m_texture = new CSGTexture;
    face.m_normals = {{0, 0, 1}};
    face.m_vertices = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}};
    face.m_texcoords = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {9, 9, 0}};
    EXPECT_EQ(Drawn(face), kTexture + " glBegin(GL_POLYGON) glNormal3dv(0,0,1) glTexCoord2dv(0,0) "
                                      "glVertex3dv(0,0,0) glTexCoord2dv(1,0) glVertex3dv(1,0,0) "
                                      "glTexCoord2dv(1,1) glVertex3dv(1,1,0) glEnd() "
                                      "glDisable(GL_TEXTURE_2D)");
    CSGPolygon bare;
    EXPECT_EQ(Drawn(bare), "glBegin(GL_POLYGON) glEnd()");
}

TEST(SGBox, SixFacesCornerAtOriginTextureDrawnOnceAroundThem)
{
    auto* box = new CSGBox(2, 3, 5);
    CSGPtr hold(box);
    ASSERT_EQ(box->m_polygons.size(), 6u);
    EXPECT_EQ(Drawn(*box->Face(0)),
              "glBegin(GL_POLYGON) glNormal3dv(-1,0,0) glTexCoord2dv(0,0) glVertex3dv(0,0,0) "
              "glTexCoord2dv(1,0) glVertex3dv(0,0,5) glTexCoord2dv(1,1) glVertex3dv(0,3,5) "
              "glTexCoord2dv(0,1) glVertex3dv(0,3,0) glEnd()");
    EXPECT_EQ(Drawn(*box->Face(5)),
              "glBegin(GL_POLYGON) glNormal3dv(0,0,-1) glTexCoord2dv(0,0) glVertex3dv(0,0,0) "
              "glTexCoord2dv(1,0) glVertex3dv(0,3,0) glTexCoord2dv(1,1) glVertex3dv(2,3,0) "
              "glTexCoord2dv(0,1) glVertex3dv(2,0,0) glEnd()");

    const std::string bare = Drawn(*box);
    EXPECT_EQ(fakegl::Count("glBegin"), 6);
    EXPECT_EQ(bare.find("GL_TEXTURE_2D"), std::string::npos);
    box->m_texture = new CSGTexture;
    EXPECT_EQ(Drawn(*box), kTexture + " " + bare + " glDisable(GL_TEXTURE_2D)");
}

TEST(SGCylinder, AccumulatedAngleGives101StripsAndTwoCapsUnderNameAndTexture)
{
    CSGCylinder chip(0.4, 0.1);
    ASSERT_EQ(chip.m_polygons.size(), 103u);
    EXPECT_EQ(Drawn(*chip.Face(0)),
              "glBegin(GL_POLYGON) glNormal3dv(0.999507,0.0314108,0) glTexCoord2dv(0,0) "
              "glVertex3dv(0.4,0,0) glTexCoord2dv(1,0) glVertex3dv(0.399211,0.0251162,0) "
              "glTexCoord2dv(1,1) glVertex3dv(0.399211,0.0251162,0.1) glTexCoord2dv(0,1) "
              "glVertex3dv(0.4,0,0.1) glEnd()");
    // The 101st strip starts a hair below 2π and repeats the first.
    EXPECT_NE(Drawn(*chip.Face(100)).find("glTexCoord2dv(0,0) glVertex3dv(0.4,-3.65069e-15,0)"),
              std::string::npos);

    const CSGPolygon* top = chip.Face(101);
    const CSGPolygon* bottom = chip.Face(102);
    ASSERT_EQ(top->m_vertices.size(), 101u);
    ASSERT_EQ(bottom->m_vertices.size(), 101u);
    EXPECT_EQ(top->m_vertices[0], (CSGVec4{0.4, 0, 0.1, 1}));
    EXPECT_EQ(top->m_texcoords[0], (CSGVec4{0.4, 0, 0, 1}));
    EXPECT_EQ(top->m_normals[0], (CSGVec4{0, 0, 1, 1}));
    EXPECT_EQ(bottom->m_normals[0], (CSGVec4{0, 0, -1, 1}));
    EXPECT_EQ(bottom->m_vertices[0].x, 0.4);
    EXPECT_NEAR(bottom->m_vertices[0].y, -9.8e-17, 1e-18); // the angle 2π itself
    EXPECT_LT(bottom->m_vertices[1].y, 0.0);               // clockwise seen from +z

    const std::string bare = Drawn(chip);
    EXPECT_EQ(fakegl::Count("glBegin"), 103);
    chip.m_name = 7;
    chip.m_texture = new CSGTexture;
    EXPECT_EQ(Drawn(chip),
              kTexture + " glPushName(7) " + bare + " glPopName() glDisable(GL_TEXTURE_2D)");
}

TEST(SGdravoCylinder, HalfCylinderOf50StripsAndAFlatFaceInsideOneBindOfTheTexture)
{
    CSGdravoCylinder rail(0.4, 0.1);
    ASSERT_EQ(rail.m_polygons.size(), 53u);
    // Strip 50 runs from 3.078760800518 to a hair past π.
    EXPECT_EQ(
        Drawn(*rail.Face(49)),
        "glBegin(GL_POLYGON) glNormal3dv(-0.999507,0.0314108,0) glTexCoord2dv(0.98,0) "
        "glVertex3dv(-0.399211,0.0251162,0) glTexCoord2dv(1,0) glVertex3dv(-0.4,-1.01683e-15,0) "
        "glTexCoord2dv(1,1) glVertex3dv(-0.4,-1.01683e-15,0.1) glTexCoord2dv(0.98,1) "
        "glVertex3dv(-0.399211,0.0251162,0.1) glEnd()");
    EXPECT_EQ(Drawn(*rail.Face(50)),
              "glBegin(GL_POLYGON) glNormal3dv(0,1,0) glVertex3dv(0.4,0,0.1) "
              "glVertex3dv(-0.399211,0.0251162,0.1) glVertex3dv(-0.4,4.89859e-17,0) "
              "glVertex3dv(0.399211,0.0251162,0) glEnd()");
    EXPECT_EQ(rail.Face(51)->m_vertices.size(), 50u);
    EXPECT_EQ(rail.Face(52)->m_vertices.size(), 50u);
    EXPECT_EQ(rail.Face(52)->m_normals[0], (CSGVec4{0, 0, -1, 1}));

    // One bind around the faces that share a texture, the same faces in the
    // same order inside it; a face with another texture breaks the run.
    const std::string bare = Drawn(rail);
    EXPECT_EQ(fakegl::Count("glBegin"), 53);
    rail.SetTexture(CSGPtr(new CSGTexture));
    EXPECT_EQ(Drawn(rail), kTexture + " " + bare + " glDisable(GL_TEXTURE_2D)");
    rail.Face(50)->m_texture = CSGPtr(); // the flat face
    Drawn(rail);
    EXPECT_EQ(fakegl::Count("glBindTexture"), 2);
    EXPECT_EQ(fakegl::Count("glDisable"), 2);
    EXPECT_NE(
        fakegl::Text().find("glDisable(GL_TEXTURE_2D) glBegin(GL_POLYGON) glNormal3dv(0,1,0)"),
        std::string::npos);
}

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

TEST(SGSquareHint, DrawsGreenOutlineAndLeavesAmbientAndLineSmoothingAsFound)
{
    CSGSquareHint hint;
    EXPECT_EQ(Drawn(hint), "glGetMaterialfv(GL_FRONT,GL_AMBIENT) glIsEnabled(GL_LINE_SMOOTH) "
                           "glEnable(GL_LINE_SMOOTH) "
                           "glMaterialfv(GL_FRONT,GL_AMBIENT,0.2,1,0.2,1) glLineWidth(1) "
                           "glBegin(GL_LINE_LOOP) glVertex3d(0.5,0,-0.5) glVertex3d(0.5,0,0.5) "
                           "glVertex3d(-0.5,0,0.5) glVertex3d(-0.5,0,-0.5) glEnd() "
                           "glBegin(GL_LINES) glVertex3d(0.5,0,-0.5) glVertex3d(-0.5,0,0.5) "
                           "glVertex3d(0.5,0,0.5) glVertex3d(-0.5,0,-0.5) glEnd() "
                           "glMaterialfv(GL_FRONT,GL_AMBIENT,0.2,0.2,0.2,1) "
                           "glDisable(GL_LINE_SMOOTH)");
    // Left on, smoothing reached every later frame: Mesa's software renderer
    // then held some 120 MB more while the camera turned over a narrow view.
    EXPECT_FALSE(fakegl::GetState().enabled.contains(GL_LINE_SMOOTH));

    // Found on, it stays on.
    fakegl::Reset();
    glEnable(GL_LINE_SMOOTH);
    hint.Render();
    EXPECT_EQ(fakegl::Count("glDisable"), 0);
    EXPECT_TRUE(fakegl::GetState().enabled.contains(GL_LINE_SMOOTH));
}

TEST(SGSquareMark, FacesUpInItsOwnColourAndLeavesMaterialAndBlendingAsFound)
{
    CSGSquareMark frame;
    frame.m_colour[0] = 1.0f, frame.m_colour[1] = 0.5f, frame.m_colour[2] = 0.0f;
    frame.m_outer = 0.4;
    frame.m_inner = 0.3;
    const std::string drawn = Drawn(frame);
    // Emitted, not lit: the same colour from every side of the board.
    EXPECT_NE(drawn.find("glMaterialfv(GL_FRONT,GL_AMBIENT,0,0,0,1) "
                         "glMaterialfv(GL_FRONT,GL_DIFFUSE,0,0,0,1) "
                         "glMaterialfv(GL_FRONT,GL_EMISSION,1,0.5,0,1) "
                         "glBegin(GL_QUADS) glNormal3d(0,1,0) "
                         "glVertex3d(-0.4,0,-0.4) glVertex3d(-0.4,0,0.4) glVertex3d(-0.3,0,0.4)"),
              std::string::npos)
        << drawn;
    EXPECT_EQ(fakegl::Count("glVertex3d"), 16) << "a frame of four quads";
    EXPECT_EQ(fakegl::Count("glEnable") + fakegl::Count("glBlendFunc"), 0) << "opaque: no blending";
    EXPECT_TRUE(drawn.ends_with("glMaterialfv(GL_FRONT,GL_EMISSION,0,0,0,1) "
                                "glMaterialfv(GL_FRONT,GL_DIFFUSE,0.8,0.8,0.8,1) "
                                "glMaterialfv(GL_FRONT,GL_AMBIENT,0.2,0.2,0.2,1)"))
        << drawn;
    EXPECT_EQ(fakegl::GetState().errors, 0);

    // A translucent tint blends, and leaves blending off as it found it.
    CSGSquareMark tint;
    tint.m_colour[3] = 0.5f;
    EXPECT_NE(
        Drawn(tint).find("glEnable(GL_BLEND) glBlendFunc(GL_SRC_ALPHA,GL_ONE_MINUS_SRC_ALPHA)"),
        std::string::npos);
    EXPECT_EQ(fakegl::Count("glVertex3d"), 4) << "filled: one quad";
    EXPECT_FALSE(fakegl::GetState().enabled.contains(GL_BLEND));
}
