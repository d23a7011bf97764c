#include "scene/SGComposite.h"
#include "scene/SGPtr.h"
#include "scene/SGRotationTranslation.h"
#include "tests/fakegl/FakeGL.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using fakegl::Drawn;

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

TEST(SGPtr, ReassigningTheHeldNodeKeepsItEvenAsTheOnlyReference)
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

    // Moving a child over its parent: the parent dies, the child is kept.
    auto* parent = new CSGComposite;
    parent->AddChild(CSGPtr(new Probe("child", &deaths)));
    p = parent;
    p = std::move(parent->m_children[0]);
    EXPECT_EQ(deaths, Strings{"a"});
    EXPECT_EQ(p->m_refs, 1);
    p = nullptr;
    EXPECT_EQ(deaths, (Strings{"a", "child"}));
}

TEST(SGRotationTranslation, TranslatesThenRotatesAndAClearedFlagSkipsTheMatrixPush)
{
    CSGRotationTranslation move;
    move.AddChild(CSGPtr(new Probe("child", nullptr)));
    EXPECT_EQ(Drawn(move), "glPushMatrix() glTranslated(0,0,0) child glPopMatrix()");

    move.SetRotation(90.0, 0.0, 1.0, 0.0);
    move.SetTranslation(1.5, 0.0, -2.0);
    EXPECT_EQ(Drawn(move), "glPushMatrix() glTranslated(1.5,0,-2) glRotated(90,0,1,0) child "
                           "glPopMatrix()");
    move.m_angle = -0.0;
    EXPECT_EQ(Drawn(move).find("glRotated"), std::string::npos);

    // A cleared flag leaves the matrix alone and passes to the children.
    CSGComposite root;
    EXPECT_EQ(Drawn(root), "glPushMatrix() glPopMatrix()");

    auto* outer = new CSGRotationTranslation;
    auto* inner = new CSGRotationTranslation;
    inner->SetTranslation(0.0, 2.0, 0.0);
    inner->AddChild(CSGPtr(new Probe("leaf", nullptr)));
    outer->AddChild(CSGPtr(inner));
    root.AddChild(CSGPtr(outer));
    outer->m_pushMatrix = false;
    EXPECT_EQ(Drawn(*outer), "glTranslated(0,0,0) glTranslated(0,2,0) leaf");
    EXPECT_FALSE(inner->m_pushMatrix);

    // The composite gives the outer node its flag back; the inner one keeps
    // its cleared flag, since only a cleared transform touches its children's.
    EXPECT_EQ(Drawn(root), "glPushMatrix() glPushMatrix() glTranslated(0,0,0) "
                           "glTranslated(0,2,0) leaf glPopMatrix() glPopMatrix()");
    EXPECT_TRUE(outer->m_pushMatrix);
    EXPECT_FALSE(inner->m_pushMatrix);
}
