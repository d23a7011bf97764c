#include <dlfcn.h>
#include <filesystem>
#include <map>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "ViewTestSupport.h"
#include "scene/SGBox.h"
#include "scene/SGMesh.h"
#include "scene/SGPolygon.h"
#include "scene/SGdravoCylinder.h"
#include "view/BoardMarks.h"

namespace
{
std::map<void*, int>* s_deletes = nullptr; // set while a test counts deletions
} // namespace

// Only deletion is replaced; each block goes on to the allocator's own
// operator delete (the C++ library's or the sanitizer's), so allocation and
// release stay paired. The sized form may call this one, so it forwards here.
void operator delete(void* p) noexcept
{
    static const auto next = reinterpret_cast<void (*)(void*)>(dlsym(RTLD_NEXT, "_ZdlPv"));
    if (std::map<void*, int>* deletes = std::exchange(s_deletes, nullptr))
    {
        ++(*deletes)[p]; // the map's own allocations are not counted
        s_deletes = deletes;
    }
    next(p);
}
void operator delete(void* p, std::size_t) noexcept
{
    ::operator delete(p);
}

namespace
{
// The nodes `node` holds (children, faces, texture), looked up as each of
// the node kinds that hold others.
template <class... Kinds> std::vector<CSGNode*> Links(CSGNode* node)
{
    std::vector<CSGNode*> out;
    const auto add = [&out](auto* n)
    {
        if (n == nullptr)
            return;
        if constexpr (requires { n->m_texture; })
            out.push_back(n->m_texture.get());
        if constexpr (requires { n->m_children; })
            for (const CSGPtr& p : n->m_children)
                out.push_back(p.get());
        if constexpr (requires { n->m_polygons; })
            for (const CSGPtr& p : n->m_polygons)
                out.push_back(p.get());
    };
    (add(dynamic_cast<Kinds*>(node)), ...);
    std::erase(out, nullptr);
    return out;
}

// Every node reachable from the view, with its number of holders: links
// from other nodes plus the view's own fields.
std::map<CSGNode*, int> Holders(const CChildView& view)
{
    std::map<CSGNode*, int> holders;
    std::vector<CSGNode*> pending;
    auto hold = [&](CSGNode* node)
    {
        if (node != nullptr && holders[node]++ == 0)
            pending.push_back(node);
    };
    for (const CSGPtr* field :
         {&view.m_rootRotation, &view.m_root, &view.m_boardNode, &view.m_chipsNode,
          &view.m_hintsNode, &view.m_blackChipTexture, &view.m_redChipTexture, &view.m_selectedChip,
          &view.m_chipShapes[0], &view.m_chipShapes[1], &view.m_hintMarks->Node(),
          &view.m_lastMoveMarks->Node()})
        hold(field->get());
    for (const CSGPtr& chip : view.m_chipNodes)
        hold(chip.get());
    while (!pending.empty())
    {
        CSGNode* node = pending.back();
        pending.pop_back();
        for (CSGNode* link : Links<CSGRotationTranslation, CSGComposite, CSGBox, CSGCylinder,
                                   CSGdravoCylinder, CSGMesh, CSGPolygon>(node))
            hold(link);
    }
    return holders;
}
} // namespace

TEST(BoardScene, ElevenBoardChildrenSharedSidesAndEveryNodeReleasedOnce)
{
    auto* view = new CChildView;
    auto& root = Transform(view->m_root.get());
    ASSERT_EQ(view->m_rootRotation.get(), &root);
    ASSERT_EQ(root.m_children.size(), 1u);
    ASSERT_EQ(root.Child(0), view->m_boardNode.get());
    auto& board = Transform(view->m_boardNode.get());
    ASSERT_EQ(board.m_children.size(), 11u);
    auto& mesh = dynamic_cast<CSGMesh&>(*board.Child(0));
    EXPECT_EQ(mesh.m_name, 1);
    EXPECT_EQ(mesh.m_texture.get(), dynamic_cast<CSGPolygon&>(*board.Child(1)).m_texture.get());
    CSGNode* strip = board.Child(2);
    auto &sideA = Transform(board.Child(3)), &sideB = Transform(board.Child(4));
    EXPECT_TRUE(sideA.Child(0) == strip && sideB.Child(0) == strip);
    EXPECT_EQ(sideA.Child(1), sideB.Child(1));
    EXPECT_EQ(Transform(board.Child(5)).Child(0), Transform(board.Child(6)).Child(0));
    EXPECT_EQ(board.Child(7), view->m_chipsNode.get());
    EXPECT_EQ(board.Child(8), view->m_hintsNode.get());
    EXPECT_EQ(board.Child(9), view->m_lastMoveMarks->Node().get());
    EXPECT_EQ(board.Child(10), view->m_hintMarks->Node().get());
    EXPECT_EQ(Children(view->m_chipsNode).size(), 24u);
    EXPECT_EQ(HintCount(*view), 0u);
    EXPECT_EQ(strip->m_refs, 3);
    EXPECT_EQ(sideA.Child(1)->m_refs, 2);
    EXPECT_EQ(Transform(board.Child(5)).Child(0)->m_refs, 2);

    // With a hint, marks and a chosen chip that outlived a rebuild, every
    // node is counted once per holder, and the view's release deletes each once.
    view->ShowHints(2, 5);
    view->m_hintMarks->Show({9, 14});
    view->m_lastMoveMarks->Show({22});
    view->m_selectedChip = view->m_chipNodes[7];
    view->PlaceChips();
    const std::map<CSGNode*, int> nodes = Holders(*view);
    int wrong = 0;
    for (const auto& [node, holders] : nodes)
        wrong += node->m_refs != holders;
    ASSERT_EQ(wrong, 0) << "reference counts of " << nodes.size() << " nodes";
    std::map<void*, int> deletes;
    s_deletes = &deletes;
    delete view;
    s_deletes = nullptr;
    for (const auto& entry : nodes)
        wrong += deletes[entry.first] != 1;
    EXPECT_EQ(wrong, 0) << "deletions of " << nodes.size() << " nodes";
}

TEST(BoardScene, MissingArtIsReportedInOrderAndTheSceneStillBuilds)
{
    CCommandSeams seams; // records the boxes; its empty folder has no res/
    const auto home = std::filesystem::current_path();
    std::filesystem::current_path(seams.m_folder);
    {
        CChildView view;
        EXPECT_EQ(Transform(view.m_boardNode.get()).m_children.size(), 11u);
        EXPECT_EQ(Children(view.m_chipsNode).size(), 24u);
    }
    std::filesystem::current_path(home);
    EXPECT_EQ(seams.m_boxes, (std::vector<std::string>{
                                 "Unable to open image file: res/black-chip.bmp [Plaxen, 0]",
                                 "Unable to open image file: res/red-chip.bmp [Plaxen, 0]",
                                 "File not found [Plaxen, 0]",
                                 "Unable to open image file: res/board.bmp [Plaxen, 0]",
                                 "Unable to open image file: res/wood02.bmp [Plaxen, 0]",
                             }));
}
