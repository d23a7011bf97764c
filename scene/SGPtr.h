#pragma once
// Owning pointer to a scene node, counted in the node itself (m_refs).

#include "scene/SGNode.h"

#include <utility>

// Holds one reference to a node, or nothing. The node is deleted when the
// last CSGPtr holding it is destroyed or reset. Counting is plain: the
// scene graph lives on one thread.
class CSGPtr
{
public:
    CSGPtr() = default;
    explicit CSGPtr(CSGNode* node) : m_node(node) { Retain(m_node); }
    CSGPtr(const CSGPtr& other) : m_node(other.m_node) { Retain(m_node); }
    CSGPtr(CSGPtr&& other) noexcept : m_node(std::exchange(other.m_node, nullptr)) {}
    ~CSGPtr() { Release(m_node); }

    CSGPtr& operator=(const CSGPtr& other)
    {
        reset(other.m_node);
        return *this;
    }
    CSGPtr& operator=(CSGPtr&& other) noexcept
    {
        // Take the other's node before letting go of ours: our node may own
        // `other` (p = std::move(p->child)), and its deletion would destroy it.
        CSGNode* old = std::exchange(m_node, std::exchange(other.m_node, nullptr));
        Release(old);
        return *this;
    }
    CSGPtr& operator=(CSGNode* node)
    {
        reset(node);
        return *this;
    }

    // Holds `node` (may be null) instead of the current node.
    void reset(CSGNode* node = nullptr)
    {
        // Raise the new count before releasing the old one: when both are the
        // same node and this pointer held its only reference, releasing first
        // would delete the node we are about to keep.
        Retain(node);
        CSGNode* old = std::exchange(m_node, node);
        Release(old);
    }

    CSGNode* get() const { return m_node; }
    CSGNode* operator->() const { return m_node; }
    CSGNode& operator*() const { return *m_node; }
    explicit operator bool() const { return m_node != nullptr; }

private:
    static void Retain(CSGNode* node)
    {
        if (node)
            ++node->m_refs;
    }
    static void Release(CSGNode* node)
    {
        if (node && --node->m_refs == 0)
            delete node;
    }

    CSGNode* m_node = nullptr;
};
