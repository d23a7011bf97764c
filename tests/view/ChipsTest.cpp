#include <set>
#include <sstream>

#include <gtest/gtest.h>

#include "scene/SGComposite.h"
#include "scene/SGCylinder.h"
#include "scene/SGRotationTranslation.h"
#include "scene/SGSquareHint.h"
#include "view/ChildView.h"

namespace
{
// Row 7 first, as a saved game lists it.
void SetPosition(CCheckerBoard& board, const char* text)
{
    std::istringstream in(text);
    ASSERT_TRUE(board.ReadGame(in)) << text;
}

// Red: 9 men and 1 king on the board (12 - 11 = 1 captured); black: 3 men
// and 2 kings (12 - 7 = 5 captured).
const char* const kKingsAndLosses = "X r X r X r X r\n"
                                    "r X r X r X _ X\n"
                                    "X _ X _ X _ X b\n"
                                    "_ X _ X B X r X\n"
                                    "X r X _ X _ X _\n"
                                    "_ X _ X _ X _ X\n"
                                    "X _ X _ X R X _\n"
                                    "b X B X b X _ X\n"
                                    "1\n";

std::vector<CSGNode*> Children(const CSGPtr& composite)
{
    std::vector<CSGNode*> out;
    for (const CSGPtr& child : dynamic_cast<CSGComposite&>(*composite).m_children)
        out.push_back(child.get());
    return out;
}

CSGRotationTranslation& Transform(CSGNode* node)
{
    return dynamic_cast<CSGRotationTranslation&>(*node);
}

// The cylinder under a board chip's outer and inner transforms.
CSGCylinder& ChipCylinder(CSGNode* outer)
{
    return dynamic_cast<CSGCylinder&>(*Transform(Transform(outer).Child(0)).Child(0));
}

std::set<std::int32_t> ChipNames(const CChildView& view)
{
    std::set<std::int32_t> names;
    for (const CSGPtr& chip : view.m_chipNodes)
        if (chip)
            names.insert(ChipCylinder(chip.get()).m_name);
    return names;
}
} // namespace

TEST(BoardChips, EachPieceGetsOneChipOnItsSquareWithItsHeightAndTexture)
{
    CChildView view;
    SetPosition(view.m_board, kKingsAndLosses);
    view.PlaceChips();

    int chips = 0;
    for (int r = 0; r < 8; ++r)
    {
        for (int c = 0; c < 8; ++c)
        {
            const std::int32_t code = view.m_board.m_cells[8 * r + c];
            const CSGPtr& outer = view.m_chipNodes[8 * (7 - c) + r];
            SCOPED_TRACE("row " + std::to_string(r) + ", column " + std::to_string(c));
            if (code < CCheckerBoard::RedMan)
            {
                EXPECT_FALSE(outer);
                continue;
            }
            ASSERT_TRUE(outer);
            ++chips;
            const bool king = code == CCheckerBoard::RedKing || code == CCheckerBoard::BlackKing;
            const bool red = code == CCheckerBoard::RedMan || code == CCheckerBoard::RedKing;
            auto& inner = Transform(Transform(outer.get()).Child(0));
            CSGCylinder& cylinder = ChipCylinder(outer.get());
            EXPECT_EQ(inner.m_translation[0], c + 0.5);
            EXPECT_EQ(inner.m_translation[1], king ? 0.3 : 0.15);
            EXPECT_EQ(inner.m_translation[2], 7 - r + 0.5);
            EXPECT_EQ(cylinder.m_height, king ? 0.3 : 0.15);
            EXPECT_EQ(cylinder.m_texture.get(),
                      red ? view.m_redChipTexture.get() : view.m_blackChipTexture.get());
        }
    }
    EXPECT_EQ(chips, 15);
    EXPECT_EQ(ChipNames(view).size(), 15u) << "every chip has a name of its own";
    EXPECT_EQ(ChipNames(view).count(1), 0u) << "name 1 is the board's";
}

TEST(BoardChips, CapturedChipsStandBesideTheBoardUnnamedAndUnpickable)
{
    CChildView view;
    SetPosition(view.m_board, kKingsAndLosses);
    view.PlaceChips();
    const std::vector<CSGNode*> all = Children(view.m_chipsNode);
    ASSERT_EQ(all.size(), 15u + 1u + 5u);

    // After the board chips: red's one loss, then black's five, n counting down.
    const std::vector<double> expectedX = {0.4,        7.85 - 2.0, 7.85 - 1.6,
                                           7.85 - 1.2, 7.85 - 0.8, 7.85 - 0.4};
    for (std::size_t i = 0; i < expectedX.size(); ++i)
    {
        auto& stand = Transform(all[15 + i]);
        const bool red = i == 0;
        ASSERT_EQ(stand.m_children.size(), 1u);
        auto& chip = dynamic_cast<CSGCylinder&>(*stand.Child(0));
        EXPECT_DOUBLE_EQ(stand.m_translation[0], expectedX[i]) << i;
        EXPECT_EQ(stand.m_translation[1], 0.1);
        EXPECT_EQ(stand.m_translation[2], red ? 9.0 : -1.0);
        EXPECT_EQ(stand.m_angle, 90.0);
        EXPECT_EQ(chip.m_height, 0.15);
        EXPECT_EQ(chip.m_name, -1);
        EXPECT_EQ(chip.m_texture.get(),
                  red ? view.m_redChipTexture.get() : view.m_blackChipTexture.get());
        for (const CSGPtr& entry : view.m_chipNodes)
            EXPECT_NE(entry.get(), all[15 + i]);
    }
}

TEST(BoardChips, CrownedSideWithoutLossesShowsNoCapturedRow)
{
    CChildView view;
    // Black has 11 men and one king: 13 by the count, so nothing stands beside.
    SetPosition(view.m_board, "X _ X _ X _ X B\n"
                              "_ X _ X _ X _ X\n"
                              "X r X _ X _ X _\n"
                              "_ X _ X _ X _ X\n"
                              "X _ X _ X _ X _\n"
                              "b X b X b X _ X\n"
                              "X b X b X b X b\n"
                              "b X b X b X b X\n"
                              "0\n");
    view.PlaceChips();
    // 13 board chips and red's 11 captured ones.
    EXPECT_EQ(Children(view.m_chipsNode).size(), 13u + 11u);
}

TEST(BoardChips, RebuildGivesTheSameSceneUnderNewNames)
{
    CChildView view;
    const std::set<std::int32_t> first = ChipNames(view);
    ASSERT_EQ(first.size(), 24u);
    const CSGPtr oldChip = view.m_chipNodes[7]; // kept alive to compare

    view.PlaceChips();
    const std::set<std::int32_t> second = ChipNames(view);
    EXPECT_EQ(Children(view.m_chipsNode).size(), 24u);
    ASSERT_EQ(second.size(), 24u);
    EXPECT_GT(*second.begin(), *first.rbegin()) << "names are never reused";
    EXPECT_NE(view.m_chipNodes[7].get(), oldChip.get());
    EXPECT_EQ(oldChip->m_refs, 1) << "the old chip left the scene";

    // Another view continues the same counter.
    CChildView other;
    EXPECT_GT(*ChipNames(other).begin(), *second.rbegin());
}

TEST(BoardChips, WithoutBoardNodeNothingIsBuilt)
{
    CChildView view;
    view.m_boardNode.reset();
    view.PlaceChips();
    EXPECT_TRUE(Children(view.m_chipsNode).empty());
    for (const CSGPtr& chip : view.m_chipNodes)
        EXPECT_FALSE(chip);
}

TEST(BoardHints, OutlineSitsJustAboveTheChosenSquareAndClears)
{
    CChildView view;
    view.ShowHints(2, 5);
    view.ShowHints(7, 0);
    view.ShowHints(8, 0);  // off the board: ignored
    view.ShowHints(0, -1); // likewise
    const std::vector<CSGNode*> hints = Children(view.m_hintsNode);
    ASSERT_EQ(hints.size(), 2u);
    auto& place = Transform(hints[0]);
    EXPECT_EQ(place.m_translation[0], 2.5);
    EXPECT_EQ(place.m_translation[1], 0.01);
    EXPECT_EQ(place.m_translation[2], 5.5);
    EXPECT_EQ(place.m_angle, 0.0);
    ASSERT_EQ(place.m_children.size(), 1u);
    EXPECT_EQ(dynamic_cast<CSGSquareHint&>(*place.Child(0)).m_size, 1.0);

    view.PlaceChips(); // leaves the hints alone
    EXPECT_EQ(Children(view.m_hintsNode).size(), 2u);
    view.ClearHints();
    EXPECT_TRUE(Children(view.m_hintsNode).empty());
    view.ClearHints();

    view.m_hintsNode.reset();
    view.ShowHints(1, 1);
    view.ClearHints();
}
