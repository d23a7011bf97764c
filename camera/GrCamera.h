#pragma once

#include "camera/GrMatrix.h"

#include <cstdint>

// The viewing position and the mouse-driven camera modes. The up vector is
// always +Y. m_u, m_v, m_n are the camera's own axes: n from the look-at
// point to the eye, u = n x up (the viewer's left), v = n x u (the viewer's
// down).
//
// Every operation that moves the eye or the look-at point is refused (and
// changes nothing) when it would leave no frame: the eye on the look-at
// point, or looking straight along the Y axis.
class CGrCamera
{
public:
    // Values of m_mode.
    enum Mode : std::int32_t
    {
        PanTilt = 0,
        RollMove = 1,
        PitchYaw = 2,
        DollyXY = 3,
    };

    // Eye (0, 0, 100) looking at the origin, Pitch/Yaw mode, no drag armed.
    CGrCamera();
    virtual ~CGrCamera() = default;

    // Sets up to +Y and recomputes u, v, n from the eye and the look-at point.
    // False when they give no frame; the previous frame (and up) then stays.
    bool ComputeFrame();

    // Arms a drag starting at window position (x, y).
    void MouseDown(int x, int y);
    // One drag step in the current mode from the last position to (x, y),
    // if a drag has been armed; records (x, y) either way.
    void MouseMove(int x, int y);

    // Turn the look-at point about an axis through the eye: v, u, n.
    // Each returns false if the step was refused.
    bool Pan(double degrees);
    bool Tilt(double degrees);
    bool Roll(double degrees);
    // Turn the eye about an axis through the look-at point: v, u.
    bool Yaw(double degrees);
    bool Pitch(double degrees);
    // Moves the eye by a u + b v + c n; the look-at point stays.
    bool Translate(double a, double b, double c);

    GrVec3 m_up;
    GrVec3 m_center;
    GrVec3 m_eye;
    std::int32_t m_mode;
    std::int32_t m_lastY;
    std::int32_t m_lastX;
    std::int32_t m_dragState;
    GrVec3 m_u;
    GrVec3 m_v;
    GrVec3 m_n;

private:
    // B x R x Bt: `axisRotation` (about X, Y or Z) carried onto u, v or n.
    CGrMatrix InFrame(const CGrMatrix& axisRotation) const;
    // Moves the eye and the look-at point to the given places, keeping the
    // old ones if the new frame is degenerate.
    bool MoveTo(const GrVec3& eye, const GrVec3& center);
};
