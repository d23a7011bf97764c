#include "camera/GrCamera.h"

#include <cmath>

namespace
{
// Below this the frame's axes are lost in rounding: the eye is practically on
// the look-at point, or the viewing axis practically vertical.
constexpr double kMinimumLength = 1e-9;

double Length(const GrVec3& a)
{
    return std::sqrt(a[0] * a[0] + a[1] * a[1] + a[2] * a[2]);
}

bool Usable(double length)
{
    return std::isfinite(length) && length > kMinimumLength;
}
} // namespace

CGrCamera::CGrCamera()
    : m_up{0, 1, 0}, m_center{0, 0, 0}, m_eye{0, 0, 100}, m_mode(PitchYaw), m_lastY(0), m_lastX(0),
      m_dragState(0), m_u{}, m_v{}, m_n{}
{
    ComputeFrame();
}

bool CGrCamera::ComputeFrame()
{
    const GrVec3 up{0, 1, 0};
    GrVec3 n{m_eye[0] - m_center[0], m_eye[1] - m_center[1], m_eye[2] - m_center[2]};
    const double nLength = Length(n);
    if (!Usable(nLength))
        return false;
    for (double& x : n)
        x /= nLength;

    GrVec3 u{n[1] * up[2] - up[1] * n[2], n[2] * up[0] - n[0] * up[2], up[1] * n[0] - n[1] * up[0]};
    const double uLength = Length(u);
    if (!Usable(uLength))
        return false;
    for (double& x : u)
        x /= uLength;

    m_up = up;
    m_n = n;
    m_u = u;
    m_v = {n[1] * u[2] - u[1] * n[2], u[0] * n[2] - n[0] * u[2], u[1] * n[0] - n[1] * u[0]};
    return true;
}

void CGrCamera::MouseDown(int x, int y)
{
    m_lastX = x;
    m_lastY = y;
    m_dragState = 1;
}

void CGrCamera::MouseMove(int x, int y)
{
    if (m_dragState == 1)
    {
        const double dx = static_cast<double>(x) - m_lastX;
        const double dy = static_cast<double>(y) - m_lastY;
        switch (m_mode)
        {
        case PanTilt:
            Pan(-0.1 * dx);
            Tilt(-0.1 * dy);
            break;
        case RollMove:
            Roll(0.3 * dx);
            Translate(0, 0, dy);
            break;
        case PitchYaw:
            Yaw(-0.1 * dx);
            Pitch(-0.1 * dy);
            break;
        case DollyXY:
            Translate(dx, dy, 0);
            break;
        default:
            break;
        }
    }
    m_lastX = x;
    m_lastY = y;
}

bool CGrCamera::Pan(double degrees)
{
    const CGrMatrix m = CGrMatrix::About(m_eye, InFrame(CGrMatrix::RotateY(degrees)));
    return MoveTo(m_eye, m.Apply(m_center));
}

bool CGrCamera::Tilt(double degrees)
{
    const CGrMatrix m = CGrMatrix::About(m_eye, InFrame(CGrMatrix::RotateX(degrees)));
    return MoveTo(m_eye, m.Apply(m_center));
}

bool CGrCamera::Roll(double degrees)
{
    const CGrMatrix m = CGrMatrix::About(m_eye, InFrame(CGrMatrix::RotateZ(degrees)));
    return MoveTo(m_eye, m.Apply(m_center));
}

bool CGrCamera::Yaw(double degrees)
{
    const CGrMatrix m = CGrMatrix::About(m_center, InFrame(CGrMatrix::RotateY(degrees)));
    return MoveTo(m.Apply(m_eye), m_center);
}

bool CGrCamera::Pitch(double degrees)
{
    const CGrMatrix m = CGrMatrix::About(m_center, InFrame(CGrMatrix::RotateX(degrees)));
    return MoveTo(m.Apply(m_eye), m_center);
}

bool CGrCamera::Translate(double a, double b, double c)
{
    return MoveTo(InFrame(CGrMatrix::Translate(a, b, c)).Apply(m_eye), m_center);
}

CGrMatrix CGrCamera::InFrame(const CGrMatrix& axisRotation) const
{
    CGrMatrix basis;      // columns u, v, n
    CGrMatrix transposed; // rows u, v, n
    for (int i = 0; i < 3; ++i)
    {
        basis.m_e[i][0] = transposed.m_e[0][i] = m_u[i];
        basis.m_e[i][1] = transposed.m_e[1][i] = m_v[i];
        basis.m_e[i][2] = transposed.m_e[2][i] = m_n[i];
    }
    return basis * axisRotation * transposed;
}

bool CGrCamera::MoveTo(const GrVec3& eye, const GrVec3& center)
{
    const GrVec3 oldEye = m_eye;
    const GrVec3 oldCenter = m_center;
    m_eye = eye;
    m_center = center;
    if (ComputeFrame())
        return true;
    m_eye = oldEye;
    m_center = oldCenter;
    return false;
}
