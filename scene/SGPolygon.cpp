#include "scene/SGPolygon.h"

#include <GL/gl.h>

#include "scene/SGSelection.h"

#include <cstddef>

void CSGPolygon::Render()
{
    const bool textured = static_cast<bool>(m_texture);
    if (textured)
        m_texture->Render();
    RenderGeometry();
    if (textured)
        glDisable(GL_TEXTURE_2D);
}

void CSGPolygon::RenderGeometry() const
{
    glBegin(GL_POLYGON);
    for (std::size_t i = 0; i < m_vertices.size(); ++i)
    {
        if (i < m_normals.size())
            glNormal3dv(&m_normals[i].x);
        if (i < m_texcoords.size())
            glTexCoord2dv(&m_texcoords[i].x);
        glVertex3dv(&m_vertices[i].x);
    }
    glEnd();
}

void CSGPolygon::Select(CSGSelection& selection)
{
    // Texture and normals change nothing that a pick can find.
    selection.Polygon(m_vertices.data(), m_vertices.size());
}
