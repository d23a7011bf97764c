#include "scene/SGBox.h"
#include "scene/SGCylinder.h"
#include "scene/SGPolygon.h"
#include "scene/SGdravoCylinder.h"
#include "tests/fakegl/FakeGL.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

// A face as drawn: the fake prints numbers to 6 significant digits.
std::string Drawn(CSGPolygon* face)
{
    fakegl::Reset();
    face->Render();
    return fakegl::Text();
}

} // namespace

TEST(SGBox, SixFacesHeldOnceWithCornerAtOrigin)
{
    auto* box = new CSGBox(2, 3, 5);
    EXPECT_EQ(box->m_refs, 0);
    CSGPtr hold(box);
    ASSERT_EQ(box->m_polygons.size(), 6u);
    for (const CSGPtr& face : box->m_polygons)
        EXPECT_EQ(face->m_refs, 1);
    EXPECT_EQ(Drawn(box->Face(0)),
              "glBegin(GL_POLYGON) glNormal3dv(-1,0,0) glTexCoord2dv(0,0) glVertex3dv(0,0,0) "
              "glTexCoord2dv(1,0) glVertex3dv(0,0,5) glTexCoord2dv(1,1) glVertex3dv(0,3,5) "
              "glTexCoord2dv(0,1) glVertex3dv(0,3,0) glEnd()");
    EXPECT_EQ(Drawn(box->Face(5)),
              "glBegin(GL_POLYGON) glNormal3dv(0,0,-1) glTexCoord2dv(0,0) glVertex3dv(0,0,0) "
              "glTexCoord2dv(1,0) glVertex3dv(0,3,0) glTexCoord2dv(1,1) glVertex3dv(2,3,0) "
              "glTexCoord2dv(0,1) glVertex3dv(2,0,0) glEnd()");
    EXPECT_EQ(box->Face(5)->m_normals[0].w, 1.0);
}

TEST(SGCylinder, AccumulatedAngleGives101StripsAndTwoCaps)
{
    CSGCylinder chip(0.4, 0.1);
    ASSERT_EQ(chip.m_polygons.size(), 103u);
    EXPECT_EQ(Drawn(chip.Face(0)),
              "glBegin(GL_POLYGON) glNormal3dv(0.999507,0.0314108,0) glTexCoord2dv(0,0) "
              "glVertex3dv(0.4,0,0) glTexCoord2dv(1,0) glVertex3dv(0.399211,0.0251162,0) "
              "glTexCoord2dv(1,1) glVertex3dv(0.399211,0.0251162,0.1) glTexCoord2dv(0,1) "
              "glVertex3dv(0.4,0,0.1) glEnd()");
    // The 101st strip starts a hair below 2π and repeats the first.
    EXPECT_NE(Drawn(chip.Face(100)).find("glTexCoord2dv(0,0) glVertex3dv(0.4,-3.65069e-15,0)"),
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
}

TEST(SGdravoCylinder, HalfCylinderHas50StripsAndFlatFaceOnTheChords)
{
    CSGdravoCylinder rail(0.4, 0.1);
    ASSERT_EQ(rail.m_polygons.size(), 53u);
    // Strip 50 runs from 3.078760800518 to a hair past π.
    EXPECT_EQ(
        Drawn(rail.Face(49)),
        "glBegin(GL_POLYGON) glNormal3dv(-0.999507,0.0314108,0) glTexCoord2dv(0.98,0) "
        "glVertex3dv(-0.399211,0.0251162,0) glTexCoord2dv(1,0) glVertex3dv(-0.4,-1.01683e-15,0) "
        "glTexCoord2dv(1,1) glVertex3dv(-0.4,-1.01683e-15,0.1) glTexCoord2dv(0.98,1) "
        "glVertex3dv(-0.399211,0.0251162,0.1) glEnd()");
    EXPECT_EQ(Drawn(rail.Face(50)),
              "glBegin(GL_POLYGON) glNormal3dv(0,1,0) glVertex3dv(0.4,0,0.1) "
              "glVertex3dv(-0.399211,0.0251162,0.1) glVertex3dv(-0.4,4.89859e-17,0) "
              "glVertex3dv(0.399211,0.0251162,0) glEnd()");
    EXPECT_EQ(rail.Face(51)->m_vertices.size(), 50u);
    EXPECT_EQ(rail.Face(52)->m_vertices.size(), 50u);
    EXPECT_EQ(rail.Face(52)->m_normals[0], (CSGVec4{0, 0, -1, 1}));
}
