// The analysis pane's lines and the evaluation graph's plot, each in a
// frame of its own.

#include <chrono>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <wx/frame.h>

#include "WxTestEnvironment.h"
#include "app/AnalysisPane.h"
#include "app/EvaluationGraphPane.h"
#include "app/PaneColours.h"
#include "notation/BoardMoves.h"
#include "record/GameRecord.h"
#include "record/Review.h"

TEST(AnalysisPane, SaysEachFigureOnItsOwnLineWrappedAtBlanks)
{
    const auto measure = [](const std::string& text) { return static_cast<int>(text.size()) * 10; };
    EXPECT_EQ(WrapWords("6. 3-7 22-18 7. 15x22", 120, measure),
              (std::vector<std::string>{"6. 3-7 22-18", "7. 15x22"}));
    EXPECT_EQ(WrapWords("26x17x10x3 x", 50, measure), (std::vector<std::string>{"26x17x10x3", "x"}))
        << "a word too wide stands alone";
    EXPECT_TRUE(WrapWords("", 50, measure).empty());

    auto* frame = new wxFrame(nullptr, wxID_ANY, "analysis");
    auto* pane = new CAnalysisPane(frame);
    frame->Show();
    EXPECT_TRUE(pane->Lines().empty());
    AnalysisReport report;
    report.heading = "Analysis";
    report.state = "Analysing...";
    pane->ShowReport(report);
    EXPECT_EQ(pane->Lines(), (std::vector<std::string>{"Analysis", "Analysing..."}));
    report.state.clear();
    report.evaluation = "+0.35: black is a little better";
    report.depth = "18 plies";
    report.speed = "5.6 million positions a second";
    report.line = "1. 11-15 23-19";
    pane->ShowReport(report);
    EXPECT_EQ(pane->Lines(),
              (std::vector<std::string>{"Analysis", "+0.35: black is a little better",
                                        "Depth: 18 plies", "Speed: 5.6 million positions a second",
                                        "Expected line: 1. 11-15 23-19"}));
    PumpFor(std::chrono::milliseconds(30)); // painted without trouble
    frame->Destroy();
}

TEST(EvaluationGraph, BlacksAdvantageUpRedsDownClampedAndAClickGoesToTheMove)
{
    auto* frame = new wxFrame(nullptr, wxID_ANY, "graph");
    std::vector<std::size_t> asked;
    auto* graph =
        new CEvaluationGraphPane(frame, [&](std::size_t count) { asked.push_back(count); });
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
    PumpFor(std::chrono::milliseconds(30));
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

    for (const std::size_t moves : {3u, 0u})
    {
        wxMouseEvent press(wxEVT_LEFT_DOWN);
        press.SetPosition(graph->PointOf(moves, 100));
        graph->ProcessWindowEvent(press);
    }
    EXPECT_EQ(asked, (std::vector<std::size_t>{3, 0}));
    frame->Destroy();
}

TEST(PaneColours, MarksReadOnLightAndDarkBackgrounds)
{
    const wxColour white(255, 255, 255), black(0, 0, 0), text(20, 20, 20);
    EXPECT_FALSE(IsDark(white));
    EXPECT_TRUE(IsDark(wxColour(40, 44, 52)));
    EXPECT_EQ(MarkColour("", text, white), text);
    EXPECT_EQ(MarkColour("!", text, white), text);
    // A blunder is red and a mistake amber, each bright on a dark theme.
    for (const wxColour& background : {white, black})
    {
        const wxColour blunder = MarkColour("??", text, background);
        const wxColour mistake = MarkColour("?", text, background);
        EXPECT_GT(blunder.Red(), blunder.Green() + 100);
        EXPECT_GT(mistake.Red(), mistake.Blue() + 150);
        EXPECT_NE(blunder, mistake);
    }
    EXPECT_GT(MarkColour("??", text, black).Green(), MarkColour("??", text, white).Green());
    EXPECT_EQ(Mix(white, black, 0.5), wxColour(128, 128, 128));
}
