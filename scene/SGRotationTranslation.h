#pragma once
// Translation and rotation (T·R) applied to an ordered list of children.

#include "scene/SGNode.h"
#include "scene/SGPtr.h"

#include <cstddef>
#include <vector>

class CSGRotationTranslation : public CSGNode
{
public:
    // Appends `child` (counted once more); no check for null or duplicates.
    void AddChild(CSGPtr child);
    // The i-th child, not owned by the caller; null past the end.
    CSGNode* Child(std::size_t i) const;

    // Translates, then rotates when the angle is not 0, then draws the
    // children. With m_pushMatrix false the matrix is neither pushed nor
    // popped, and the direct children are told to leave theirs too.
    void Render() override;
    void Select(CSGSelection& selection) override;

    // Sets the rotation (degrees about the axis x, y, z) in one call.
    void SetRotation(double angle, double x, double y, double z)
    {
        m_angle = angle;
        m_axis[0] = x;
        m_axis[1] = y;
        m_axis[2] = z;
    }
    void SetTranslation(double x, double y, double z)
    {
        m_translation[0] = x;
        m_translation[1] = y;
        m_translation[2] = z;
    }

    double m_angle = 0.0; // degrees
    double m_axis[3] = {1.0, 0.0, 0.0};
    double m_translation[3] = {0.0, 0.0, 0.0};
    std::vector<CSGPtr> m_children;
};
