#include "ViewTestSupport.h"

#include <chrono>
#include <cmath>
#include <fstream>

#include <unistd.h>

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>
#include <wx/frame.h>

#include "WxTestEnvironment.h"
#include "glwnd/FileDialogs.h"
#include "glwnd/MessageService.h"
#include "notation/Fen.h"
#include "notation/Squares.h"
#include "view/BoardAnimator.h"
#include "view/CommandIds.h"

namespace
{
const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new WxTestEnvironment);
} // namespace

void PlayOut(CChildView& view)
{
    // A bound far above the longest sequence (a slide and eleven turns), so
    // that a queue that never empties fails instead of hanging.
    for (int frame = 0; frame < 5000 && !view.BoardIsReady(); ++frame)
        view.m_animator->Step();
    EXPECT_TRUE(view.BoardIsReady()) << "the animations never ended";
}

void Command(CChildView& view, int id)
{
    wxCommandEvent command(wxEVT_MENU, id);
    view.ProcessWindowEvent(command);
    PlayOut(view);
}

bool Enabled(CChildView& view, int id)
{
    wxUpdateUIEvent update(id);
    view.ProcessWindowEvent(update);
    return update.GetEnabled();
}

bool Checked(CChildView& view, int id)
{
    wxUpdateUIEvent update(id);
    view.ProcessWindowEvent(update);
    return update.GetChecked();
}

ViewWindow::ViewWindow(wxSize client, CChildView* view) : m_view(view)
{
    COpenGLWnd::SetFrameFloorEnabled(false);
    m_frame = new wxFrame(nullptr, wxID_ANY, "view test");
    if (!m_view->Create(m_frame))
    {
        ADD_FAILURE() << "the view's window could not be created";
        return;
    }
    m_frame->SetClientSize(client);
    m_frame->Show();
    EXPECT_TRUE(PumpUntil([this] { return m_view->GetPaintCount() > 0; }));
    PumpFor(std::chrono::milliseconds(30)); // let the window settle at its size
    Repaint();
}

ViewWindow::~ViewWindow()
{
    COpenGLWnd::SetFrameFloorEnabled(true);
    m_frame->Destroy();
    PumpFor(std::chrono::milliseconds(10));
}

FrameImage ViewWindow::Capture()
{
    FrameImage image;
    if (!m_view->MakeCurrent())
    {
        ADD_FAILURE() << "no context to draw with";
        return image;
    }
    const wxSize size = m_view->GetClientRect();
    glViewport(0, 0, size.x, size.y);
    m_view->OnGLDraw(nullptr);
    glFinish();
    image.width = size.x;
    image.height = size.y;
    image.rgba.resize(static_cast<std::size_t>(size.x) * size.y * 4);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, size.x, size.y, GL_RGBA, GL_UNSIGNED_BYTE, image.rgba.data());
    m_view->ReleaseCurrent();
    return image;
}

wxRealPoint ViewWindow::Project(double x, double y, double z) const
{
    double wx = 0.0, wy = 0.0, wz = 0.0;
    gluProject(x, y, z, m_view->m_modelview, m_view->m_projection, m_view->m_viewport, &wx, &wy,
               &wz);
    return wxRealPoint(wx, wy);
}

int ViewWindow::SelectWithGL(double x, double y, double region, std::vector<std::uint32_t>& buffer)
{
    if (!m_view->MakeCurrent())
        return 0;
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glSelectBuffer(static_cast<GLsizei>(buffer.size()), buffer.data());
    glRenderMode(GL_SELECT);
    glInitNames();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPickMatrix(x, y, region, region, viewport);
    m_view->DrawScene(true);
    const int hits = glRenderMode(GL_RENDER);
    m_view->ReleaseCurrent();
    return hits;
}

wxPoint ScreenPoint(const ViewWindow& window, double x, double y, double z)
{
    const wxRealPoint gl = window.Project(x, y, z);
    // The window counts rows from the top, OpenGL from the bottom.
    return wxPoint(static_cast<int>(std::floor(gl.x)),
                   window.View().GetClientRect().y - 1 - static_cast<int>(std::floor(gl.y)));
}

void ClickMove(const ViewWindow& window, const NotatedMove& move)
{
    for (const int square : move.squares)
    {
        int row = 0, col = 0;
        ASSERT_TRUE(SquareRowCol(square, row, col));
        Click(window, row, col);
    }
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
            static_cast<bool>(ChipAt(view, r, c)))
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

CCommandSeams::CCommandSeams()
{
    m_folder = std::filesystem::temp_directory_path() / ("plaxen-test-" + std::to_string(getpid()));
    std::filesystem::create_directories(m_folder);
    SetFileDialogHandler(
        [this](FileDialogKind kind, const std::string& extension, const std::string& filter)
        {
            m_dialogs.push_back(std::string(kind == FileDialogKind::Open ? "open" : "save") + " " +
                                extension + " " + filter);
            return m_answer;
        });
    SetMessageBoxHandler(
        [this](const std::string& text, const std::string& caption, unsigned type)
        { m_boxes.push_back(text + " [" + caption + ", " + std::to_string(type) + "]"); });
    SetQuestionBoxHandler(
        [this](const std::string& text, const std::string& caption,
               const std::vector<std::string>& buttons)
        {
            std::string asked = text + " [" + caption + ":";
            for (const std::string& button : buttons)
                asked += (asked.back() == ':' ? " " : "|") + button;
            m_questions.push_back(asked + "]");
            if (m_replies.empty())
                return std::size_t{1};
            const std::size_t reply = m_replies.front();
            m_replies.erase(m_replies.begin());
            return reply;
        });
}

CCommandSeams::~CCommandSeams()
{
    SetFileDialogHandler({});
    SetMessageBoxHandler({});
    SetQuestionBoxHandler({});
    std::filesystem::remove_all(m_folder);
}

void PlayRedAgainstBeginnerFrom(CChildView& view, CCommandSeams& seams, const char* fen)
{
    Command(view, ViewCommand::LevelBeginner);
    Command(view, ViewCommand::ComputerPlaysRed);
    seams.Load(view, BoardFromFen(ParseFen(fen).value()));
}

void CCommandSeams::Load(CChildView& view, const CCheckerBoard& board)
{
    m_answer = (m_folder / "position.plx").string();
    std::ofstream out(*m_answer, std::ios::binary);
    board.WriteGame(out);
    out.close();
    RunCommand(view, &CChildView::OnLoadGame);
}
