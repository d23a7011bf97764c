#include "PlayTestSupport.h"

#include <cmath>
#include <fstream>
#include <random>

#include <wx/event.h>

#include "glwnd/MessageService.h"
#include "scene/SGComposite.h"

wxPoint ScreenPoint(const ViewWindow& window, double x, double y, double z)
{
    const wxRealPoint gl = window.Project(x, y, z);
    // The window counts rows from the top, OpenGL from the bottom.
    const int height = window.View().GetClientRect().y;
    return wxPoint(static_cast<int>(std::floor(gl.x)),
                   height - 1 - static_cast<int>(std::floor(gl.y)));
}

wxPoint SquarePoint(const ViewWindow& window, int row, int col, double lift)
{
    // Board square (row, col) is centred on world (3.5 - row, 3.5 - col);
    // the board surface lies at y = 0.25.
    return ScreenPoint(window, 3.5 - row, 0.25 + lift, 3.5 - col);
}

void Click(CChildView& view, wxPoint point)
{
    view.LButtonDown(point);
    view.LButtonUp();
}

void PlayMove(ViewWindow& window, int fr, int fc, int tr, int tc)
{
    Click(window.View(), SquarePoint(window, fr, fc));
    Click(window.View(), SquarePoint(window, tr, tc));
}

::testing::AssertionResult ChipsMatchBoard(const CChildView& view)
{
    for (int r = 0; r < 8; ++r)
    {
        for (int c = 0; c < 8; ++c)
        {
            const std::int32_t code = view.m_board.m_cells[8 * r + c];
            const bool piece = code >= CCheckerBoard::RedMan;
            if (piece != static_cast<bool>(view.m_chipNodes[8 * (7 - c) + r]))
                return ::testing::AssertionFailure()
                       << "square (" << r << ", " << c << ") code " << code << "\n"
                       << view.m_board;
        }
    }
    return ::testing::AssertionSuccess();
}

CCheckerBoard EmptyBoard()
{
    CCheckerBoard board;
    for (std::int32_t& cell : board.m_cells)
        if (cell != CCheckerBoard::Light)
            cell = CCheckerBoard::Empty;
    return board;
}

::testing::AssertionResult EyeAt(const CChildView& view, double x, double y, double z)
{
    const GrVec3& eye = view.m_camera.m_eye;
    if (std::abs(eye[0] - x) < 1e-6 && std::abs(eye[1] - y) < 1e-6 && std::abs(eye[2] - z) < 1e-6)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "eye (" << eye[0] << ", " << eye[1] << ", " << eye[2] << ")";
}

std::size_t HintCount(const CChildView& view)
{
    return static_cast<const CSGComposite&>(*view.m_hintsNode).m_children.size();
}

CCommandSeams::CCommandSeams()
{
    std::random_device random;
    m_folder = std::filesystem::temp_directory_path() /
               ("plaxen-play-" + std::to_string(random()) + std::to_string(random()));
    std::filesystem::create_directories(m_folder);
    SetFileDialogHandler(
        [this](FileDialogKind kind, const std::string& extension, const std::string& filter)
        {
            m_dialogs.push_back({kind, extension, filter});
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
    std::error_code ignored;
    std::filesystem::remove_all(m_folder, ignored);
}

std::string LoadPosition(CChildView& view, CCommandSeams& seams, const CCheckerBoard& board)
{
    const std::string path = (seams.m_folder / "position.plx").string();
    {
        std::ofstream out(path, std::ios::binary);
        board.WriteGame(out);
    }
    seams.m_answer = path;
    wxCommandEvent command;
    view.OnLoadGame(command);
    return path;
}
