#include "scene/SGRotationTranslation.h"

#include <GL/gl.h>

#include "scene/SGSelection.h"

#include <utility>

void CSGRotationTranslation::AddChild(CSGPtr child)
{
    m_children.push_back(std::move(child));
}

CSGNode* CSGRotationTranslation::Child(std::size_t i) const
{
    return i < m_children.size() ? m_children[i].get() : nullptr;
}

void CSGRotationTranslation::Render()
{
    // Read once so that the push and the pop always pair up.
    const bool push = m_pushMatrix;
    if (push)
        glPushMatrix();
    glTranslated(m_translation[0], m_translation[1], m_translation[2]);
    // A NaN angle compares unequal and is passed on, as any other angle.
    if (m_angle != 0.0)
        glRotated(m_angle, m_axis[0], m_axis[1], m_axis[2]);
    for (const CSGPtr& child : m_children)
    {
        if (!child)
            continue;
        if (!push)
            child->m_pushMatrix = false;
        child->Render();
    }
    if (push)
        glPopMatrix();
}

void CSGRotationTranslation::Select(CSGSelection& selection)
{
    const bool push = m_pushMatrix;
    if (push)
        selection.PushMatrix();
    selection.Translate(m_translation[0], m_translation[1], m_translation[2]);
    if (m_angle != 0.0)
        selection.Rotate(m_angle, m_axis[0], m_axis[1], m_axis[2]);
    for (const CSGPtr& child : m_children)
    {
        if (!child)
            continue;
        if (!push)
            child->m_pushMatrix = false;
        child->Select(selection);
    }
    if (push)
        selection.PopMatrix();
}
