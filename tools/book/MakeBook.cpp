// plaxen_makebook: grows the opening book by drop-out expansion from the
// start. Every move of a book position is valued by a search of fixed size;
// the book then grows at the move whose line gives away least against the
// best play along it (summed over both sides' choices), so the lines that
// good play meets are the deepest. Single-threaded searches from a cleared
// table: the same arguments give the same book.
//
//   plaxen_makebook <book out> [expansions] [nodes a move] [largest drop]

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <thread>
#include <unordered_map>
#include <vector>

#include "engine/HashKeys.h"
#include "engine/MoveGen.h"
#include "engine/OpeningBook.h"
#include "engine/Search.h"

namespace
{
constexpr int kMaxBookPly = 24;

struct Child
{
    EngineMove move;
    CPosition after;
    int score; // for the side to move in the parent, from the search
};

struct Node
{
    CPosition position;
    std::vector<Child> children;
};

class CBookTree
{
public:
    CBookTree(std::uint64_t nodes, int jobs) : m_nodes(nodes), m_jobs(jobs) {}

    void Expand(const CPosition& position)
    {
        Node node{position, {}};
        CMoveList list;
        GenerateMoves(position, list);
        for (int i = 0; i < list.Size(); ++i)
            node.children.push_back({list[i], position.After(list[i]), 0});
        // The children's searches share out over the jobs, each with a
        // table of its own cleared first, so the order does not matter.
        std::atomic<std::size_t> next{0};
        auto work = [&]
        {
            CSearch search(16);
            const std::atomic<bool> never{false};
            for (std::size_t i; (i = next++) < node.children.size();)
            {
                Child& child = node.children[i];
                search.Clear();
                const SearchResult result = search.Run(child.after, {.nodes = m_nodes}, never);
                child.score = result.hasMove ? -result.info.score : kWinScore;
            }
        };
        std::vector<std::thread> threads;
        for (int j = 0; j < m_jobs; ++j)
            threads.emplace_back(work);
        for (std::thread& t : threads)
            t.join();
        m_tree[PositionKey(position)] = std::move(node);
    }

    // The unexpanded position whose line drops least, if any within `maxDrop`.
    std::optional<CPosition> Next(const CPosition& root, int maxDrop)
    {
        m_values.clear();
        std::optional<CPosition> best;
        int bestDrop = maxDrop + 1;
        Visit(root, 0, 0, best, bestDrop);
        return best;
    }

    COpeningBook Book()
    {
        m_values.clear();
        COpeningBook book;
        for (const auto& [key, node] : m_tree)
        {
            std::vector<BookMove> moves;
            for (const Child& child : node.children)
                moves.push_back({ToNotated(child.move), ChildValue(child)});
            book.Add(node.position, std::move(moves));
        }
        return book;
    }

    int Size() const { return static_cast<int>(m_tree.size()); }

private:
    const Node* Find(const CPosition& position) const
    {
        const auto found = m_tree.find(PositionKey(position));
        return found == m_tree.end() ? nullptr : &found->second;
    }

    int ChildValue(const Child& child)
    {
        return Find(child.after) ? -Value(child.after) : child.score;
    }

    // Minimax over the book so far, from the side to move.
    int Value(const CPosition& position)
    {
        const std::uint64_t key = PositionKey(position);
        if (const auto known = m_values.find(key); known != m_values.end())
            return known->second;
        int best = -kWinScore;
        for (const Child& child : Find(position)->children)
            best = std::max(best, ChildValue(child));
        m_values[key] = best;
        return best;
    }

    void Visit(const CPosition& position, int ply, int drop, std::optional<CPosition>& best,
               int& bestDrop)
    {
        const int value = Value(position);
        for (const Child& child : Find(position)->children)
        {
            const int childDrop = drop + value - ChildValue(child);
            if (childDrop >= bestDrop || child.after.IsOver() || ply + 1 >= kMaxBookPly)
                continue;
            if (Find(child.after))
                Visit(child.after, ply + 1, childDrop, best, bestDrop);
            else
            {
                best = child.after;
                bestDrop = childDrop;
            }
        }
    }

    std::uint64_t m_nodes;
    int m_jobs;
    std::unordered_map<std::uint64_t, Node> m_tree;
    std::unordered_map<std::uint64_t, int> m_values;
};
} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
    {
        std::fprintf(stderr,
                     "usage: plaxen_makebook <book out> [expansions] [nodes] [largest drop]\n");
        return 2;
    }
    const int expansions = argc > 2 ? std::atoi(argv[2]) : 300;
    const std::uint64_t nodes = argc > 3 ? std::strtoull(argv[3], nullptr, 10) : 300'000;
    const int maxDrop = argc > 4 ? std::atoi(argv[4]) : 60;

    CBookTree tree(nodes, 2);
    const CPosition start = CPosition::Start();
    tree.Expand(start);
    while (tree.Size() < expansions)
    {
        const std::optional<CPosition> next = tree.Next(start, maxDrop);
        if (!next)
            break;
        tree.Expand(*next);
        if (tree.Size() % 25 == 0)
            std::fprintf(stderr, "%d positions\n", tree.Size());
    }
    const COpeningBook book = tree.Book();
    std::ofstream out(argv[1], std::ios::binary);
    out << book.Print();
    if (!out)
    {
        std::fprintf(stderr, "plaxen_makebook: cannot write %s\n", argv[1]);
        return 1;
    }
    std::printf("%d positions in %s\n", book.Size(), argv[1]);
    return 0;
}
