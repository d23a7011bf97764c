#include "scene/SGMesh.h"

#include <GL/gl.h>

#include "scene/SGSelection.h"

// LoadObj and ComputeNormals live with the other readers, in assets/MeshObj.cpp.

void CSGMesh::Render()
{
    ApplyMaterial();
    const bool textured = static_cast<bool>(m_texture);
    const bool named = m_name != -1;
    if (textured)
        m_texture->Render();
    if (named)
        glPushName(static_cast<GLuint>(m_name));
    glBegin(GL_TRIANGLES);
    const bool withTexcoords = !m_texcoords.empty();
    const std::size_t triangles = m_corners.size() / 3;
    for (std::size_t k = 0; k < triangles; ++k)
    {
        // The reader drops bad faces, but ComputeNormals shrinks m_normals to
        // the vertex count, so a file's normal index can still fall outside.
        if (!CornersInRange(3 * k))
            continue;
        for (std::size_t i = 3 * k; i < 3 * k + 3; ++i)
        {
            const Corner& c = m_corners[i];
            glNormal3dv(&m_normals[c.normal].x);
            if (withTexcoords)
                glTexCoord2dv(&m_texcoords[c.texcoord].x);
            glVertex3dv(&m_vertices[c.vertex].x);
        }
    }
    glEnd();
    if (named)
        glPopName();
    if (textured)
        glDisable(GL_TEXTURE_2D);
    RestoreMaterial();
}

void CSGMesh::Select(CSGSelection& selection)
{
    const bool named = m_name != -1;
    if (named)
        selection.PushName(static_cast<std::uint32_t>(m_name));
    const std::size_t triangles = m_corners.size() / 3;
    for (std::size_t k = 0; k < triangles; ++k)
    {
        if (!CornersInRange(3 * k))
            continue;
        const CSGVec4 corners[3] = {m_vertices[m_corners[3 * k].vertex],
                                    m_vertices[m_corners[3 * k + 1].vertex],
                                    m_vertices[m_corners[3 * k + 2].vertex]};
        selection.Polygon(corners, 3);
    }
    if (named)
        selection.PopName();
}
