#include "PlayTestSupport.h"

#include <cmath>
#include <fstream>

#include <unistd.h>

#include "glwnd/FileDialogs.h"
#include "glwnd/MessageService.h"
#include "scene/SGComposite.h"

wxPoint ScreenPoint(const ViewWindow& window, double x, double y, double z)
{
    const wxRealPoint gl = window.Project(x, y, z);
    // The window counts rows from the top, OpenGL from the bottom.
    return wxPoint(static_cast<int>(std::floor(gl.x)),
                   window.View().GetClientRect().y - 1 - static_cast<int>(std::floor(gl.y)));
}

wxPoint SquarePoint(const ViewWindow& window, int row, int col, double lift)
{
    // The board surface lies at y = 0.25; square (row, col) at x = 3.5 - row, z = 3.5 - col.
    return ScreenPoint(window, 3.5 - row, 0.25 + lift, 3.5 - col);
}

void Click(ViewWindow& window, int row, int col)
{
    window.View().LButtonDown(SquarePoint(window, row, col));
    window.View().LButtonUp();
}

CCheckerBoard EmptyBoard()
{
    CCheckerBoard board;
    for (std::int32_t& cell : board.m_cells)
        cell = cell == CCheckerBoard::Light ? cell : CCheckerBoard::Empty;
    return board;
}

::testing::AssertionResult ChipsMatchBoard(const CChildView& view)
{
    for (int square = 0; square < 64; ++square)
    {
        const int r = square / 8, c = square % 8;
        if ((view.m_board.m_cells[square] >= CCheckerBoard::RedMan) !=
            static_cast<bool>(view.m_chipNodes[8 * (7 - c) + r]))
            return ::testing::AssertionFailure() << "at (" << r << ", " << c << ")\n"
                                                 << view.m_board;
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult EyeAtX(const CChildView& view, double x)
{
    const GrVec3& eye = view.m_camera.m_eye;
    if (std::abs(eye[0] - x) < 1e-6 && std::abs(eye[1] - 12.0) < 1e-6 && std::abs(eye[2]) < 1e-6)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "eye " << eye[0] << ", " << eye[1] << ", " << eye[2];
}

std::size_t HintCount(const CChildView& view)
{
    return static_cast<const CSGComposite&>(*view.m_hintsNode).m_children.size();
}

void RunCommand(CChildView& view, void (CChildView::*handler)(wxCommandEvent&))
{
    wxCommandEvent command;
    (view.*handler)(command);
}

CCommandSeams::CCommandSeams()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "plaxen-play-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        ADD_FAILURE() << "no temporary folder";
    m_folder = pattern;
    SetFileDialogHandler(
        [this](FileDialogKind kind, const std::string& extension, const std::string& filter)
        {
            m_dialogs.push_back(std::string(kind == FileDialogKind::Open ? "open" : "save") + " " +
                                extension + " " + filter);
            return m_answer;
        });
    SetMessageBoxHandler(
        [this](const std::string& text, const std::string& caption, unsigned type) {
            m_boxes.push_back({text, caption, type});
        });
}

CCommandSeams::~CCommandSeams()
{
    SetFileDialogHandler({});
    SetMessageBoxHandler({});
    std::filesystem::remove_all(m_folder);
}

void CCommandSeams::Load(CChildView& view, const CCheckerBoard& board)
{
    m_answer = (m_folder / "position.plx").string();
    {
        std::ofstream out(*m_answer, std::ios::binary);
        board.WriteGame(out);
    }
    RunCommand(view, &CChildView::OnLoadGame);
}
