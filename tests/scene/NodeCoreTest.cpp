#include "scene/SGComposite.h"
#include "scene/SGPolygon.h"
#include "scene/SGPtr.h"
#include "scene/SGRotationTranslation.h"
#include "scene/SGdravoCylinder.h"
#include "tests/fakegl/FakeGL.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace
{

using Strings = std::vector<std::string>;

// Leaf that notes its draws in the GL log and its deletion in `deaths`.
struct Probe : CSGNode
{
    Probe(std::string tag, Strings* deaths) : m_tag(std::move(tag)), m_deaths(deaths) {}
    ~Probe() override
    {
        if (m_deaths)
            m_deaths->push_back(m_tag);
    }
    void Render() override { fakegl::Note(m_tag); }

    std::string m_tag;
    Strings* m_deaths;
};

} // namespace

TEST(SGPtr, CountsEveryHolderAndDeletesOnce)
{
    Strings deaths;
    auto* node = new Probe("a", &deaths);
    EXPECT_EQ(node->m_refs, 0);
    EXPECT_TRUE(node->m_pushMatrix);
    {
        CSGComposite group;
        CSGPtr mine(node);
        group.AddChild(mine);
        EXPECT_EQ(node->m_refs, 2);
        CSGPtr copy = mine;
        CSGPtr moved = std::move(copy);
        EXPECT_FALSE(copy);
        EXPECT_EQ(node->m_refs, 3);
        moved.reset();
        mine.reset();
        EXPECT_TRUE(deaths.empty());
        EXPECT_EQ(node->m_refs, 1);
    }
    EXPECT_EQ(deaths, Strings{"a"});
}

TEST(SGPtr, ReassigningTheSameNodeKeepsIt)
{
    Strings deaths;
    CSGPtr p(new Probe("a", &deaths));
    p = p.get();
    CSGPtr& alias = p;
    p = alias;
    p = std::move(alias);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->m_refs, 1);
    EXPECT_TRUE(deaths.empty());

    p = new Probe("b", &deaths);
    EXPECT_EQ(deaths, Strings{"a"});
    p = nullptr;
    EXPECT_EQ(deaths, (Strings{"a", "b"}));
}

TEST(SGPtr, AssigningAChildOverItsParentKeepsTheChild)
{
    Strings deaths;
    auto* parent = new CSGComposite;
    parent->AddChild(CSGPtr(new Probe("child", &deaths)));
    CSGPtr p(parent);
    p = std::move(parent->m_children[0]);
    EXPECT_TRUE(deaths.empty());
    ASSERT_TRUE(p);
    EXPECT_EQ(p->m_refs, 1);
    p.reset();
    EXPECT_EQ(deaths, Strings{"child"});
}

TEST(SGPtr, TreeReleasesSharedNodesOnceAndChildrenInOrder)
{
    Strings deaths;
    CSGPtr texture(new Probe("texture", &deaths));
    {
        CSGPtr root(new CSGComposite);
        auto* group = static_cast<CSGComposite*>(root.get());
        for (int i = 0; i < 3; ++i)
        {
            auto* face = new CSGPolygon;
            face->m_texture = texture;
            group->AddChild(CSGPtr(face));
        }
        auto* rail = new CSGdravoCylinder(0.1, 1.0);
        rail->SetTexture(texture);
        group->AddChild(CSGPtr(rail));
        EXPECT_EQ(texture->m_refs, 1 + 3 + 53);

        auto* move = new CSGRotationTranslation;
        move->AddChild(CSGPtr(new Probe("first", &deaths)));
        move->AddChild(CSGPtr(new Probe("second", &deaths)));
        group->AddChild(CSGPtr(move));
        texture.reset(); // the tree now holds the only references
        EXPECT_TRUE(deaths.empty());
    }
    // The rail's faces hold the last texture counts; the transform comes later.
    EXPECT_EQ(deaths, (Strings{"texture", "first", "second"}));
}

TEST(SGRotationTranslation, DefaultTranslatesByZeroWithoutRotating)
{
    fakegl::Reset();
    CSGRotationTranslation move;
    move.AddChild(CSGPtr(new Probe("child", nullptr)));
    move.Render();
    EXPECT_EQ(fakegl::Log(),
              (Strings{"glPushMatrix()", "glTranslated(0,0,0)", "child", "glPopMatrix()"}));
}

TEST(SGRotationTranslation, TranslatesThenRotatesUnlessAngleIsZero)
{
    fakegl::Reset();
    CSGRotationTranslation move;
    move.m_angle = 90.0;
    move.m_axis[0] = 0.0;
    move.m_axis[1] = 1.0;
    move.m_translation[0] = 1.5;
    move.m_translation[2] = -2.0;
    move.Render();
    EXPECT_EQ(fakegl::Log(), (Strings{"glPushMatrix()", "glTranslated(1.5,0,-2)",
                                      "glRotated(90,0,1,0)", "glPopMatrix()"}));

    fakegl::Reset();
    move.m_angle = std::nan("");
    move.Render();
    EXPECT_EQ(fakegl::Count("glRotated"), 1);
    fakegl::Reset();
    move.m_angle = -0.0;
    move.Render();
    EXPECT_EQ(fakegl::Count("glRotated"), 0);
}

TEST(SGRotationTranslation, ClearedFlagLeavesTheMatrixAndPassesToChildren)
{
    fakegl::Reset();
    auto* outer = new CSGRotationTranslation;
    auto* inner = new CSGRotationTranslation;
    inner->m_translation[1] = 2.0;
    inner->AddChild(CSGPtr(new Probe("leaf", nullptr)));
    outer->AddChild(CSGPtr(inner));
    CSGPtr hold(outer);

    outer->m_pushMatrix = false;
    outer->Render();
    EXPECT_EQ(fakegl::Log(), (Strings{"glTranslated(0,0,0)", "glTranslated(0,2,0)", "leaf"}));
    EXPECT_FALSE(inner->m_pushMatrix);

    // A composite gives the outer node its flag back; the inner one keeps
    // its cleared flag, since only a cleared transform touches its children's.
    CSGComposite root;
    root.AddChild(hold);
    fakegl::Reset();
    root.Render();
    EXPECT_EQ(fakegl::Log(),
              (Strings{"glPushMatrix()", "glPushMatrix()", "glTranslated(0,0,0)",
                       "glTranslated(0,2,0)", "leaf", "glPopMatrix()", "glPopMatrix()"}));
    EXPECT_TRUE(outer->m_pushMatrix);
    EXPECT_FALSE(inner->m_pushMatrix);
    EXPECT_EQ(fakegl::GetState().errors, 0);
}

TEST(SGComposite, DrawsChildrenInOrderInsideOneMatrix)
{
    fakegl::Reset();
    CSGComposite group;
    group.Render();
    EXPECT_EQ(fakegl::Log(), (Strings{"glPushMatrix()", "glPopMatrix()"}));

    fakegl::Reset();
    group.m_pushMatrix = false; // a composite pushes whatever its flag says
    group.AddChild(CSGPtr(new Probe("a", nullptr)));
    group.AddChild(CSGPtr(new Probe("b", nullptr)));
    group.Render();
    EXPECT_EQ(fakegl::Log(), (Strings{"glPushMatrix()", "a", "b", "glPopMatrix()"}));
    EXPECT_EQ(group.Child(1)->m_refs, 1);
    EXPECT_EQ(group.Child(2), nullptr);
}
