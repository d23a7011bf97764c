#include "view/ChildView.h"

#include <cmath>
#include <vector>

#include <GL/gl.h>
#include <GL/glu.h>

#include "view/BoardAnimator.h"

namespace
{
constexpr std::size_t kSelectBufferSize = 100;
constexpr double kPickRegion = 3.0;          // width and height in pixels, centred on the cursor
constexpr double kDepthScale = 4294967295.0; // a hit record's depths span 0..2^32-1
constexpr std::size_t kHitHeader = 3;        // name count, zmin, zmax

// The nearest named hit in the first `hits` records of `buffer`: its first
// name and its zmin. Records without names (the board's sides, rails and
// underside) are skipped; a record that would run past the buffer ends the
// walk, so a corrupt count can never read beyond it.
bool NearestNamedHit(const GLuint* buffer, GLint hits, GLint& name, GLuint& zmin)
{
    bool found = false;
    std::size_t at = 0;
    for (GLint i = 0; i < hits; ++i)
    {
        if (at + kHitHeader > kSelectBufferSize)
            break;
        const GLuint names = buffer[at];
        if (names > kSelectBufferSize - at - kHitHeader)
            break;
        const GLuint depth = buffer[at + 1];
        // Strictly smaller: on a tie the earlier record stays chosen.
        if (names > 0 && (!found || depth < zmin))
        {
            found = true;
            zmin = depth;
            name = static_cast<GLint>(buffer[at + kHitHeader]); // bottom of the name stack
        }
        at += kHitHeader + names;
    }
    return found;
}
} // namespace

void CChildView::OnLButtonDown(wxMouseEvent& event)
{
    LButtonDown(ToPhysical(event.GetPosition()));
    event.Skip();
}

void CChildView::LButtonDown(wxPoint physical)
{
    m_pickName = -1;
    DismissHint(); // it stays until the next click
    // The computer is to move, or the picture has not caught up with the
    // board yet: a press now would pick from a scene about to change. Once
    // the game is over nothing is chosen.
    if (BoardIsTheComputers() || !m_animator->IsIdle() || m_record.IsOver())
        return;
    // y is flipped: OpenGL counts rows from the bottom of the window.
    const int height = GetClientRect().y;
    const double wx = physical.x;
    const double wy = height - physical.y - 1;
    // The selection runs on the CPU: handing the driver's selection mode the
    // scene costs memory it never gives back.
    std::vector<std::uint32_t> buffer(kSelectBufferSize);
    // Negative: the hits overflowed the buffer, which counts as a miss.
    const int hits = SelectScene(wx, wy, kPickRegion, buffer);

    GLint name = -1;
    GLuint zmin = 0;
    if (hits <= 0 || !NearestNamedHit(buffer.data(), hits, name, zmin))
        return;
    m_pickName = name;
    m_pickDepth = zmin / kDepthScale;

    // The last normal frame's matrices: the camera without the scene
    // rotation, so the point comes out in world coordinates. Before any
    // frame they are all zero and the unprojection fails: nothing chosen.
    double x = 0.0, y = 0.0, z = 0.0;
    if (gluUnProject(wx, wy, m_pickDepth, m_modelview, m_projection, m_viewport, &x, &y, &z) !=
        GL_TRUE)
        return;
    const double a = std::floor(x + 4.0);
    const double b = std::floor(z + 4.0);
    if (!(a >= 0.0 && a <= 7.0 && b >= 0.0 && b <= 7.0))
        return; // off the board (the test also refuses NaN)
    const int A = static_cast<int>(a);
    const int B = static_cast<int>(b);

    if (m_pickingChip)
    {
        // Either colour may be chosen: whose turn it is counts only at release.
        const CSGPtr& chip = m_chipNodes[8 * B + (7 - A)];
        if (!chip)
            return;
        m_fromX = A;
        m_fromZ = B;
        m_refusal.clear(); // a new choice: the last refusal is old news
        ShowHints(7 - B, A);
        m_selectedChip = chip;
        m_pickingChip = false;
    }
    else if (!m_jumpPending)
    {
        m_toX = A;
        m_toZ = B;
        m_pickingChip = true;
        ClearHints();
    }
    else
    {
        // Mid multi-jump only a further capture by the same piece is taken.
        // The side to move is the capturing side: a capture that can go on
        // keeps the turn.
        std::vector<int> rows;
        std::vector<int> cols;
        const int fromRow = 7 - m_fromX;
        const int fromCol = 7 - m_fromZ;
        if (m_board.m_side == CCheckerBoard::BlackSide)
            m_board.BlackJumps(fromRow, fromCol, rows, cols);
        else
            m_board.RedJumps(fromRow, fromCol, rows, cols);
        for (std::size_t i = 0; i < rows.size(); ++i)
        {
            if (rows[i] == 7 - A && cols[i] == 7 - B)
            {
                m_toX = A;
                m_toZ = B;
                m_pickingChip = true;
                m_jumpPending = false;
                ClearHints();
                break;
            }
        }
    }
}

void CChildView::OnMouseMove(wxMouseEvent& event)
{
    // Drags go by logical pixels, so a drag turns the camera as far at any
    // display scale; only picking needs physical ones.
    MouseMove(event.GetPosition(), event.RightIsDown());
    event.Skip();
}

void CChildView::MouseMove(wxPoint logical, bool rightDown)
{
    if (!rightDown)
        return;
    m_camera.MouseMove(logical.x, logical.y);
    InvalidateRect();
}

void CChildView::OnCameraPanTilt(wxCommandEvent&)
{
    m_camera.m_mode = CGrCamera::PanTilt;
}

void CChildView::OnUpdateCameraPanTilt(wxUpdateUIEvent& event)
{
    event.Check(m_camera.m_mode == CGrCamera::PanTilt);
}

void CChildView::OnCameraPitchYaw(wxCommandEvent&)
{
    m_camera.m_mode = CGrCamera::PitchYaw;
}

void CChildView::OnUpdateCameraPitchYaw(wxUpdateUIEvent& event)
{
    event.Check(m_camera.m_mode == CGrCamera::PitchYaw);
}

void CChildView::OnCameraRollMove(wxCommandEvent&)
{
    m_camera.m_mode = CGrCamera::RollMove;
}

void CChildView::OnUpdateCameraRollMove(wxUpdateUIEvent& event)
{
    event.Check(m_camera.m_mode == CGrCamera::RollMove);
}

void CChildView::OnCameraDollyXY(wxCommandEvent&)
{
    m_camera.m_mode = CGrCamera::DollyXY;
}

void CChildView::OnUpdateCameraDollyXY(wxUpdateUIEvent& event)
{
    event.Check(m_camera.m_mode == CGrCamera::DollyXY);
}

void CChildView::OnRButtonDown(wxMouseEvent& event)
{
    RButtonDown(event.GetPosition());
    event.Skip();
}

void CChildView::RButtonDown(wxPoint logical)
{
    // Arms the drag only: nothing has moved yet, so nothing is repainted.
    m_camera.MouseDown(logical.x, logical.y);
}
