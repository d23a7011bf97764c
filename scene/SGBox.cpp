#include "scene/SGBox.h"

#include "scene/SGPolygon.h"

#include <GL/gl.h>

#include <utility>

CSGBox::CSGBox(double width, double height, double depth)
    : m_width(width), m_height(height), m_depth(depth)
{
    const double w = width;
    const double h = height;
    const double d = depth;
    CSGPtr faces[6];
    for (CSGPtr& face : faces)
        face = new CSGPolygon;
    AddFace(faces[0], {0, 0, 0}, {0, 0, d}, {0, h, d}, {0, h, 0}, {-1, 0, 0});
    AddFace(faces[1], {w, 0, d}, {w, 0, 0}, {w, h, 0}, {w, h, d}, {1, 0, 0});
    AddFace(faces[2], {0, h, d}, {w, h, d}, {w, h, 0}, {0, h, 0}, {0, 1, 0});
    AddFace(faces[3], {w, 0, d}, {0, 0, d}, {0, 0, 0}, {w, 0, 0}, {0, -1, 0});
    AddFace(faces[4], {0, 0, d}, {w, 0, d}, {w, h, d}, {0, h, d}, {0, 0, 1});
    AddFace(faces[5], {0, 0, 0}, {0, h, 0}, {w, h, 0}, {w, 0, 0}, {0, 0, -1});
    // The local pointers go here; each face stays held once, by m_polygons.
}

void CSGBox::AddFace(CSGPtr face, CSGVec4 a, CSGVec4 b, CSGVec4 c, CSGVec4 d, CSGVec4 normal)
{
    auto* polygon = dynamic_cast<CSGPolygon*>(face.get());
    if (!polygon)
        return;
    polygon->m_normals.push_back(normal);
    polygon->m_texcoords.push_back({0, 0, 0, 1});
    polygon->m_vertices.push_back(a);
    polygon->m_texcoords.push_back({1, 0, 0, 1});
    polygon->m_vertices.push_back(b);
    polygon->m_texcoords.push_back({1, 1, 0, 1});
    polygon->m_vertices.push_back(c);
    polygon->m_texcoords.push_back({0, 1, 0, 1});
    polygon->m_vertices.push_back(d);
    m_polygons.push_back(std::move(face));
}

CSGPolygon* CSGBox::Face(std::size_t i) const
{
    // Every entry was made a CSGPolygon by AddFace.
    return i < m_polygons.size() ? static_cast<CSGPolygon*>(m_polygons[i].get()) : nullptr;
}

void CSGBox::Render()
{
    const bool textured = static_cast<bool>(m_texture);
    if (textured)
        m_texture->Render();
    for (const CSGPtr& face : m_polygons)
        face->Render();
    if (textured)
        glDisable(GL_TEXTURE_2D);
}

void CSGBox::Select(CSGSelection& selection)
{
    for (const CSGPtr& face : m_polygons)
        face->Select(selection);
}
