#pragma once
// Closed cylinder about the z axis, z = 0 to z = height: a chip.

#include "scene/SGNodeObject.h"
#include "scene/SGPtr.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class CSGPolygon;

class CSGCylinder : public CSGNodeObject
{
public:
    // Builds 101 side strips (the loop's last angle falls a hair below 2π,
    // so the last strip repeats the first), then the top and bottom caps.
    CSGCylinder(double radius, double height);

    // A new cylinder of `shape`'s radius and height that draws `shape`'s
    // faces, shared rather than built again: chips of one size differ only
    // in texture and selection name, which stay its own. Faces are never
    // changed once built, so the sharing cannot show.
    static CSGCylinder* SharingFaces(const CSGCylinder& shape);

    // The i-th face, not owned by the caller; null past the end.
    CSGPolygon* Face(std::size_t i) const;

    // Draws the texture (if any) and every face under the selection name
    // (if not -1), then switches texturing off.
    void Render() override;
    void Select(CSGSelection& selection) override;

    double m_radius;
    double m_height;
    double m_step;
    std::int32_t m_name = -1;
    std::vector<CSGPtr> m_polygons; // sides in angle order, top cap, bottom cap
    CSGPtr m_texture;               // released before the faces

private:
    CSGCylinder(const CSGCylinder& shape, bool shareFaces);
};
