#pragma once
// One convex face with per-vertex normals and texture coordinates.

#include "scene/SGNodeObject.h"
#include "scene/SGPtr.h"
#include "scene/SGVec4.h"

#include <vector>

class CSGPolygon : public CSGNodeObject
{
public:
    // Draws the texture node (if any), then one GL_POLYGON: vertex i gets
    // normal i and texture coordinate i where those exist, else keeps the
    // current ones. Switches texturing off after a textured face.
    void Render() override;
    // The GL_POLYGON alone, for a caller that has bound the texture itself.
    void RenderGeometry() const;
    void Select(CSGSelection& selection) override;

    std::vector<CSGVec4> m_vertices;
    std::vector<CSGVec4> m_normals;   // may be shorter than m_vertices
    std::vector<CSGVec4> m_texcoords; // (s, t, 0, 1); may be shorter or empty
    CSGPtr m_texture;                 // released before the lists
};
