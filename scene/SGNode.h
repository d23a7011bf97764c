#pragma once
// Base of every scene node: a reference count for CSGPtr and the flag that
// tells a transform node whether to keep its matrix to itself.

#include <cstdint>

class CSGSelection;

class CSGNode
{
public:
    CSGNode() = default;
    // Always deleted through this destructor, by the last CSGPtr that lets go.
    virtual ~CSGNode();

    CSGNode(const CSGNode&) = delete;
    CSGNode& operator=(const CSGNode&) = delete;

    // Issues this node's OpenGL calls into the current context; the same
    // calls in render and in selection mode. No failure path.
    virtual void Render() = 0;
    // Feeds the picking pass the same geometry, matrices and names as Render
    // issues, in the same order. Nodes without geometry keep this default,
    // which sends nothing.
    virtual void Select(CSGSelection& selection);

    // Number of CSGPtr holding this node; 0 until the first one takes it.
    std::int32_t m_refs = 0;
    // Read by CSGRotationTranslation: false leaves its transform on the
    // current matrix. Composites set it back to true on each draw.
    bool m_pushMatrix = true;
};
