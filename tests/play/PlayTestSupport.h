#pragma once
// Playing the board view as a user does: presses over board squares found
// by projecting them through the last frame's matrices, and the file
// chooser and message boxes answered by the test.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ViewTestSupport.h"

// The physical client pixel over a world point, as a mouse event gives it.
wxPoint ScreenPoint(const ViewWindow& window, double x, double y, double z);
// Over the centre of board square (row, col), `lift` above the board.
wxPoint SquarePoint(const ViewWindow& window, int row, int col, double lift = 0.0);
// Left press and release over square (row, col).
void Click(ViewWindow& window, int row, int col);
// Every dark square empty, black to move.
CCheckerBoard EmptyBoard();
// The chip table holds a node exactly where the board holds a piece.
::testing::AssertionResult ChipsMatchBoard(const CChildView& view);
// The eye at (x, 12, 0), within the rounding of the camera turn's steps.
::testing::AssertionResult EyeAtX(const CChildView& view, double x);
std::size_t HintCount(const CChildView& view);
// Runs a command handler of the view.
void RunCommand(CChildView& view, void (CChildView::*handler)(wxCommandEvent&));

// While it lives: file choosers answer m_answer, message boxes are recorded,
// and a temporary folder exists.
struct CCommandSeams
{
    struct Box
    {
        std::string text, caption;
        unsigned type;
    };
    CCommandSeams();
    ~CCommandSeams();
    // Writes `board` to a file and loads it through the Load Game command.
    void Load(CChildView& view, const CCheckerBoard& board);

    std::filesystem::path m_folder;
    std::optional<std::string> m_answer;
    std::vector<std::string> m_dialogs; // "open"/"save", extension, filter
    std::vector<Box> m_boxes;
};
