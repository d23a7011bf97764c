#pragma once
// Ordered list of children drawn inside one pushed matrix.

#include "scene/SGNode.h"
#include "scene/SGPtr.h"

#include <cstddef>
#include <vector>

class CSGComposite : public CSGNode
{
public:
    // Appends `child` (counted once more); no check for null or duplicates.
    void AddChild(CSGPtr child);
    // The i-th child, not owned by the caller; null past the end.
    CSGNode* Child(std::size_t i) const;

    // Pushes the matrix, draws each child with its m_pushMatrix set back to
    // true, pops the matrix.
    void Render() override;
    void Select(CSGSelection& selection) override;

    std::vector<CSGPtr> m_children;
};
