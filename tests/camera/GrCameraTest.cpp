#include "camera/GrCamera.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>

namespace
{
GrVec3 Add(const GrVec3& a, const GrVec3& b, double s = 1)
{
    return {a[0] + s * b[0], a[1] + s * b[1], a[2] + s * b[2]};
}

double Dot(const GrVec3& a, const GrVec3& b)
{
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

// Right-handed turn of `p` about the line through `pivot` along the unit
// vector `k` (Rodrigues' formula, independent of the matrix code).
GrVec3 Turned(const GrVec3& p, const GrVec3& pivot, const GrVec3& k, double degrees)
{
    const double a = degrees * M_PI / 180;
    const GrVec3 d = Add(p, pivot, -1);
    const GrVec3 kxd{k[1] * d[2] - k[2] * d[1], k[2] * d[0] - k[0] * d[2],
                     k[0] * d[1] - k[1] * d[0]};
    GrVec3 r = Add(Add(GrVec3{}, d, std::cos(a)), kxd, std::sin(a));
    return Add(pivot, Add(r, k, Dot(k, d) * (1 - std::cos(a))));
}

void ExpectNear(const GrVec3& actual, const GrVec3& expected, double tolerance = 1e-9)
{
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(actual[i], expected[i], tolerance) << "component " << i;
}

// Looking at a point off the origin, a drag armed at (100, 100).
CGrCamera PlacedCamera(std::int32_t mode)
{
    CGrCamera camera;
    camera.m_center = {1, -2, 3};
    camera.m_eye = {21, 10, 3};
    EXPECT_TRUE(camera.ComputeFrame());
    camera.m_mode = mode;
    camera.MouseDown(100, 100);
    return camera;
}
} // namespace

TEST(GrCamera, FrameOfTheBoardViewStartPositionAndDragsBeforeMouseDown)
{
    CGrCamera camera;
    EXPECT_EQ(camera.m_mode, CGrCamera::PitchYaw);
    ExpectNear(camera.m_u, {-1, 0, 0}); // default eye on +Z: u is the viewer's left
    // Moves before a button press only record the position.
    camera.m_mode = CGrCamera::DollyXY;
    camera.MouseMove(50, 60);
    camera.MouseMove(80, 90);
    ExpectNear(camera.m_eye, {0, 0, 100});
    EXPECT_EQ(camera.m_lastX, 80);
    EXPECT_EQ(camera.m_lastY, 90);

    camera.m_eye = {20, 12, 0};
    ASSERT_TRUE(camera.ComputeFrame());
    ExpectNear(camera.m_n, {0.857, 0.514, 0}, 1e-3);
    ExpectNear(camera.m_u, {0, 0, 1});
    ExpectNear(camera.m_v, {0.514, -0.857, 0}, 1e-3);
    ExpectNear(camera.m_up, {0, 1, 0});
}

// Each mode's drag, one pixel axis at a time: 10 pixels right, then 20 down.
TEST(GrCamera, EachDragModeTurnsOrMovesByItsStepsPerPixel)
{
    for (const std::int32_t mode :
         {CGrCamera::PanTilt, CGrCamera::RollMove, CGrCamera::PitchYaw, CGrCamera::DollyXY})
    {
        SCOPED_TRACE(testing::Message() << "mode " << mode);
        CGrCamera camera = PlacedCamera(mode);
        for (const auto& [dx, dy] : {std::pair{10, 0}, std::pair{0, 20}})
        {
            const CGrCamera c = camera;
            // Right turns the view about v, down about u, 0.1 degree a pixel
            // against the drag.
            const GrVec3& axis = dx != 0 ? c.m_v : c.m_u;
            const double turn = -0.1 * (dx + dy);
            GrVec3 eye = c.m_eye, center = c.m_center;
            if (mode == CGrCamera::PanTilt)
                center = Turned(c.m_center, c.m_eye, axis, turn);
            else if (mode == CGrCamera::PitchYaw)
                eye = Turned(c.m_eye, c.m_center, axis, turn);
            else if (mode == CGrCamera::RollMove)
                eye = Add(c.m_eye, c.m_n, dy); // the roll is undone by the fixed up vector
            else
                eye = Add(Add(c.m_eye, c.m_u, dx), c.m_v, dy);
            camera.MouseMove(c.m_lastX + dx, c.m_lastY + dy);
            ExpectNear(camera.m_eye, eye);
            ExpectNear(camera.m_center, center);
            ExpectNear(camera.m_up, {0, 1, 0});
        }
    }
}

TEST(GrCamera, StepsThatLeaveNoFrameAreRefused)
{
    CGrCamera camera = PlacedCamera(CGrCamera::PitchYaw);
    camera.m_eye = Add(camera.m_center, {20, 0, 0}); // level: 90 degrees up is vertical
    ASSERT_TRUE(camera.ComputeFrame());
    const CGrCamera before = camera;
    EXPECT_FALSE(camera.Translate(0, 0, -20)) << "onto the look-at point";
    EXPECT_FALSE(camera.Pitch(90));
    EXPECT_FALSE(camera.Pitch(-90));
    ExpectNear(camera.m_eye, before.m_eye);
    camera.m_eye = Add(camera.m_center, {0, 10, 0});
    EXPECT_FALSE(camera.ComputeFrame());
    ExpectNear(camera.m_n, before.m_n);
    ExpectNear(camera.m_u, before.m_u);
}
