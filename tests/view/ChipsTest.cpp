#include <set>
#include <sstream>

#include <gtest/gtest.h>

#include "scene/SGComposite.h"
#include "scene/SGCylinder.h"
#include "scene/SGRotationTranslation.h"
#include "view/ChildView.h"

namespace
{
CSGRotationTranslation& Transform(CSGNode* node)
{
    return dynamic_cast<CSGRotationTranslation&>(*node);
}

std::vector<CSGPtr>& Children(const CSGPtr& composite)
{
    return dynamic_cast<CSGComposite&>(*composite).m_children;
}

std::set<std::int32_t> ChipNames(const CChildView& view)
{
    std::set<std::int32_t> names;
    for (const CSGPtr& chip : view.m_chipNodes)
        if (chip)
            names.insert(
                dynamic_cast<CSGCylinder&>(*Transform(Transform(chip.get()).Child(0)).Child(0))
                    .m_name);
    return names;
}

struct Position
{
    const char* text; // a saved game: row 7 first, then the side
    std::size_t boardChips;
    std::size_t redLost;
    std::size_t blackLost;
};

// Red 9 men + 1 king: 1 lost; black 3 men + 2 kings: 5 lost. Then black
// 11 men + 1 king (13 by the count): none lost, red 11 lost.
const Position kPositions[] = {
    {"X r X r X r X r\nr X r X r X _ X\nX _ X _ X _ X b\n_ X _ X B X r X\n"
     "X r X _ X _ X _\n_ X _ X _ X _ X\nX _ X _ X R X _\nb X B X b X _ X\n1\n",
     15, 1, 5},
    {"X _ X _ X _ X B\n_ X _ X _ X _ X\nX r X _ X _ X _\n_ X _ X _ X _ X\n"
     "X _ X _ X _ X _\nb X b X b X _ X\nX b X b X b X b\nb X b X b X b X\n0\n",
     13, 11, 0},
};
} // namespace

TEST(BoardChips, PiecesStandOnTheirSquaresAndLossesBesideTheBoard)
{
    CChildView view;
    for (const Position& position : kPositions)
    {
        std::istringstream in(position.text);
        ASSERT_TRUE(view.m_board.ReadGame(in));
        view.PlaceChips();
        SCOPED_TRACE(position.text);
        std::size_t chips = 0;
        for (int r = 0; r < 8; ++r)
        {
            for (int c = 0; c < 8; ++c)
            {
                const std::int32_t code = view.m_board.m_cells[8 * r + c];
                const CSGPtr& outer = view.m_chipNodes[8 * (7 - c) + r];
                ASSERT_EQ(code >= CCheckerBoard::RedMan, static_cast<bool>(outer)) << r << c;
                if (!outer)
                    continue;
                ++chips;
                const double height = code == 3 || code == 5 ? 0.3 : 0.15;
                auto& inner = Transform(Transform(outer.get()).Child(0));
                auto& cylinder = dynamic_cast<CSGCylinder&>(*inner.Child(0));
                EXPECT_EQ(inner.m_translation[0], c + 0.5);
                EXPECT_EQ(inner.m_translation[1], height);
                EXPECT_EQ(inner.m_translation[2], 7 - r + 0.5);
                EXPECT_EQ(cylinder.m_height, height);
                EXPECT_EQ(cylinder.m_texture.get(),
                          (code <= 3 ? view.m_redChipTexture : view.m_blackChipTexture).get());
            }
        }
        EXPECT_EQ(chips, position.boardChips);
        EXPECT_EQ(ChipNames(view).size(), chips) << "a name of its own for every chip";

        // The losses follow the board chips: red's row at z = 9, then black's
        // at z = -1, each counting n down to 1.
        const std::vector<CSGPtr>& all = Children(view.m_chipsNode);
        ASSERT_EQ(all.size(), chips + position.redLost + position.blackLost);
        for (std::size_t i = chips; i < all.size(); ++i)
        {
            const bool red = i < chips + position.redLost;
            const auto n = static_cast<double>(red ? chips + position.redLost - i : all.size() - i);
            auto& stand = Transform(all[i].get());
            auto& chip = dynamic_cast<CSGCylinder&>(*stand.Child(0));
            EXPECT_DOUBLE_EQ(stand.m_translation[0], red ? 0.4 * n : 7.85 - 0.4 * n);
            EXPECT_EQ(stand.m_translation[2], red ? 9.0 : -1.0);
            EXPECT_EQ(chip.m_name, -1) << "captured chips cannot be picked";
            EXPECT_EQ(chip.m_texture.get(),
                      (red ? view.m_redChipTexture : view.m_blackChipTexture).get());
        }
    }
}

TEST(BoardChips, EveryRebuildTakesNewNamesAndDropsTheOldChips)
{
    CChildView view;
    const std::set<std::int32_t> first = ChipNames(view);
    const CSGPtr oldChip = view.m_chipNodes[7];
    view.PlaceChips();
    const std::set<std::int32_t> second = ChipNames(view);
    EXPECT_EQ(Children(view.m_chipsNode).size(), 24u);
    ASSERT_EQ(second.size(), 24u);
    EXPECT_GT(*second.begin(), *first.rbegin());
    EXPECT_EQ(oldChip->m_refs, 1) << "the old chip is no longer in the scene";
    CChildView other; // the counter is the process's, not the view's
    EXPECT_GT(*ChipNames(other).begin(), *second.rbegin());

    view.m_boardNode.reset();
    view.PlaceChips();
    EXPECT_TRUE(Children(view.m_chipsNode).empty());
    EXPECT_TRUE(ChipNames(view).empty());
}

TEST(BoardHints, OutlineOnTheChosenSquareUntilCleared)
{
    CChildView view;
    view.ShowHints(2, 5);
    view.ShowHints(8, 0); // off the board: ignored rather than read past the squares
    view.ShowHints(0, -1);
    ASSERT_EQ(Children(view.m_hintsNode).size(), 1u);
    const double* at = Transform(Children(view.m_hintsNode)[0].get()).m_translation;
    EXPECT_TRUE(at[0] == 2.5 && at[1] == 0.01 && at[2] == 5.5);
    view.PlaceChips();
    EXPECT_EQ(Children(view.m_hintsNode).size(), 1u);
    view.ClearHints();
    EXPECT_TRUE(Children(view.m_hintsNode).empty());
    view.m_hintsNode.reset();
    view.ShowHints(1, 1);
    view.ClearHints();
}
