#pragma once
// Coloured marks on board squares, under the board node: the hint's squares
// (the chip's and every landing square) and the last move's from and to
// squares. Each kind has its own colour and size, apart from the green
// outline of the chosen chip, and the two nest on one square.

#include <vector>

#include "scene/SGPtr.h"

class CBoardMarks
{
public:
    struct Style
    {
        float colour[4];
        double outer; // half the mark's edge, in squares
        double inner; // half its hole's edge; 0: filled
        double lift;  // above the board's surface
    };
    // An amber frame just outside a chip.
    static const Style kHint;
    // A translucent blue tint of the whole square.
    static const Style kLastMove;

    explicit CBoardMarks(const Style& style);

    // The composite holding the marks; the view puts it under the board node.
    const CSGPtr& Node() const { return m_node; }
    // Marks the squares numbered in `squares` (1..32; others are left out),
    // in place of any marks before.
    void Show(const std::vector<int>& squares);
    void Clear() { Show({}); }
    // The squares marked now, as last given.
    const std::vector<int>& Squares() const { return m_squares; }

private:
    Style m_style;
    CSGPtr m_node;
    std::vector<int> m_squares;
};
