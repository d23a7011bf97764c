// One frame of the starting position against the recording stand-in for
// libGL: how many calls it costs and whether they pair up.

#include <gtest/gtest.h>

#include "tests/fakegl/FakeGL.h"
#include "view/BoardMarks.h"
#include "view/ChildView.h"

namespace
{
// The frame's own calls around the scene: the paint cycle's viewport and
// default projection (4, counting each GLU helper's one matrix call, and
// gluLookAt's two), then the clear, projection, camera, light and the
// three reads that record the matrices (22).
constexpr int kFrameCallsAroundScene = 4 + 22;
} // namespace

TEST(BoardViewCalls, StartingPositionDrawsBalancedWithEveryChipNamedOnce)
{
    CChildView view;
    fakegl::Reset();
    view.m_root->Render();
    const fakegl::State& state = fakegl::GetState();
    EXPECT_EQ(state.errors, 0);
    EXPECT_EQ(state.matrixDepth, 0);
    EXPECT_EQ(state.nameDepth, 0);
    EXPECT_FALSE(state.insideBegin);
    EXPECT_EQ(fakegl::Count("glPushName"), 1 + 24) << "the board and each chip";
    EXPECT_EQ(fakegl::Count("glBegin"), fakegl::Count("glEnd"));
    EXPECT_EQ(state.texturesMade, 4u) << "board, wood and the two chip textures";

    // Later frames replay the same drawing without making textures again.
    fakegl::Reset();
    view.m_root->Render();
    const int sceneCalls = static_cast<int>(fakegl::Calls().size());
    EXPECT_EQ(fakegl::GetState().texturesMade, 0u);
    RecordProperty("gl_calls_per_frame", sceneCalls + kFrameCallsAroundScene);
}

TEST(BoardViewCalls, OutlinesAndMarksLeaveOpenGLsSwitchesAsTheyFoundThem)
{
    // A switch left on reaches every later frame: line smoothing left on by
    // the chosen chip's outline once cost the software renderer 120 MB.
    CChildView view;
    view.ShowHints(2, 5);                 // a chosen chip's outline
    view.m_hintMarks->Show({11, 15});     // the hint's opaque frames
    view.m_lastMoveMarks->Show({22, 18}); // the last move's translucent tint
    fakegl::Reset();
    view.m_root->Render();
    EXPECT_EQ(fakegl::Count("glEnable(GL_LINE_SMOOTH)"), 1);
    EXPECT_EQ(fakegl::Count("glEnable(GL_BLEND)"), 2) << "each tinted square";
    EXPECT_TRUE(fakegl::GetState().enabled.empty())
        << "still on: " << fakegl::GetState().enabled.size() << " switch(es)";
    EXPECT_EQ(fakegl::GetState().errors, 0);
}
