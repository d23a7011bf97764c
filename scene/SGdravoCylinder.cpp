#include "scene/SGdravoCylinder.h"

#include "scene/SGPolygon.h"
#include "scene/SGSideFace.h"

#include <GL/gl.h>

#include <cmath>

CSGdravoCylinder::CSGdravoCylinder(double radius, double height)
    : m_radius(radius), m_height(height), m_step(kSGStep)
{
    const double r = radius;
    const double h = height;
    const double s = m_step;
    m_polygons.reserve(53);

    // Accumulated angles, compared exactly as written: 50 strips, 50 corners
    // per cap, and the flat face's corners at the caps' closing chords.
    for (double a = 0.0; a < kSGPi; a = s + a)
    {
        const CSGVec4 t[4] = {{a / kSGPi, 0, 0, 1},
                              {s / kSGPi + a / kSGPi, 0, 0, 1},
                              {s / kSGPi + a / kSGPi, 1, 0, 1},
                              {a / kSGPi, 1, 0, 1}};
        AddSGSideFace(m_polygons, r, h, s, a, t);
    }

    auto* top = new CSGPolygon;
    CSGPtr holdTop(top);
    auto* bottom = new CSGPolygon;
    CSGPtr holdBottom(bottom);
    auto* flat = new CSGPolygon;
    CSGPtr holdFlat(flat);
    for (double a = 0.0; a < kSGPi; a = s + a)
    {
        const double x = r * std::cos(a);
        const double y = r * std::sin(a);
        if (a == 0.0 || s + a >= kSGPi)
            flat->m_vertices.push_back({x, y, h});
        top->m_normals.push_back({0, 0, 1, 1});
        top->m_texcoords.push_back({x, y, 0, 1});
        top->m_vertices.push_back({x, y, h});
    }
    for (double a = kSGPi; a > 0; a = a - s)
    {
        const double x = r * std::cos(a);
        const double y = r * std::sin(a);
        if (a == kSGPi || a - s <= 0.0)
            flat->m_vertices.push_back({x, y, 0});
        bottom->m_normals.push_back({0, 0, -1, 1});
        bottom->m_texcoords.push_back({x, y, 0, 1});
        bottom->m_vertices.push_back({x, y, 0});
    }
    // No texture coordinates: the flat face keeps the last ones set.
    flat->m_normals.push_back({0, 1, 0, 1});
    m_polygons.push_back(std::move(holdFlat));
    m_polygons.push_back(std::move(holdTop));
    m_polygons.push_back(std::move(holdBottom));
}

void CSGdravoCylinder::SetTexture(CSGPtr texture)
{
    for (std::size_t i = 0; i < m_polygons.size(); ++i)
        Face(i)->m_texture = texture;
}

CSGPolygon* CSGdravoCylinder::Face(std::size_t i) const
{
    // Every entry was built as a CSGPolygon by the constructor.
    return i < m_polygons.size() ? static_cast<CSGPolygon*>(m_polygons[i].get()) : nullptr;
}

void CSGdravoCylinder::Render()
{
    // Faces in a row that share a texture node are drawn inside one bind of
    // it. Mesa's software rasterizer keeps a copy of its whole drawing state
    // for every texture switch in a frame, about 64 kB each: face by face,
    // the two rails cost 6.9 MB of the first frame's memory; bound once, the
    // picture is the same to the pixel.
    std::size_t i = 0;
    while (i < m_polygons.size())
    {
        CSGNode* const texture = Face(i)->m_texture.get();
        std::size_t end = i + 1;
        while (end < m_polygons.size() && Face(end)->m_texture.get() == texture)
            ++end;
        if (texture)
            texture->Render();
        for (; i < end; ++i)
            Face(i)->RenderGeometry();
        if (texture)
            glDisable(GL_TEXTURE_2D);
    }
}

void CSGdravoCylinder::Select(CSGSelection& selection)
{
    for (const CSGPtr& face : m_polygons)
        face->Select(selection);
}
