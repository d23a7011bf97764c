#include "camera/GrCamera.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

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

TEST(GrCamera, PitchYawDragOrbitsTheEyeAboutTheLookAtPoint)
{
    CGrCamera camera = PlacedCamera(CGrCamera::PitchYaw);
    const GrVec3 center = camera.m_center;
    GrVec3 expected = Turned(camera.m_eye, center, camera.m_v, -1);
    camera.MouseMove(110, 100);
    ExpectNear(camera.m_eye, expected);
    expected = Turned(camera.m_eye, center, camera.m_u, -2);
    camera.MouseMove(110, 120);
    ExpectNear(camera.m_eye, expected);
    ExpectNear(camera.m_center, center);
}

TEST(GrCamera, RollMoveAndDollyXYDragsMoveOnlyTheEye)
{
    CGrCamera camera = PlacedCamera(CGrCamera::RollMove);
    const CGrCamera before = camera;
    camera.MouseMove(150, 100); // roll: undone by the fixed up vector
    ExpectNear(camera.m_eye, before.m_eye);
    ExpectNear(camera.m_up, {0, 1, 0});
    camera.MouseMove(150, 107);
    ExpectNear(camera.m_eye, Add(before.m_eye, before.m_n, 7));
    ExpectNear(camera.m_center, before.m_center);

    camera = before;
    camera.m_mode = CGrCamera::DollyXY;
    camera.MouseMove(104, 97);
    ExpectNear(camera.m_eye, Add(Add(before.m_eye, before.m_u, 4), before.m_v, -3));
    ExpectNear(camera.m_center, before.m_center);
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

TEST(GrCamera, NoDragSequenceProducesNaN)
{
    const auto expectFinite = [](const CGrCamera& c)
    {
        for (const GrVec3& v : {c.m_eye, c.m_center, c.m_u, c.m_v, c.m_n})
            ASSERT_TRUE(std::isfinite(v[0]) && std::isfinite(v[1]) && std::isfinite(v[2]));
        ASSERT_NEAR(Dot(c.m_u, c.m_n), 0, 1e-6);
    };
    std::mt19937 random(99);
    CGrCamera camera = PlacedCamera(CGrCamera::PitchYaw);
    for (int i = 0; i < 20000; ++i)
    {
        camera.m_mode = static_cast<std::int32_t>(random() % 4);
        camera.MouseMove(camera.m_lastX + random() % 801 - 400,
                         camera.m_lastY + random() % 801 - 400);
        ASSERT_NO_FATAL_FAILURE(expectFinite(camera)) << "step " << i;
    }
    // Straight through the look-at point (exact axes: one step lands on
    // it), then pitching on over the top.
    camera = PlacedCamera(CGrCamera::RollMove);
    camera.m_eye = Add(camera.m_center, {0, 0, 20});
    ASSERT_TRUE(camera.ComputeFrame());
    for (int y = 99; y > 40; --y)
    {
        camera.MouseMove(100, y);
        ASSERT_NO_FATAL_FAILURE(expectFinite(camera)) << "y " << y;
    }
    camera.m_mode = CGrCamera::PitchYaw;
    for (int y = 0; y < 20000; y += 10)
    {
        camera.MouseMove(100, y);
        ASSERT_NO_FATAL_FAILURE(expectFinite(camera)) << "y " << y;
    }
}
