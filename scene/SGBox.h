#pragma once
// Axis-aligned box [0, W] x [0, H] x [0, D] of six faces sharing one texture.

#include "scene/SGNode.h"
#include "scene/SGPtr.h"
#include "scene/SGVec4.h"

#include <cstddef>
#include <vector>

class CSGPolygon;

class CSGBox : public CSGNode
{
public:
    // Builds the six faces: x = 0, x = W, y = H, y = 0, z = D, z = 0, each
    // counter-clockwise seen from outside and mapping the whole image once.
    CSGBox(double width, double height, double depth);

    // Gives `face` (a CSGPolygon) the one normal, the corners a, b, c, d with
    // image corners (0,0), (1,0), (1,1), (0,1), and appends it to
    // m_polygons. Does nothing for a node that is not a polygon.
    void AddFace(CSGPtr face, CSGVec4 a, CSGVec4 b, CSGVec4 c, CSGVec4 d, CSGVec4 normal);

    // The i-th face, not owned by the caller; null past the end.
    CSGPolygon* Face(std::size_t i) const;

    // Draws the texture once for all faces, the faces, then switches
    // texturing off.
    void Render() override;
    void Select(CSGSelection& selection) override;

    double m_width;
    double m_height;
    double m_depth;
    std::vector<CSGPtr> m_polygons;
    CSGPtr m_texture; // released before the faces
};
