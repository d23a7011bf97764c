#pragma once
// A square marked flat in y = 0, centred on the node's origin, in a colour
// of its own that the light does not change: either filled (a tint over
// the square when the colour is translucent) or a frame between two
// squares, so that marks of different sizes nest on one square without
// covering each other. Not pickable: a press goes to the board beneath.

#include "scene/SGNode.h"

class CSGSquareMark : public CSGNode
{
public:
    // Draws the mark from above (its faces turn up), in m_colour, blended
    // when its alpha is below 1. Puts the front material's ambient, diffuse
    // and emission and the blending switch back as they were.
    void Render() override;

    float m_colour[4] = {1.0f, 1.0f, 1.0f, 1.0f}; // red, green, blue, alpha
    double m_outer = 0.5;                         // half the outer edge, model units
    double m_inner = 0.0;                         // half the hole's edge; 0: filled
};
