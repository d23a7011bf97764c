#include "record/DrawRules.h"

#include <gtest/gtest.h>

#include <map>

#include "RecordTestSupport.h"
#include "record/Pdn.h"

namespace
{
// Two lone kings going to and fro: every four plies the start comes back.
const std::string kKings = "B:WK32:BK1";
#define SHUFFLE "1-6", "32-27", "6-1", "27-32"

std::pair<int, int> Counts(const CGameRecord& record)
{
    const DrawCounts counts = CountDrawRules(record);
    return {counts.repetitions, counts.quietPlies};
}
} // namespace

TEST(DrawRules, RepetitionsCountTheSamePositionAndSideToMoveThroughUndoAndLoading)
{
    CGameRecord record = GameOf(kKings, {SHUFFLE, SHUFFLE});
    EXPECT_EQ(Counts(record), std::make_pair(3, 8));
    EXPECT_EQ(ClaimableDraw(record), GameEndKind::Repetition);
    record.GoTo(2); // the same squares with the other side to move are another position
    EXPECT_EQ(Counts(record), std::make_pair(1, 2));
    record.GoTo(7);
    EXPECT_EQ(Counts(record), std::make_pair(2, 7));
    EXPECT_FALSE(ClaimableDraw(record));

    // Repetitions are claims, not ends: a PDN game keeps every move.
    PlayOn(record, {"27-32", SHUFFLE});
    PdnProblem problem;
    const auto read = ReadPdn(WritePdn(record, PdnTags()), problem);
    ASSERT_TRUE(read) << problem.reason;
    EXPECT_EQ(Counts(*read), std::make_pair(4, 12));
    EXPECT_FALSE(read->End());
    // A .plx file holds a position without its history: the count starts there.
    CGameRecord loaded;
    loaded.Reset(record.Board());
    PlayOn(loaded, {SHUFFLE});
    EXPECT_EQ(Counts(loaded), std::make_pair(2, 4));

    ASSERT_TRUE(record.EndGame(DrawnBy(*ClaimableDraw(record))));
    EXPECT_FALSE(ClaimableDraw(record)); // over: nothing more to claim
}

TEST(DrawRules, ManMovesCrowningsAndCapturesStartTheCountsAgain)
{
    CGameRecord crowning = GameOf("B:WK32:B25,K1", {SHUFFLE, "25-29"});
    EXPECT_EQ(Counts(crowning), std::make_pair(1, 0));
    PlayOn(crowning, {"32-27", "1-6", "27-32", "6-1"});
    EXPECT_EQ(Counts(crowning), std::make_pair(2, 4));
    crowning.GoTo(4); // back before the crowning
    EXPECT_EQ(Counts(crowning), std::make_pair(2, 4));

    CGameRecord capture = GameOf("B:WK17,K32:BK1", {"1-6", "32-27", "6-10", "17-14", "10x17"});
    EXPECT_EQ(Counts(capture), std::make_pair(1, 0)); // a king's capture is a capture
    PlayOn(capture, {"27-32"});
    EXPECT_EQ(Counts(capture), std::make_pair(1, 1));
}

TEST(DrawRules, FortyMovesEachWithoutManMoveOrCaptureMayBeClaimed)
{
    // Kings wandering without a capture, never a third time in one place.
    CGameRecord record = GameOf("B:WK29,K32:BK1,K4", {});
    std::map<std::string, int> seen;
    while (record.Place() < kQuietPliesForDraw)
    {
        EXPECT_FALSE(ClaimableDraw(record));
        const auto moves = ListLegalMoves(record.Board());
        const auto fresh = std::find_if(moves.begin(), moves.end(),
                                        [&](const NotatedMove& move)
                                        {
                                            CCheckerBoard next = record.Board();
                                            return PlayMove(next, move) == MoveTurnPassed &&
                                                   !next.BlackHasJump() && !next.RedHasJump() &&
                                                   seen[PrintFen(FenFromBoard(next))] < 2;
                                        });
        ASSERT_NE(fresh, moves.end()) << record.Board();
        CCheckerBoard next = record.Board();
        PlayMove(next, *fresh);
        ++seen[PrintFen(FenFromBoard(next))];
        record.Played(*fresh, next);
    }
    EXPECT_EQ(CountDrawRules(record).quietPlies, 80);
    EXPECT_EQ(ClaimableDraw(record), GameEndKind::FortyMoves);
}
