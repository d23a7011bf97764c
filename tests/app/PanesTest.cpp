// The analysis pane's wrapping and the evaluation graph's plot, the graph in
// a frame of its own.

#include <chrono>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <wx/frame.h>

#include "WxTestEnvironment.h"
#include "app/AnalysisPane.h"
#include "app/EvaluationGraphPane.h"
#include "notation/BoardMoves.h"
#include "record/GameRecord.h"
#include "record/Review.h"

TEST(AnalysisPane, LinesWrapAtBlanksAndAWordTooWideStandsAlone)
{
    const auto measure = [](const std::string& text) { return static_cast<int>(text.size()) * 10; };
    EXPECT_EQ(WrapWords("6. 3-7 22-18 7. 15x22", 120, measure),
              (std::vector<std::string>{"6. 3-7 22-18", "7. 15x22"}));
    EXPECT_EQ(WrapWords("26x17x10x3 x", 50, measure),
              (std::vector<std::string>{"26x17x10x3", "x"}));
    EXPECT_TRUE(WrapWords("", 50, measure).empty());
}

TEST(EvaluationGraph, BlacksAdvantageUpRedsDownClampedAtThreeMen)
{
    auto* frame = new wxFrame(nullptr, wxID_ANY, "graph");
    auto* graph = new CEvaluationGraphPane(frame, {});
    frame->SetClientSize(wxSize(400, 150));
    frame->Show();
    CGameRecord record;
    CCheckerBoard board;
    for (const char* text : {"11-15", "23-19", "8-11", "22-17"})
    {
        ASSERT_NE(PlayMove(board, ParseMove(text).value()), MoveRefused);
        record.Played(ParseMove(text).value(), board);
    }
    record.SetNote(0, {"", "", Evaluation::Score(40)});
    record.SetNote(1, {"??", "", Evaluation::Wins(CCheckerBoard::BlackSide, 7)});
    record.SetNote(3, {"", "", Evaluation::Score(-900)});
    record.GoTo(2);
    graph->ShowRecord(record);
    PumpFor(std::chrono::milliseconds(30)); // painted, with a gap and the place mid-game
    EXPECT_EQ(graph->PlottedCount(), 3u);

    // From the start at the left to the last move at the right; a proved
    // win at the top, anything past three men at the edge.
    const wxPoint start = graph->PointOf(0, 0), last = graph->PointOf(4, 0);
    EXPECT_LT(start.x, last.x);
    EXPECT_LT(graph->PointOf(2, ReviewScale(*record.Note(1).evaluation)).y, start.y);
    EXPECT_EQ(graph->PointOf(2, kReviewRange).y, graph->PointOf(2, 5000).y);
    EXPECT_GT(graph->PointOf(4, ReviewScale(*record.Note(3).evaluation)).y, start.y);
    EXPECT_EQ(graph->PointOf(4, -kReviewRange).y, graph->PointOf(4, -900).y);
    for (std::size_t moves = 0; moves <= 4; ++moves)
        EXPECT_EQ(graph->MovesAt(graph->PointOf(moves, 0).x), moves);
    EXPECT_EQ(graph->MovesAt(-50), 0u);
    EXPECT_EQ(graph->MovesAt(5000), 4u);
    frame->Destroy();
}
