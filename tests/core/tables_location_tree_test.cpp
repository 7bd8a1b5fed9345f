#include "core/map/map_list.h"
#include "core/tables/app_data.h"
#include "core/tables/location_tree.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

CLocationNode Location(uint32_t id, uint32_t parentId, const std::string& name, uint32_t mapId = 0)
{
    CLocationNode node;
    node.id = id;
    node.parentId = parentId;
    node.name = name;
    node.mapId = mapId;
    return node;
}

// "name(child child ...)" of the whole tree from the root, children in tree order.
std::string Shape(const CLocationNode& node)
{
    std::string text = node.name;
    if (node.GetFirstChild() != nullptr) {
        text += "(";
        for (const CLocationNode* child = node.GetFirstChild(); child != nullptr; child = child->GetNextSibling()) {
            if (child != node.GetFirstChild()) {
                text += " ";
            }
            text += Shape(*child);
            EXPECT_EQ(child->GetParentNode(), &node);
        }
        text += ")";
    }
    return text;
}

TEST(LocationTree, RootIsThereFromTheStart)
{
    CLocationTree tree;
    EXPECT_EQ(tree.Root().name, "<Root>");
    EXPECT_EQ(tree.Root().id, 0u);
    EXPECT_EQ(tree.FindLocation(0), &tree.Root());
    EXPECT_EQ(tree.ResolveLocationNode(nullptr), &tree.Root());
    EXPECT_EQ(tree.FindLocationByName("<Root>"), &tree.Root());
    EXPECT_EQ(tree.Count(), 0u);
    EXPECT_EQ(tree.UpsertLocation(Location(0, 0, "x")), LocationResult::kInvalidId);
    EXPECT_EQ(tree.RemoveLocation(0), LocationResult::kInvalidId);
}

TEST(LocationTree, UpsertLinksByParentIdInAnyOrder)
{
    CLocationTree tree;
    // Children arrive before their parents.
    ASSERT_EQ(tree.UpsertLocation(Location(4, 2, "d")), LocationResult::kOk);
    ASSERT_EQ(tree.UpsertLocation(Location(3, 1, "c")), LocationResult::kOk);
    ASSERT_EQ(tree.UpsertLocation(Location(2, 1, "b")), LocationResult::kOk);
    EXPECT_EQ(Shape(tree.Root()), "<Root>(c b(d))");
    ASSERT_EQ(tree.UpsertLocation(Location(1, 0, "a")), LocationResult::kOk);
    EXPECT_EQ(Shape(tree.Root()), "<Root>(a(c b(d)))");
    EXPECT_EQ(tree.Count(), 4u);

    const CLocationNode* d = tree.FindLocation(4);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->HasAncestor(2), 1);
    EXPECT_EQ(d->HasAncestor(1), 1);
    EXPECT_EQ(d->HasAncestor(0), 1);
    EXPECT_EQ(d->HasAncestor(4), 0);
    EXPECT_EQ(d->HasAncestor(3), 0);
    EXPECT_EQ(tree.FindLocationByName("d"), d);
    EXPECT_EQ(tree.FindLocationByName("e"), nullptr);

    const std::vector<CLocationNode*> children = tree.FindLocation(1)->GetChildren();
    ASSERT_EQ(children.size(), 2u);
    EXPECT_EQ(children[0]->name, "c");
    EXPECT_EQ(children[1]->name, "b");

    // Depth-first walk: children before the next sibling.
    std::string walk;
    for (CLocationNode* node = &tree.Root(); node != nullptr; node = CLocationTree::NextInWalk(node)) {
        walk += node->name + " ";
    }
    EXPECT_EQ(walk, "<Root> a c b d ");
}

TEST(LocationTree, UpsertReplacesValuesAndMovesBetweenParents)
{
    CLocationTree tree;
    ASSERT_EQ(tree.UpsertLocation(Location(1, 0, "a")), LocationResult::kOk);
    ASSERT_EQ(tree.UpsertLocation(Location(2, 0, "b")), LocationResult::kOk);
    bool mapChanged = true;
    ASSERT_EQ(tree.UpsertLocation(Location(3, 1, "c"), &mapChanged), LocationResult::kOk);
    EXPECT_FALSE(mapChanged);
    CLocationNode* c = tree.FindLocation(3);
    c->inScope = 0;
    c->gravestSeverity = 2;

    CLocationNode values = Location(3, 2, std::string(30, 'x'), 7);
    values.comment = std::string(70, 'y');
    values.email = std::string(70, 'z');
    values.contact = std::string(30, 'p');
    ASSERT_EQ(tree.UpsertLocation(values, &mapChanged), LocationResult::kOk);
    EXPECT_TRUE(mapChanged);
    EXPECT_EQ(tree.FindLocation(3), c);
    EXPECT_EQ(c->name, std::string(20, 'x'));
    EXPECT_EQ(c->comment.size(), 60u);
    EXPECT_EQ(c->email.size(), 60u);
    EXPECT_EQ(c->contact.size(), 20u);
    EXPECT_EQ(c->mapId, 7u);
    // The client's own marks stay.
    EXPECT_EQ(c->inScope, 0u);
    EXPECT_EQ(c->gravestSeverity, 2u);
    EXPECT_EQ(Shape(tree.Root()), "<Root>(a b(" + std::string(20, 'x') + "))");

    ASSERT_EQ(tree.UpsertLocation(Location(3, 2, "c", 7), &mapChanged), LocationResult::kOk);
    EXPECT_FALSE(mapChanged);
}

TEST(LocationTree, ParentLoopsAreRefused)
{
    CLocationTree tree;
    ASSERT_EQ(tree.UpsertLocation(Location(1, 0, "a")), LocationResult::kOk);
    ASSERT_EQ(tree.UpsertLocation(Location(2, 1, "b")), LocationResult::kOk);
    ASSERT_EQ(tree.UpsertLocation(Location(3, 2, "c")), LocationResult::kOk);
    EXPECT_EQ(tree.UpsertLocation(Location(1, 3, "a2")), LocationResult::kParentLoop);
    EXPECT_EQ(tree.UpsertLocation(Location(2, 2, "b2")), LocationResult::kParentLoop);
    EXPECT_EQ(tree.UpsertLocation(Location(5, 5, "e")), LocationResult::kParentLoop);
    EXPECT_EQ(tree.FindLocation(1)->name, "a");
    EXPECT_EQ(tree.FindLocation(5), nullptr);
    EXPECT_EQ(Shape(tree.Root()), "<Root>(a(b(c)))");

    // Two locations naming each other as parent: the second waits below the root instead of closing a loop.
    CLocationTree other;
    ASSERT_EQ(other.UpsertLocation(Location(1, 2, "a")), LocationResult::kOk);
    ASSERT_EQ(other.UpsertLocation(Location(2, 1, "b")), LocationResult::kOk);
    EXPECT_EQ(Shape(other.Root()), "<Root>(a(b))");
    int visited = 0;
    for (CLocationNode* node = &other.Root(); node != nullptr; node = CLocationTree::NextInWalk(node)) {
        ASSERT_LT(++visited, 10);
    }
}

TEST(LocationTree, RemovingMovesChildrenToTheParent)
{
    CLocationTree tree;
    ASSERT_EQ(tree.UpsertLocation(Location(1, 0, "a")), LocationResult::kOk);
    ASSERT_EQ(tree.UpsertLocation(Location(2, 1, "b")), LocationResult::kOk);
    ASSERT_EQ(tree.UpsertLocation(Location(3, 2, "c")), LocationResult::kOk);
    ASSERT_EQ(tree.UpsertLocation(Location(4, 2, "d")), LocationResult::kOk);
    ASSERT_EQ(tree.UpsertLocation(Location(5, 1, "e")), LocationResult::kOk);

    ASSERT_EQ(tree.RemoveLocation(2), LocationResult::kOk);
    EXPECT_EQ(Shape(tree.Root()), "<Root>(a(e c d))");
    EXPECT_EQ(tree.FindLocation(3)->parentId, 1u);
    EXPECT_EQ(tree.FindLocation(4)->parentId, 1u);
    EXPECT_EQ(tree.FindLocation(2), nullptr);

    ASSERT_EQ(tree.RemoveLocation(1), LocationResult::kOk);
    EXPECT_EQ(Shape(tree.Root()), "<Root>(e c d)");
    EXPECT_EQ(tree.FindLocation(5)->parentId, 0u);
    EXPECT_EQ(tree.RemoveLocation(1), LocationResult::kNotFound);
    EXPECT_EQ(tree.Count(), 3u);

    // A location that waits for its parent hands the wait on to its children.
    ASSERT_EQ(tree.UpsertLocation(Location(7, 9, "g")), LocationResult::kOk);
    ASSERT_EQ(tree.UpsertLocation(Location(8, 7, "h")), LocationResult::kOk);
    ASSERT_EQ(tree.RemoveLocation(7), LocationResult::kOk);
    ASSERT_EQ(tree.UpsertLocation(Location(9, 0, "i")), LocationResult::kOk);
    EXPECT_EQ(Shape(tree.Root()), "<Root>(e c d i(h))");

    tree.Clear();
    EXPECT_EQ(Shape(tree.Root()), "<Root>");
    EXPECT_EQ(tree.Count(), 0u);
    // A cleared tree forgets who waited.
    ASSERT_EQ(tree.UpsertLocation(Location(9, 0, "i")), LocationResult::kOk);
    EXPECT_EQ(Shape(tree.Root()), "<Root>(i)");
}

TEST(LocationTree, AWaitingLocationThatMovesAwayStopsWaiting)
{
    CLocationTree tree;
    ASSERT_EQ(tree.UpsertLocation(Location(1, 0, "a")), LocationResult::kOk);
    // 7 waits for its parent 9, then moves under 1 and goes away before 9 arrives.
    ASSERT_EQ(tree.UpsertLocation(Location(7, 9, "g")), LocationResult::kOk);
    ASSERT_EQ(tree.UpsertLocation(Location(7, 1, "g")), LocationResult::kOk);
    EXPECT_EQ(Shape(tree.Root()), "<Root>(a(g))");
    ASSERT_EQ(tree.RemoveLocation(7), LocationResult::kOk);
    ASSERT_EQ(tree.UpsertLocation(Location(9, 0, "i")), LocationResult::kOk);
    EXPECT_EQ(Shape(tree.Root()), "<Root>(a i)");
    EXPECT_EQ(tree.Count(), 2u);
}

// A waits below the root for its parent B, which is A's own child; removing A gives B no loop: it goes to the root, and
// every location stays reachable from it and can be removed in turn.
TEST(LocationTree, RemovingALocationWhoseParentIsItsChildLeavesNoLoop)
{
    CLocationTree tree;
    ASSERT_EQ(tree.UpsertLocation(Location(1, 2, "A")), LocationResult::kOk);
    ASSERT_EQ(tree.UpsertLocation(Location(2, 1, "B")), LocationResult::kOk);
    ASSERT_EQ(tree.UpsertLocation(Location(3, 2, "C")), LocationResult::kOk);
    ASSERT_EQ(Shape(tree.Root()), "<Root>(A(B(C)))");

    ASSERT_EQ(tree.RemoveLocation(1), LocationResult::kOk);
    EXPECT_EQ(Shape(tree.Root()), "<Root>(B(C))");
    EXPECT_EQ(tree.FindLocation(2)->parentId, 0u);

    ASSERT_EQ(tree.RemoveLocation(2), LocationResult::kOk);
    EXPECT_EQ(Shape(tree.Root()), "<Root>(C)");
    ASSERT_EQ(tree.RemoveLocation(3), LocationResult::kOk);
    EXPECT_EQ(Shape(tree.Root()), "<Root>");
}

TEST(LocationTree, ResolveLooksTheNodeUpAgain)
{
    CLocationTree tree;
    ASSERT_EQ(tree.UpsertLocation(Location(1, 0, "a")), LocationResult::kOk);
    const CLocationNode copy = *tree.FindLocation(1);
    EXPECT_EQ(copy.GetParentNode(), nullptr); // a copy is linked to no tree
    EXPECT_EQ(tree.ResolveLocationNode(&copy), tree.FindLocation(1));
    ASSERT_EQ(tree.RemoveLocation(1), LocationResult::kOk);
    EXPECT_EQ(tree.ResolveLocationNode(&copy), nullptr);
}

TEST(LocationTree, MapOfALocationFallsBackToTheWorldMap)
{
    CMapList maps;
    maps.SetMapCount(1);
    maps.GetMapAt(0)->id = 12;
    maps.GetMapAt(0)->name = "Region";
    CLocationTree tree;
    ASSERT_EQ(tree.UpsertLocation(Location(1, 0, "a", 12)), LocationResult::kOk);
    ASSERT_EQ(tree.UpsertLocation(Location(2, 0, "b", 0)), LocationResult::kOk);
    ASSERT_EQ(tree.UpsertLocation(Location(3, 0, "c", 99)), LocationResult::kOk);
    EXPECT_EQ(&FindMapDefOfLocation(tree, maps, 1), maps.GetMapAt(0));
    EXPECT_EQ(&FindMapDefOfLocation(tree, maps, 2), &maps.GetWorldMap());
    EXPECT_EQ(&FindMapDefOfLocation(tree, maps, 3), &maps.GetWorldMap());
    EXPECT_EQ(&FindMapDefOfLocation(tree, maps, 4), &maps.GetWorldMap());
}

} // namespace
