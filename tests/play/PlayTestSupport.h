#pragma once
// Driving the board view as a player does: presses and releases over board
// squares found by projecting them through the last frame's matrices, and
// the file chooser and message boxes answered by the test.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ViewTestSupport.h"
#include "glwnd/FileDialogs.h"

// The physical client pixel over world point (x, y, z), as a mouse gives it.
wxPoint ScreenPoint(const ViewWindow& window, double x, double y, double z);
// Over the centre of board square (row, col), `lift` above the board surface.
wxPoint SquarePoint(const ViewWindow& window, int row, int col, double lift = 0.0);
// A left press and release at `point`.
void Click(CChildView& view, wxPoint point);
// Chooses the piece on (fr, fc), then (tr, tc) as its destination.
void PlayMove(ViewWindow& window, int fr, int fc, int tr, int tc);

// The chip table holds a node exactly where the board holds a piece.
::testing::AssertionResult ChipsMatchBoard(const CChildView& view);
// Every dark square empty, black to move.
CCheckerBoard EmptyBoard();
// Camera eye compared within rounding of the 2-degree turn steps.
::testing::AssertionResult EyeAt(const CChildView& view, double x, double y, double z);
std::size_t HintCount(const CChildView& view);

// Answers the file chooser and records message boxes while it lives; puts
// the real ones back afterwards. Owns a temporary folder it removes.
class CCommandSeams
{
public:
    CCommandSeams();
    ~CCommandSeams();
    CCommandSeams(const CCommandSeams&) = delete;
    CCommandSeams& operator=(const CCommandSeams&) = delete;

    struct Dialog
    {
        FileDialogKind kind;
        std::string extension;
        std::string filter;
    };
    struct Box
    {
        std::string text;
        std::string caption;
        unsigned type;
    };

    std::filesystem::path m_folder;
    std::optional<std::string> m_answer; // what the next chooser returns
    std::vector<Dialog> m_dialogs;
    std::vector<Box> m_boxes;
};

// Writes `board` into the seams' folder and loads it with the Load Game
// command; the file path is returned.
std::string LoadPosition(CChildView& view, CCommandSeams& seams, const CCheckerBoard& board);
