#pragma once
// Geometric node with a front-face material of its own.

#include "scene/SGNode.h"

class CSGNodeObject : public CSGNode
{
public:
    // Saves the current front diffuse, specular and shininess into the
    // m_saved arrays, then sets this node's own.
    void ApplyMaterial();
    // Puts back what the last ApplyMaterial saved.
    void RestoreMaterial();

    float m_diffuse[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    float m_specular[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    // The exponent is the first float; the others are carried along.
    float m_shininess[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    // Zero until ApplyMaterial fills them, so a stray Restore sets no garbage.
    float m_savedDiffuse[4] = {};
    float m_savedSpecular[4] = {};
    float m_savedShininess[4] = {};
};
