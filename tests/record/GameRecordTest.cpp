#include "record/GameRecord.h"

#include <gtest/gtest.h>

#include "RecordTestSupport.h"

TEST(GameRecord, NotesStayWithTheirMovesThroughUndoRedoAndGoWithReplacedMoves)
{
    CGameRecord record = GameOf("", {"11-15", "23-19", "8-11", "22-17"});
    record.SetGameComment("A quiet opening");
    for (std::size_t i = 0; i < 4; ++i)
        record.SetNote(i, {"!", "move " + std::to_string(i), Evaluation::Score(int(i))});
    record.GoTo(1); // undo, then redo
    record.GoTo(4);
    EXPECT_EQ(record.Note(3), (MoveNote{"!", "move 3", Evaluation::Score(3)}));

    // The same move played again from the same place keeps its note; what
    // came after it still goes.
    record.GoTo(2);
    PlayOn(record, {"8-11"});
    EXPECT_EQ(record.Note(2).comment, "move 2");
    EXPECT_EQ(record.Moves().size(), 3u);
    // A different move takes the old one's place, and its note's.
    record.GoTo(1);
    PlayOn(record, {"22-18"});
    EXPECT_EQ(record.Note(0).comment, "move 0");
    EXPECT_EQ(record.Note(1), MoveNote());
    EXPECT_EQ(record.GameComment(), "A quiet opening");
    record.Reset(CCheckerBoard());
    EXPECT_EQ(record, CGameRecord());
}

TEST(GameRecord, AnEndIsRecordedOnALiveGameOnlyAndGoesWhenThePlaceMovesBack)
{
    CGameRecord record = GameOf("", {"11-15", "23-19", "8-11"});
    record.GoTo(2);
    ASSERT_TRUE(record.EndGame(LostBy(GameEndKind::Resignation, CCheckerBoard::BlackSide)));
    EXPECT_FALSE(record.CanRedo()); // nothing to redo past an end
    EXPECT_FALSE(record.EndGame(DrawnBy(GameEndKind::Agreement)));
    record.GoTo(2);
    EXPECT_TRUE(record.End());
    record.GoTo(1);
    record.GoTo(2);
    EXPECT_FALSE(record.End()); // gone for good, not redone

    ASSERT_TRUE(record.EndGame(DrawnBy(GameEndKind::Agreement)));
    record.GoTo(1);
    PlayOn(record, {"22-18"});
    EXPECT_FALSE(record.End());

    // A game over on the board has ended already.
    CGameRecord won = GameOf("W:W18:B14", {"18x9"});
    EXPECT_FALSE(won.EndGame(LostBy(GameEndKind::Resignation, CCheckerBoard::RedSide)));
    EXPECT_FALSE(won.End());
}
