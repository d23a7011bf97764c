#include "view/ChildView.h"

#include "scene/SGComposite.h"
#include "scene/SGCylinder.h"
#include "scene/SGRotationTranslation.h"
#include "scene/SGSquareHint.h"
#include "view/BoardAnimator.h"

namespace
{
constexpr double kChipRadius = 0.35;
constexpr double kManHeight = 0.15;
constexpr double kKingHeight = 0.3; // a king is two men stacked
constexpr int kChipsPerSide = 12;

// Name 1 is the board's; chips take 2 and up. Never reset, so a name from an
// earlier rebuild can never be mistaken for a chip of the current one.
std::int32_t s_nextChipName = 2;

bool IsRed(std::int32_t code)
{
    return code == CCheckerBoard::RedMan || code == CCheckerBoard::RedKing;
}

bool IsKing(std::int32_t code)
{
    return code == CCheckerBoard::RedKing || code == CCheckerBoard::BlackKing;
}

void ClearChildren(const CSGPtr& composite)
{
    if (composite)
        static_cast<CSGComposite&>(*composite).m_children.clear();
}

// A chip standing on its edge beside the board: captured, never pickable.
CSGPtr MakeCapturedChip(CSGCylinder* chip, const CSGPtr& texture, double x, double z)
{
    auto* stand = new CSGRotationTranslation;
    CSGPtr standPtr(stand);
    stand->SetRotation(90.0, 0.0, 1.0, 0.0);
    stand->SetTranslation(x, 0.1, z);
    CSGPtr chipPtr(chip);
    chip->m_texture = texture;
    stand->AddChild(chipPtr);
    return standPtr;
}
} // namespace

void CChildView::PlaceChips()
{
    PlaceChipsOf(m_board);
}

void CChildView::PlaceChipsOf(const CCheckerBoard& board)
{
    ClearChildren(m_chipsNode);
    for (CSGPtr& chip : m_chipNodes)
        chip.reset();
    if (!m_boardNode || !m_chipsNode)
        return;
    auto& chips = static_cast<CSGComposite&>(*m_chipsNode);

    int redCount = 0;
    int blackCount = 0;
    for (int c = 0; c < 8; ++c)
    {
        for (int r = 7; r >= 0; --r)
        {
            const std::int32_t code = board.m_cells[8 * r + c];
            if (code < CCheckerBoard::RedMan || code > CCheckerBoard::BlackKing)
                continue;
            const double height = IsKing(code) ? kKingHeight : kManHeight;

            auto* outer = new CSGRotationTranslation;
            CSGPtr outerPtr(outer);
            auto* inner = new CSGRotationTranslation;
            CSGPtr innerPtr(inner);
            // The cylinder stands along z; turning it about x by 90 degrees
            // stands it on the board with its top at `height`.
            inner->SetRotation(90.0, 1.0, 0.0, 0.0);
            inner->SetTranslation(m_squarePos[c], height, m_squarePos[7 - r]);
            CSGCylinder* cylinder = NewChipCylinder(IsKing(code));
            CSGPtr cylinderPtr(cylinder);
            cylinder->m_texture = IsRed(code) ? m_redChipTexture : m_blackChipTexture;
            cylinder->m_name = s_nextChipName++;
            inner->AddChild(cylinderPtr);
            outer->AddChild(innerPtr);

            m_chipNodes[8 * (7 - c) + r] = outerPtr;
            chips.AddChild(outerPtr);
            (IsRed(code) ? redCount : blackCount) += IsKing(code) ? 2 : 1;
        }
    }

    // Red's losses stand beyond row 0's edge, black's beyond row 7's.
    for (int n = kChipsPerSide - redCount; n >= 1; --n)
        chips.AddChild(MakeCapturedChip(NewChipCylinder(false), m_redChipTexture, 0.4 * n, 9.0));
    for (int n = kChipsPerSide - blackCount; n >= 1; --n)
        chips.AddChild(
            MakeCapturedChip(NewChipCylinder(false), m_blackChipTexture, 7.85 - 0.4 * n, -1.0));
}

CSGCylinder* CChildView::NewChipCylinder(bool king)
{
    // Twenty-four chips of two sizes: building every chip's 103 faces anew
    // on each rebuild would cost memory and time for the same geometry.
    CSGPtr& shape = m_chipShapes[king ? 1 : 0];
    if (!shape)
        shape = new CSGCylinder(kChipRadius, king ? kKingHeight : kManHeight);
    return CSGCylinder::SharingFaces(static_cast<CSGCylinder&>(*shape));
}

void CChildView::ShowHints(int xIndex, int zIndex)
{
    if (!m_hintsNode)
        return;
    // Indices outside the board would read past m_squarePos.
    if (xIndex < 0 || xIndex > 7 || zIndex < 0 || zIndex > 7)
        return;
    auto* place = new CSGRotationTranslation;
    CSGPtr placePtr(place);
    // A hair above the board surface, so the outline is not lost in it.
    place->SetTranslation(m_squarePos[xIndex], 0.01, m_squarePos[zIndex]);
    place->AddChild(CSGPtr(new CSGSquareHint));
    static_cast<CSGComposite&>(*m_hintsNode).AddChild(placePtr);
    InvalidateRect();
}

void CChildView::ClearHints()
{
    ClearChildren(m_hintsNode);
}

void CChildView::OnRedrawChips(wxCommandEvent&)
{
    m_animator->Finish(); // a chip sliding now would be left out of the new ones
    PlaceChips();
    InvalidateRect();
}
