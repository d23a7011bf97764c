#include "view/BoardMarks.h"

#include <algorithm>

#include "notation/Squares.h"
#include "scene/SGComposite.h"
#include "scene/SGRotationTranslation.h"
#include "scene/SGSquareMark.h"

// The hint's frame lies between a chip's edge (0.35) and the last move's
// tint, and above it.
const CBoardMarks::Style CBoardMarks::kHint{{1.0f, 0.62f, 0.0f, 1.0f}, 0.46, 0.37, 0.012};
const CBoardMarks::Style CBoardMarks::kLastMove{{0.3f, 0.6f, 1.0f, 0.45f}, 0.5, 0.0, 0.011};

CBoardMarks::CBoardMarks(const Style& style) : m_style(style), m_node(new CSGComposite) {}

void CBoardMarks::Show(const std::vector<int>& squares)
{
    m_squares = squares;
    auto& marks = static_cast<CSGComposite&>(*m_node);
    marks.m_children.clear();
    for (const int square : squares)
    {
        int row = 0, col = 0;
        if (!SquareRowCol(square, row, col))
            continue;
        auto* place = new CSGRotationTranslation;
        CSGPtr placePtr(place);
        // In the board node: x runs with the column, z against the row, a
        // square's centre half a square in.
        place->SetTranslation(col + 0.5, m_style.lift, 7 - row + 0.5);
        auto* mark = new CSGSquareMark;
        CSGPtr markPtr(mark);
        std::copy(std::begin(m_style.colour), std::end(m_style.colour), mark->m_colour);
        mark->m_outer = m_style.outer;
        mark->m_inner = m_style.inner;
        place->AddChild(markPtr);
        marks.AddChild(placePtr);
    }
}
