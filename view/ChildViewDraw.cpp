#include "view/ChildView.h"

#include <memory>

#include <GL/gl.h>
#include <GL/glu.h>

#include "camera/GrMatrix.h"
#include "scene/SGRotationTranslation.h"
#include "scene/SGSelection.h"
#include "view/BoardAnimator.h"

namespace
{
constexpr double kFieldOfView = 25.0; // degrees, vertical
constexpr double kNearPlane = 10.0;
constexpr double kFarPlane = 1000.0;
constexpr int kSpinSteps = 90;
constexpr double kSpinStep = 2.0; // degrees a frame: 90 x 2 = half a turn

// w = 0: a direction, so the light keeps its angle to the board wherever
// the camera goes.
constexpr GLfloat kLightPosition[] = {1.0f, 0.5f, 1.2f, 0.0f};
constexpr GLfloat kLightDiffuse[] = {1.0f, 1.0f, 1.0f, 1.0f};
constexpr GLfloat kLightAmbient[] = {0.5f, 0.5f, 0.5f, 1.0f};
constexpr GLfloat kMaterial[] = {1.0f, 1.0f, 1.0f, 1.0f};
} // namespace

void CChildView::OnGLDraw(wxDC*)
{
    // The clear colour is never set: the background is GL's initial black.
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    // Replaces the default projection the paint cycle has just loaded.
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    DrawScene(false);
    glFlush();
}

void CChildView::DrawScene(bool picking)
{
    const wxSize client = GetClientRect();
    // A window without height (minimised, squeezed flat) has no aspect
    // ratio; nothing is drawn and the last frame's matrices stay for picking.
    if (client.y <= 0 || client.x <= 0)
        return;
    gluPerspective(kFieldOfView, static_cast<double>(client.x) / client.y, kNearPlane, kFarPlane);
    glEnable(GL_DEPTH_TEST);
    glCullFace(GL_BACK);
    glEnable(GL_CULL_FACE);

    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(m_camera.m_eye[0], m_camera.m_eye[1], m_camera.m_eye[2], m_camera.m_center[0],
              m_camera.m_center[1], m_camera.m_center[2], m_camera.m_up[0], m_camera.m_up[1],
              m_camera.m_up[2]);
    glEnable(GL_LIGHTING);
    if (picking)
        glInitNames();

    // After the camera, so the light's direction is fixed in the world.
    glEnable(GL_LIGHT0);
    glLightfv(GL_LIGHT0, GL_POSITION, kLightPosition);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, kLightDiffuse);
    glLightfv(GL_LIGHT0, GL_AMBIENT, kLightAmbient);
    glMaterialfv(GL_FRONT, GL_AMBIENT_AND_DIFFUSE, kMaterial);

    if (m_rootRotation)
    {
        auto& root = static_cast<CSGRotationTranslation&>(*m_rootRotation);
        root.SetRotation(m_sceneAngle, 0.0, 1.0, 0.0);
    }
    if (m_root)
        m_root->Render(); // pushes and pops its own matrix: the camera's is current again

    if (!picking)
    {
        // The camera's view without the scene rotation: picking unprojects
        // into world coordinates with these.
        glGetIntegerv(GL_VIEWPORT, m_viewport);
        glGetDoublev(GL_MODELVIEW_MATRIX, m_modelview);
        glGetDoublev(GL_PROJECTION_MATRIX, m_projection);
    }
}

int CChildView::SelectScene(double x, double y, double region, std::vector<std::uint32_t>& buffer)
{
    const wxSize client = GetClientRect();
    const std::array<int, 4> viewport{m_viewport[0], m_viewport[1], m_viewport[2], m_viewport[3]};
    if (client.y <= 0 || client.x <= 0 || viewport[2] <= 0 || viewport[3] <= 0)
        return 0; // nothing drawn yet, or nothing to draw into: nothing to hit
    // The matrices DrawScene builds, with the pick region in front.
    const CSGSelection::Matrix projection = CSGSelection::Multiply(
        CSGSelection::PickRegion(x, y, region, region, viewport),
        CSGSelection::Perspective(kFieldOfView, static_cast<double>(client.x) / client.y,
                                  kNearPlane, kFarPlane));
    const double eye[3] = {m_camera.m_eye[0], m_camera.m_eye[1], m_camera.m_eye[2]};
    const double center[3] = {m_camera.m_center[0], m_camera.m_center[1], m_camera.m_center[2]};
    const double up[3] = {m_camera.m_up[0], m_camera.m_up[1], m_camera.m_up[2]};
    CSGSelection selection(projection, CSGSelection::LookAt(eye, center, up), viewport,
                           buffer.size(), true); // back faces are culled, as in every frame
    selection.InitNames();
    if (m_rootRotation)
        static_cast<CSGRotationTranslation&>(*m_rootRotation)
            .SetRotation(m_sceneAngle, 0.0, 1.0, 0.0);
    if (m_root)
        m_root->Select(selection);
    const int records = selection.Finish();
    buffer = selection.Buffer();
    return records;
}

void CChildView::SpinCamera()
{
    QueueHalfTurn(false);
}

void CChildView::QueueHalfTurn(bool always)
{
    struct Turn
    {
        std::int32_t side = 0;
        double step = 0.0; // degrees a frame; 0 while no turn is due
    };
    // Whether it turns is decided when its turn comes, after whatever plays
    // before it: "No Spin", the side the camera belongs to and the end it
    // stands at then.
    const auto decide = [this, always](Turn& turn)
    {
        turn.side = CameraSide();
        const bool black = turn.side == CCheckerBoard::BlackSide;
        const bool wrongEnd = m_facingSide0 ? !black : black;
        turn.step = !m_noSpin && (wrongEnd || always) ? (black ? -kSpinStep : kSpinStep) : 0.0;
    };
    // With nothing playing that is now; a turn not due then queues nothing,
    // and the board stays ready.
    auto turn = std::make_shared<Turn>();
    if (m_animator->IsIdle())
    {
        decide(*turn);
        if (turn->step == 0.0)
            return;
    }
    m_animator->Queue({[turn, decide]
                       {
                           decide(*turn);
                           return turn->step != 0.0 ? kSpinSteps : 0;
                       },
                       [this, turn](int)
                       {
                           // Step by step about the look-at point, as a drag
                           // in the middle of the turn would leave it.
                           const GrVec3& c = m_camera.m_center;
                           const CGrMatrix rotation =
                               CGrMatrix::About(c, CGrMatrix::RotateY(turn->step));
                           m_camera.m_eye = rotation.Apply(m_camera.m_eye);
                           m_camera.ComputeFrame();
                       },
                       [this, turn]
                       {
                           if (turn->step != 0.0)
                               m_facingSide0 = turn->side == CCheckerBoard::BlackSide;
                       }});
}

void CChildView::OnResetCamera(wxCommandEvent&)
{
    m_animator->Finish(); // a turn under way would go on from the new place
    PlaceCamera(m_facingSide0);
    InvalidateRect();
}

void CChildView::OnNoSpin(wxCommandEvent&)
{
    m_noSpin = !m_noSpin;
    // Switched back on: the camera catches up with the side to move.
    if (!m_noSpin)
        SpinCamera();
}

void CChildView::OnUpdateNoSpin(wxUpdateUIEvent& event)
{
    event.Check(m_noSpin);
}
