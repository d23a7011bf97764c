#pragma once
// Half cylinder (y >= 0) about the z axis, closed by a flat face along the
// diameter: the board's rails.

#include "scene/SGNode.h"
#include "scene/SGPtr.h"

#include <cstddef>
#include <vector>

class CSGPolygon;

class CSGdravoCylinder : public CSGNode
{
public:
    // Builds 50 side strips over 0 to π with the image stretched once around
    // them, then the flat face, the top cap and the bottom cap.
    CSGdravoCylinder(double radius, double height);

    // Makes `texture` (may be null) the texture of every face, each face
    // counting it once.
    void SetTexture(CSGPtr texture);

    // The i-th face, not owned by the caller; null past the end.
    CSGPolygon* Face(std::size_t i) const;

    // Draws every face in order, with each face's texture bound around it;
    // a run of faces sharing one texture node binds it once.
    void Render() override;
    void Select(CSGSelection& selection) override;

    double m_radius;
    double m_height;
    double m_step;
    std::vector<CSGPtr> m_polygons; // sides, flat face, top cap, bottom cap
};
