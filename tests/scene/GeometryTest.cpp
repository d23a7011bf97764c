#include "scene/SGBox.h"
#include "scene/SGCylinder.h"
#include "scene/SGPolygon.h"
#include "scene/SGVec4.h"
#include "scene/SGdravoCylinder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <vector>

// Where gtest's printer finds it by argument-dependent lookup.
static std::ostream& operator<<(std::ostream& out, const CSGVec4& v)
{
    return out << '(' << v.x << ", " << v.y << ", " << v.z << ", " << v.w << ')';
}

namespace
{

// Compares x, y, z and w to within 1e-6.
::testing::AssertionResult Near(const CSGVec4& actual, const CSGVec4& expected)
{
    const double tol = 1e-6;
    if (std::abs(actual.x - expected.x) <= tol && std::abs(actual.y - expected.y) <= tol &&
        std::abs(actual.z - expected.z) <= tol && std::abs(actual.w - expected.w) <= tol)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << actual << " is not " << expected;
}

void ExpectFace(const CSGPolygon* face, const std::vector<CSGVec4>& vertices,
                const std::vector<CSGVec4>& normals, const std::vector<CSGVec4>& texcoords)
{
    ASSERT_NE(face, nullptr);
    ASSERT_EQ(face->m_vertices.size(), vertices.size());
    ASSERT_EQ(face->m_normals.size(), normals.size());
    ASSERT_EQ(face->m_texcoords.size(), texcoords.size());
    for (std::size_t i = 0; i < vertices.size(); ++i)
        EXPECT_TRUE(Near(face->m_vertices[i], vertices[i])) << "vertex " << i;
    for (std::size_t i = 0; i < normals.size(); ++i)
        EXPECT_TRUE(Near(face->m_normals[i], normals[i])) << "normal " << i;
    for (std::size_t i = 0; i < texcoords.size(); ++i)
        EXPECT_TRUE(Near(face->m_texcoords[i], texcoords[i])) << "texcoord " << i;
}

const std::vector<CSGVec4> kWholeImage = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};

} // namespace

TEST(SGBox, SixFacesHeldOnceWithCornerAtOrigin)
{
    auto* box = new CSGBox(2, 3, 5);
    EXPECT_EQ(box->m_refs, 0);
    CSGPtr hold(box);
    ASSERT_EQ(box->m_polygons.size(), 6u);
    for (const CSGPtr& face : box->m_polygons)
        EXPECT_EQ(face->m_refs, 1);
    ExpectFace(box->Face(0), {{0, 0, 0}, {0, 0, 5}, {0, 3, 5}, {0, 3, 0}}, {{-1, 0, 0}},
               kWholeImage);
    ExpectFace(box->Face(2), {{0, 3, 5}, {2, 3, 5}, {2, 3, 0}, {0, 3, 0}}, {{0, 1, 0}},
               kWholeImage);
    ExpectFace(box->Face(5), {{0, 0, 0}, {0, 3, 0}, {2, 3, 0}, {2, 0, 0}}, {{0, 0, -1}},
               kWholeImage);
    EXPECT_EQ(box->Face(6), nullptr);
}

TEST(SGCylinder, AccumulatedAngleGives101StripsAndTwoCaps)
{
    CSGCylinder chip(0.4, 0.1);
    ASSERT_EQ(chip.m_polygons.size(), 103u);
    EXPECT_EQ(chip.m_step, 0.06283185307179587);
    ExpectFace(chip.Face(0),
               {{0.4, 0, 0}, {0.399211, 0.0251162, 0}, {0.399211, 0.0251162, 0.1}, {0.4, 0, 0.1}},
               {{0.999507, 0.0314108, 0}}, kWholeImage);
    // The 101st strip starts a hair below 2π and repeats the first.
    const CSGPolygon* last = chip.Face(100);
    EXPECT_TRUE(Near(last->m_vertices[0], {0.4, 0, 0}));
    EXPECT_LT(last->m_vertices[0].y, 0.0);

    const CSGPolygon* top = chip.Face(101);
    const CSGPolygon* bottom = chip.Face(102);
    ASSERT_EQ(top->m_vertices.size(), 101u);
    ASSERT_EQ(bottom->m_vertices.size(), 101u);
    EXPECT_TRUE(Near(top->m_vertices[0], {0.4, 0, 0.1}));
    EXPECT_TRUE(Near(top->m_texcoords[0], {0.4, 0, 0}));
    EXPECT_TRUE(Near(top->m_normals[0], {0, 0, 1}));
    EXPECT_TRUE(Near(bottom->m_vertices[0], {0.4, 0, 0}));
    EXPECT_NEAR(bottom->m_vertices[0].y, -9.8e-17, 1e-18); // the angle 2π itself
    EXPECT_TRUE(Near(bottom->m_normals[0], {0, 0, -1}));
    // Clockwise seen from +z: the second corner lies below the x axis.
    EXPECT_LT(bottom->m_vertices[1].y, 0.0);
}

TEST(SGdravoCylinder, HalfCylinderHas50StripsAndFlatFaceOnTheChords)
{
    CSGdravoCylinder rail(0.4, 0.1);
    ASSERT_EQ(rail.m_polygons.size(), 53u);
    const CSGPolygon* lastStrip = rail.Face(49);
    EXPECT_TRUE(Near(lastStrip->m_vertices[1], {-0.4, 0, 0}));
    EXPECT_NEAR(lastStrip->m_vertices[1].y, -1.0e-15, 1e-16);
    const CSGVec4 start{0.4 * std::cos(3.078760800518), 0.4 * std::sin(3.078760800518), 0};
    EXPECT_TRUE(Near(lastStrip->m_vertices[0], start));
    ExpectFace(lastStrip, lastStrip->m_vertices, lastStrip->m_normals,
               {{0.98, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0.98, 1, 0}});

    ExpectFace(rail.Face(50),
               {{0.4, 0, 0.1}, {-0.399211, 0.0251162, 0.1}, {-0.4, 0, 0}, {0.399211, 0.0251162, 0}},
               {{0, 1, 0}}, {});
    EXPECT_NEAR(rail.Face(50)->m_vertices[2].y, 4.9e-17, 1e-18);
    EXPECT_EQ(rail.Face(51)->m_vertices.size(), 50u);
    EXPECT_EQ(rail.Face(52)->m_vertices.size(), 50u);
    EXPECT_TRUE(Near(rail.Face(52)->m_vertices[0], {-0.4, 0, 0}));
}
