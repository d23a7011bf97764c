#include "scene/SGCylinder.h"

#include "scene/SGPolygon.h"
#include "scene/SGSelection.h"
#include "scene/SGSideFace.h"

#include <GL/gl.h>

#include <cmath>
#include <initializer_list>

CSGCylinder::CSGCylinder(double radius, double height)
    : m_radius(radius), m_height(height), m_step(kSGStep)
{
    const double r = radius;
    const double h = height;
    const double s = m_step;
    m_polygons.reserve(103);

    // The angle is accumulated, never recomputed from a counter: that is
    // what yields 101 strips and 101 cap corners.
    const CSGVec4 whole[4] = {{0, 0, 0, 1}, {1, 0, 0, 1}, {1, 1, 0, 1}, {0, 1, 0, 1}};
    for (double a = 0.0; a < kSGTwoPi; a = a + s)
        AddSGSideFace(m_polygons, r, h, s, a, whole);

    auto* top = new CSGPolygon;
    CSGPtr holdTop(top);
    auto* bottom = new CSGPolygon;
    CSGPtr holdBottom(bottom);
    for (CSGPolygon* cap : {top, bottom})
    {
        cap->m_normals.reserve(101);
        cap->m_texcoords.reserve(101);
        cap->m_vertices.reserve(101);
    }
    // Cap texture coordinates are model units: the wrapping texture tiles.
    for (double a = 0.0; a < kSGTwoPi; a = a + s)
    {
        const double x = r * std::cos(a);
        const double y = r * std::sin(a);
        top->m_normals.push_back({0, 0, 1, 1});
        top->m_texcoords.push_back({x, y, 0, 1});
        top->m_vertices.push_back({x, y, h});
    }
    // Downwards from 2π, so the bottom runs counter-clockwise seen from below.
    for (double a = kSGTwoPi; a > 0; a = a - s)
    {
        const double x = r * std::cos(a);
        const double y = r * std::sin(a);
        bottom->m_normals.push_back({0, 0, -1, 1});
        bottom->m_texcoords.push_back({x, y, 0, 1});
        bottom->m_vertices.push_back({x, y, 0});
    }
    m_polygons.push_back(std::move(holdTop));
    m_polygons.push_back(std::move(holdBottom));
}

CSGCylinder::CSGCylinder(const CSGCylinder& shape, bool)
    : m_radius(shape.m_radius), m_height(shape.m_height), m_step(shape.m_step),
      m_polygons(shape.m_polygons)
{
}

CSGCylinder* CSGCylinder::SharingFaces(const CSGCylinder& shape)
{
    return new CSGCylinder(shape, true);
}

CSGPolygon* CSGCylinder::Face(std::size_t i) const
{
    // Every entry was built as a CSGPolygon by the constructor.
    return i < m_polygons.size() ? static_cast<CSGPolygon*>(m_polygons[i].get()) : nullptr;
}

void CSGCylinder::Render()
{
    const bool textured = static_cast<bool>(m_texture);
    const bool named = m_name != -1;
    if (textured)
        m_texture->Render();
    if (named)
        glPushName(static_cast<GLuint>(m_name));
    for (const CSGPtr& face : m_polygons)
        face->Render();
    if (named)
        glPopName();
    if (textured)
        glDisable(GL_TEXTURE_2D);
}

void CSGCylinder::Select(CSGSelection& selection)
{
    const bool named = m_name != -1;
    if (named)
        selection.PushName(static_cast<std::uint32_t>(m_name));
    for (const CSGPtr& face : m_polygons)
        face->Select(selection);
    if (named)
        selection.PopName();
}
