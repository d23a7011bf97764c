#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>
#include <map>
#include <set>
#include <vector>

#include <gtest/gtest.h>
#include <unistd.h>

#include "glwnd/MessageService.h"
#include "scene/SGBox.h"
#include "scene/SGComposite.h"
#include "scene/SGCylinder.h"
#include "scene/SGMesh.h"
#include "scene/SGPolygon.h"
#include "scene/SGRotationTranslation.h"
#include "scene/SGdravoCylinder.h"
#include "view/ChildView.h"

// Deletions are recorded while a test asks for it, so that the release of
// the view can be checked node by node.
namespace
{
bool s_recordDeletes = false;
std::map<void*, int>* s_deletes = nullptr;

void NoteDelete(void* p)
{
    if (s_recordDeletes && p != nullptr)
    {
        s_recordDeletes = false; // the map's own allocations are not nodes
        ++(*s_deletes)[p];
        s_recordDeletes = true;
    }
}
} // namespace

// Only deletion is replaced, and it hands every block on to the allocator's
// own operator delete (the C++ library's, or the sanitizer's), so that
// allocation and release stay paired whatever else is linked in.
void operator delete(void* p) noexcept
{
    using Delete = void (*)(void*) noexcept;
    static const auto next = reinterpret_cast<Delete>(dlsym(RTLD_NEXT, "_ZdlPv"));
    NoteDelete(p);
    next(p);
}
// The library's sized delete may call the unsized one; going through ours
// once keeps each block noted once.
void operator delete(void* p, std::size_t) noexcept
{
    ::operator delete(p);
}

namespace
{
// Every link a node holds, in the order it holds them.
std::vector<CSGNode*> Links(CSGNode* node)
{
    std::vector<CSGNode*> out;
    auto add = [&out](const std::vector<CSGPtr>& list)
    {
        for (const CSGPtr& p : list)
            out.push_back(p.get());
    };
    if (auto* n = dynamic_cast<CSGRotationTranslation*>(node))
        add(n->m_children);
    else if (auto* n = dynamic_cast<CSGComposite*>(node))
        add(n->m_children);
    else if (auto* n = dynamic_cast<CSGBox*>(node))
        out.push_back(n->m_texture.get()), add(n->m_polygons);
    else if (auto* n = dynamic_cast<CSGCylinder*>(node))
        out.push_back(n->m_texture.get()), add(n->m_polygons);
    else if (auto* n = dynamic_cast<CSGdravoCylinder*>(node))
        add(n->m_polygons);
    else if (auto* n = dynamic_cast<CSGMesh*>(node))
        out.push_back(n->m_texture.get());
    else if (auto* n = dynamic_cast<CSGPolygon*>(node))
        out.push_back(n->m_texture.get());
    std::erase(out, nullptr);
    return out;
}

// How many holders each node has: links from other nodes plus the view's
// own fields. Every node reachable from the view is a key.
std::map<CSGNode*, int> Holders(const CChildView& view)
{
    std::map<CSGNode*, int> holders;
    std::vector<CSGNode*> pending;
    auto hold = [&](CSGNode* node)
    {
        if (node == nullptr)
            return;
        if (holders[node]++ == 0)
            pending.push_back(node);
    };
    for (const CSGPtr* field : {&view.m_rootRotation, &view.m_root, &view.m_boardNode,
                                &view.m_chipsNode, &view.m_hintsNode, &view.m_blackChipTexture,
                                &view.m_redChipTexture, &view.m_selectedChip})
        hold(field->get());
    for (const CSGPtr& chip : view.m_chipNodes)
        hold(chip.get());
    while (!pending.empty())
    {
        CSGNode* node = pending.back();
        pending.pop_back();
        for (CSGNode* link : Links(node))
            hold(link);
    }
    return holders;
}

// Nodes whose count differs from the number of their holders, as text.
std::string WrongCounts(const CChildView& view)
{
    std::string wrong;
    for (const auto& [node, count] : Holders(view))
        if (node->m_refs != count)
            wrong += std::string(typeid(*node).name()) + " has " + std::to_string(node->m_refs) +
                     " references for " + std::to_string(count) + " holders\n";
    return wrong;
}

CSGRotationTranslation& Transform(CSGNode* node)
{
    return dynamic_cast<CSGRotationTranslation&>(*node);
}

class RecordingBoxes
{
public:
    RecordingBoxes()
        : m_old(SetMessageBoxHandler([this](const std::string& text, const std::string&, unsigned)
                                     { texts.push_back(text); }))
    {
    }
    ~RecordingBoxes() { SetMessageBoxHandler(m_old); }
    std::vector<std::string> texts;

private:
    MessageBoxHandler m_old;
};
} // namespace

TEST(BoardScene, BoardNodeHoldsNineChildrenWithSharedSidesHeldOnce)
{
    RecordingBoxes boxes;
    CChildView view;
    EXPECT_TRUE(boxes.texts.empty()) << boxes.texts.front();

    auto& root = Transform(view.m_root.get());
    ASSERT_EQ(view.m_rootRotation.get(), view.m_root.get());
    ASSERT_EQ(root.m_children.size(), 1u);
    ASSERT_EQ(root.m_children[0].get(), view.m_boardNode.get());

    auto& board = Transform(view.m_boardNode.get());
    ASSERT_EQ(board.m_children.size(), 9u);
    auto* mesh = dynamic_cast<CSGMesh*>(board.Child(0));
    auto* underside = dynamic_cast<CSGPolygon*>(board.Child(1));
    auto* strip = dynamic_cast<CSGPolygon*>(board.Child(2));
    ASSERT_TRUE(mesh && underside && strip);
    EXPECT_EQ(mesh->m_name, 1);
    EXPECT_FALSE(mesh->m_corners.empty()) << "the board mesh was not read";
    EXPECT_EQ(mesh->m_texture.get(), underside->m_texture.get());
    EXPECT_NE(strip->m_texture.get(), mesh->m_texture.get()) << "sides are wood, not board";

    auto& sideA = Transform(board.Child(3));
    auto& sideB = Transform(board.Child(4));
    ASSERT_EQ(sideA.m_children.size(), 2u);
    ASSERT_EQ(sideB.m_children.size(), 2u);
    EXPECT_EQ(sideA.Child(0), strip);
    EXPECT_EQ(sideB.Child(0), strip);
    EXPECT_EQ(sideA.Child(1), sideB.Child(1)) << "one rail transform for both sides";
    EXPECT_EQ(sideB.m_angle, 180.0);

    auto& endA = Transform(board.Child(5));
    auto& endB = Transform(board.Child(6));
    ASSERT_EQ(endA.m_children.size(), 1u);
    ASSERT_EQ(endB.m_children.size(), 1u);
    EXPECT_EQ(endA.Child(0), endB.Child(0)) << "one end box for both ends";
    EXPECT_NE(dynamic_cast<CSGBox*>(endA.Child(0)), nullptr);

    EXPECT_EQ(board.Child(7), view.m_chipsNode.get());
    EXPECT_EQ(board.Child(8), view.m_hintsNode.get());
    EXPECT_EQ(dynamic_cast<CSGComposite&>(*view.m_chipsNode).m_children.size(), 24u);
    EXPECT_TRUE(dynamic_cast<CSGComposite&>(*view.m_hintsNode).m_children.empty());

    // Shared nodes are counted once per holder, and so is everything else.
    EXPECT_EQ(strip->m_refs, 3);
    EXPECT_EQ(sideA.Child(1)->m_refs, 2);
    EXPECT_EQ(endA.Child(0)->m_refs, 2);
    EXPECT_EQ(WrongCounts(view), "");
}

TEST(BoardScene, ReleasingTheViewDeletesEveryNodeExactlyOnce)
{
    auto* view = new CChildView;
    view->ShowHints(2, 5);
    view->m_selectedChip = view->m_chipNodes[0 + 7]; // a chosen chip is one more holder
    view->PlaceChips();                              // ... which then outlives the rebuild
    ASSERT_EQ(WrongCounts(*view), "");
    const std::map<CSGNode*, int> nodes = Holders(*view);
    ASSERT_GT(nodes.size(), 24u * 103);

    std::map<void*, int> deletes;
    s_deletes = &deletes;
    s_recordDeletes = true;
    delete view;
    s_recordDeletes = false;
    s_deletes = nullptr;

    int missing = 0, twice = 0;
    for (const auto& [node, holders] : nodes)
    {
        const int times = deletes.count(node) ? deletes.at(node) : 0;
        missing += times == 0;
        twice += times > 1;
    }
    EXPECT_EQ(missing, 0);
    EXPECT_EQ(twice, 0);
}

TEST(BoardScene, MissingArtIsReportedInOrderAndTheSceneStillBuilds)
{
    const auto home = std::filesystem::current_path();
    const auto empty = std::filesystem::temp_directory_path() / "plaxen-view-no-res";
    std::filesystem::create_directories(empty);
    std::filesystem::current_path(empty);
    RecordingBoxes boxes;
    {
        CChildView view;
        auto& board = Transform(view.m_boardNode.get());
        ASSERT_EQ(board.m_children.size(), 9u);
        EXPECT_TRUE(dynamic_cast<CSGMesh&>(*board.Child(0)).m_corners.empty());
        EXPECT_EQ(dynamic_cast<CSGComposite&>(*view.m_chipsNode).m_children.size(), 24u);
        EXPECT_TRUE(view.m_facingSide0);
    }
    std::filesystem::current_path(home);
    std::filesystem::remove_all(empty);

    const std::vector<std::string> expected = {
        "Unable to open image file: res/black-chip.bmp",
        "Unable to open image file: res/red-chip.bmp",
        "File not found",
        "Unable to open image file: res/board.bmp",
        "Unable to open image file: res/wood02.bmp",
    };
    EXPECT_EQ(boxes.texts, expected);
}
