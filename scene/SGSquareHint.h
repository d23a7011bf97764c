#pragma once
// Green outline with both diagonals of one square, flat in y = 0 and
// centred on the node's origin.

#include "scene/SGNode.h"

class CSGSquareHint : public CSGNode
{
public:
    // Draws the outline and diagonals in green ambient, then puts the front
    // ambient back. Leaves line smoothing enabled and the line width at 1.
    void Render() override;
    void Select(CSGSelection& selection) override;

    double m_size = 1.0; // edge length in model units
};
