#include "scene/SGComposite.h"

#include <GL/gl.h>

#include "scene/SGSelection.h"

#include <utility>

void CSGComposite::AddChild(CSGPtr child)
{
    m_children.push_back(std::move(child));
}

CSGNode* CSGComposite::Child(std::size_t i) const
{
    return i < m_children.size() ? m_children[i].get() : nullptr;
}

void CSGComposite::Render()
{
    glPushMatrix();
    for (const CSGPtr& child : m_children)
    {
        // The program never stores a null child; skipping one costs nothing.
        if (!child)
            continue;
        // A transform below us may have had its flag cleared by an ancestor
        // transform on an earlier path; under a composite it keeps its matrix.
        child->m_pushMatrix = true;
        child->Render();
    }
    glPopMatrix();
}

void CSGComposite::Select(CSGSelection& selection)
{
    selection.PushMatrix();
    for (const CSGPtr& child : m_children)
    {
        if (!child)
            continue;
        child->m_pushMatrix = true;
        child->Select(selection);
    }
    selection.PopMatrix();
}
