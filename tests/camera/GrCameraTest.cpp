#include "camera/GrCamera.h"
#include "camera/GrMatrix.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace
{
constexpr double kTolerance = 1e-9;

GrVec3 Add(const GrVec3& a, const GrVec3& b)
{
    return {a[0] + b[0], a[1] + b[1], a[2] + b[2]};
}

GrVec3 Sub(const GrVec3& a, const GrVec3& b)
{
    return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}

GrVec3 Scale(const GrVec3& a, double s)
{
    return {a[0] * s, a[1] * s, a[2] * s};
}

double Dot(const GrVec3& a, const GrVec3& b)
{
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

GrVec3 Cross(const GrVec3& a, const GrVec3& b)
{
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

double Distance(const GrVec3& a, const GrVec3& b)
{
    return std::sqrt(Dot(Sub(a, b), Sub(a, b)));
}

// Right-handed turn of `p` about the line through `pivot` along the unit
// vector `axis` (Rodrigues' formula, independent of the matrix code).
GrVec3 Turned(const GrVec3& p, const GrVec3& pivot, const GrVec3& axis, double degrees)
{
    const double a = degrees * 3.14159265358979323846 / 180;
    const GrVec3 d = Sub(p, pivot);
    const GrVec3 r = Add(Add(Scale(d, std::cos(a)), Scale(Cross(axis, d), std::sin(a))),
                         Scale(axis, Dot(axis, d) * (1 - std::cos(a))));
    return Add(pivot, r);
}

void ExpectNear(const GrVec3& actual, const GrVec3& expected, double tolerance = kTolerance)
{
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(actual[i], expected[i], tolerance) << "component " << i;
}

// A camera placed the way the board view places it, looking at a point off the origin.
CGrCamera PlacedCamera()
{
    CGrCamera camera;
    camera.m_center = {1, -2, 3};
    camera.m_eye = {21, 10, 3};
    EXPECT_TRUE(camera.ComputeFrame());
    camera.MouseDown(100, 100);
    return camera;
}

void ExpectSoundFrame(const CGrCamera& camera)
{
    for (const GrVec3* v : {&camera.m_eye, &camera.m_center, &camera.m_u, &camera.m_v, &camera.m_n})
        for (const double x : *v)
            ASSERT_TRUE(std::isfinite(x));
    ASSERT_NEAR(Dot(camera.m_n, camera.m_n), 1, 1e-6);
    ASSERT_NEAR(Dot(camera.m_u, camera.m_u), 1, 1e-6);
    ASSERT_NEAR(Dot(camera.m_u, camera.m_n), 0, 1e-6);
    ASSERT_GT(Distance(camera.m_eye, camera.m_center), 0);
}
} // namespace

TEST(GrMatrix, RotationsAreRightHandedAndProductsApplyRightFirst)
{
    ExpectNear(CGrMatrix::RotateX(90).Apply({0, 1, 0}), {0, 0, 1});
    ExpectNear(CGrMatrix::RotateY(90).Apply({0, 0, 1}), {1, 0, 0});
    ExpectNear(CGrMatrix::RotateZ(90).Apply({1, 0, 0}), {0, 1, 0});
    ExpectNear((CGrMatrix::Translate(1, 2, 3) * CGrMatrix::RotateZ(90)).Apply({1, 0, 0}),
               {1, 3, 3});
    // The camera turn between moves: half a turn about the vertical through c.
    const GrVec3 c{2, 0, 5};
    const CGrMatrix turn = CGrMatrix::Translate(c) * CGrMatrix::RotateY(180) *
                           CGrMatrix::Translate(-c[0], -c[1], -c[2]);
    ExpectNear(turn.Apply({22, 12, 5}), {-18, 12, 5});
}

TEST(GrCamera, FrameOfTheBoardViewStartPosition)
{
    CGrCamera camera;
    EXPECT_EQ(camera.m_mode, CGrCamera::PitchYaw);
    EXPECT_EQ(camera.m_dragState, 0);
    ExpectNear(camera.m_u, {-1, 0, 0}); // default eye on +Z: u points to the viewer's left

    camera.m_eye = {20, 12, 0};
    ASSERT_TRUE(camera.ComputeFrame());
    ExpectNear(camera.m_n, {0.857, 0.514, 0}, 1e-3);
    ExpectNear(camera.m_u, {0, 0, 1});
    ExpectNear(camera.m_v, {0.514, -0.857, 0}, 1e-3);
    ExpectNear(Cross(camera.m_u, camera.m_v), camera.m_n);
    ExpectNear(camera.m_up, {0, 1, 0});
}

TEST(GrCamera, PitchYawDragOrbitsTheEyeAboutTheLookAtPoint)
{
    CGrCamera camera = PlacedCamera();
    const GrVec3 center = camera.m_center;
    const double distance = Distance(camera.m_eye, center);

    GrVec3 expected = Turned(camera.m_eye, center, camera.m_v, -1);
    camera.MouseMove(110, 100);
    ExpectNear(camera.m_eye, expected);
    ExpectNear(camera.m_center, center);

    expected = Turned(camera.m_eye, center, camera.m_u, -2);
    camera.MouseMove(110, 120);
    ExpectNear(camera.m_eye, expected);
    EXPECT_NEAR(Distance(camera.m_eye, center), distance, kTolerance);
}

TEST(GrCamera, PanTiltDragTurnsTheLookAtPointAboutTheEye)
{
    CGrCamera camera = PlacedCamera();
    camera.m_mode = CGrCamera::PanTilt;
    const GrVec3 eye = camera.m_eye;

    GrVec3 expected = Turned(camera.m_center, eye, camera.m_v, 3);
    camera.MouseMove(70, 100);
    ExpectNear(camera.m_center, expected);
    expected = Turned(camera.m_center, eye, camera.m_u, -1.5);
    camera.MouseMove(70, 115);
    ExpectNear(camera.m_center, expected);
    ExpectNear(camera.m_eye, eye);
}

TEST(GrCamera, RollMoveDragOnlyMovesTheEyeAlongTheViewingAxis)
{
    CGrCamera camera = PlacedCamera();
    camera.m_mode = CGrCamera::RollMove;
    const CGrCamera before = camera;

    camera.MouseMove(150, 100);
    ExpectNear(camera.m_eye, before.m_eye);
    ExpectNear(camera.m_center, before.m_center);
    ExpectNear(camera.m_up, {0, 1, 0});

    camera.MouseMove(150, 107);
    ExpectNear(camera.m_eye, Add(before.m_eye, Scale(before.m_n, 7)));
    ExpectNear(camera.m_center, before.m_center);
}

TEST(GrCamera, DollyXYDragMovesTheEyeInTheViewPlane)
{
    CGrCamera camera = PlacedCamera();
    camera.m_mode = CGrCamera::DollyXY;
    const CGrCamera before = camera;
    camera.MouseMove(104, 97);
    ExpectNear(camera.m_eye, Add(before.m_eye, Add(Scale(before.m_u, 4), Scale(before.m_v, -3))));
    ExpectNear(camera.m_center, before.m_center);
}

TEST(GrCamera, MovesBeforeMouseDownOrInAnUnknownModeOnlyRecord)
{
    CGrCamera camera;
    const GrVec3 eye = camera.m_eye;
    camera.m_mode = CGrCamera::DollyXY;
    camera.MouseMove(50, 60);
    camera.MouseMove(80, 90);
    ExpectNear(camera.m_eye, eye);
    EXPECT_EQ(camera.m_lastX, 80);
    EXPECT_EQ(camera.m_lastY, 90);
    EXPECT_EQ(camera.m_dragState, 0);

    camera.MouseDown(0, 0);
    camera.m_mode = 7;
    camera.MouseMove(30, 40);
    ExpectNear(camera.m_eye, eye);
    EXPECT_EQ(camera.m_lastX, 30);
}

TEST(GrCamera, StepsWithoutAFrameAreRefused)
{
    CGrCamera camera = PlacedCamera();
    camera.m_eye = Add(camera.m_center, {20, 0, 0}); // level, so +-90 degrees is vertical
    ASSERT_TRUE(camera.ComputeFrame());
    const CGrCamera before = camera;
    const double distance = Distance(camera.m_eye, camera.m_center);

    EXPECT_FALSE(camera.Translate(0, 0, -distance)) << "eye onto the look-at point";
    EXPECT_FALSE(camera.Pitch(90)) << "looking straight down";
    EXPECT_FALSE(camera.Pitch(-90)) << "looking straight up";
    ExpectNear(camera.m_eye, before.m_eye);
    ExpectNear(camera.m_center, before.m_center);

    camera.m_eye = Add(camera.m_center, {0, 10, 0});
    EXPECT_FALSE(camera.ComputeFrame());
    ExpectNear(camera.m_n, before.m_n);
    ExpectNear(camera.m_u, before.m_u);
}

TEST(GrCamera, NoDragLeavesTheFrameUndefined)
{
    std::mt19937 random(99);
    std::uniform_int_distribution<int> step(-400, 400);
    CGrCamera camera = PlacedCamera();
    for (int i = 0; i < 20000; ++i)
    {
        camera.m_mode = static_cast<std::int32_t>(random() % 4);
        const int x = camera.m_lastX + step(random);
        const int y = camera.m_lastY + step(random);
        camera.MouseMove(x, y);
        ASSERT_NO_FATAL_FAILURE(ExpectSoundFrame(camera)) << "step " << i;
    }

    // Straight through the look-at point (the axes are exact, so one step
    // lands right on it), then pitching on over the top.
    camera = PlacedCamera();
    camera.m_mode = CGrCamera::RollMove;
    camera.m_eye = Add(camera.m_center, {0, 0, 20});
    ASSERT_TRUE(camera.ComputeFrame());
    for (int y = 99; y > 40; --y)
    {
        camera.MouseMove(100, y);
        ASSERT_NO_FATAL_FAILURE(ExpectSoundFrame(camera)) << "y " << y;
    }
    camera.m_mode = CGrCamera::PitchYaw;
    for (int y = 0; y < 20000; y += 10)
    {
        camera.MouseMove(100, y);
        ASSERT_NO_FATAL_FAILURE(ExpectSoundFrame(camera));
    }
}
