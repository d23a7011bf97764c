#include <set>
#include <sstream>

#include <gtest/gtest.h>

#include "ViewTestSupport.h"

namespace
{
std::set<std::int32_t> ChipNames(const CChildView& view)
{
    std::set<std::int32_t> names;
    for (const CSGPtr& chip : view.m_chipNodes)
        if (chip)
            names.insert(Cylinder(chip).m_name);
    return names;
}
} // namespace

TEST(BoardChips, RebuiltFromTheBoardWithLossesBesideItAndNewNames)
{
    // A saved game (row 7 first, then the side) and what it leaves on and
    // beside the board. Red 9 men + 1 king: 1 lost; black 3 men + 2 kings:
    // 5 lost. Then black 11 men + 1 king (13 by the count): none lost.
    const struct
    {
        const char* text;
        std::size_t boardChips, redLost, blackLost;
    } positions[] = {
        {"X r X r X r X r\nr X r X r X _ X\nX _ X _ X _ X b\n_ X _ X B X r X\n"
         "X r X _ X _ X _\n_ X _ X _ X _ X\nX _ X _ X R X _\nb X B X b X _ X\n1\n",
         15, 1, 5},
        {"X _ X _ X _ X B\n_ X _ X _ X _ X\nX r X _ X _ X _\n_ X _ X _ X _ X\n"
         "X _ X _ X _ X _\nb X b X b X _ X\nX b X b X b X b\nb X b X b X b X\n0\n",
         13, 11, 0},
    };
    CChildView view;
    std::set<std::int32_t> previousNames = ChipNames(view);
    const CSGPtr oldChip = ChipAt(view, 2, 2);
    for (const auto& position : positions)
    {
        std::istringstream in(position.text);
        ASSERT_TRUE(view.m_board.ReadGame(in));
        view.PlaceChips();
        SCOPED_TRACE(position.text);
        // Where each chip stands, its height and colour show in the rendered frame.
        ASSERT_TRUE(ChipsMatchBoard(view));
        const std::size_t chips = position.boardChips;
        const std::set<std::int32_t> names = ChipNames(view);
        EXPECT_EQ(names.size(), chips) << "a name of its own for every chip";
        EXPECT_GT(*names.begin(), *previousNames.rbegin()) << "names are never reused";
        previousNames = names;

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
    EXPECT_EQ(oldChip->m_refs, 1) << "the first chips are no longer in the scene";
    CChildView other; // the counter is the process's, not the view's
    EXPECT_GT(*ChipNames(other).begin(), *previousNames.rbegin());

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
    ASSERT_EQ(HintCount(view), 1u);
    const double* at = Transform(Children(view.m_hintsNode)[0].get()).m_translation;
    EXPECT_EQ(std::vector<double>(at, at + 3), (std::vector<double>{2.5, 0.01, 5.5}));
    view.PlaceChips();
    EXPECT_EQ(HintCount(view), 1u);
    view.ClearHints();
    EXPECT_EQ(HintCount(view), 0u);
    view.m_hintsNode.reset();
    view.ShowHints(1, 1);
    view.ClearHints();
}
