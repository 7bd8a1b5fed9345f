#pragma once
// The piles of nodes on a map. The NEs of a site share its longitude and latitude, so a map of thousands of NEs
// piles their nodes on the same spots, each node over the ones placed before it. A node that lies wholly under one
// node above it, with the same icon at the same place and a name's halo as wide or wider, cannot be seen: it is not
// painted, and a change of its look asks for no repaint. Without this, a state change of any NE of a pile repaints
// the whole pile, node by node, at every refresh. A selected node is never buried: its selection shows.

#include <QtGlobal>

#include <cstdint>
#include <unordered_map>
#include <unordered_set>
#include <vector>

class CMapNodeItem;

class CMapNodeStacks {
public:
    // Where a pile lies: the top-left corner of its nodes' icons in the map, compared exactly.
    struct Spot {
        qreal x = 0;
        qreal y = 0;
        bool operator==(const Spot&) const = default;
    };

    CMapNodeStacks() = default;
    CMapNodeStacks(const CMapNodeStacks&) = delete;
    CMapNodeStacks& operator=(const CMapNodeStacks&) = delete;
    ~CMapNodeStacks();

    // A node placed on the map goes on top of its spot's pile; a node taken off leaves its pile.
    void Add(CMapNodeItem& node);
    void Remove(CMapNodeItem& node);
    // The node moved, changed its width or icon shape, or was selected or deselected.
    void Changed(CMapNodeItem& node);
    // Every node leaves; the nodes are not touched otherwise.
    void Clear();

    // While a batch is open (a build or a refresh of many nodes), piles are sorted out once, when it closes.
    class Batch {
    public:
        explicit Batch(CMapNodeStacks& stacks) : stacks_(stacks) { ++stacks_.batches_; }
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;
        ~Batch()
        {
            if (--stacks_.batches_ == 0)
                stacks_.RestackChanged();
        }

    private:
        CMapNodeStacks& stacks_;
    };

private:
    struct SpotHash {
        size_t operator()(const Spot& spot) const;
    };
    using Pile = std::vector<CMapNodeItem*>; // bottom first, in the order the nodes were placed

    static Spot SpotOf(const CMapNodeItem& node);
    void Leave(CMapNodeItem& node);
    void Join(CMapNodeItem& node);
    // Nodes moved in a batch find their piles when it closes: a few one by one, many (a drag of a whole selection)
    // by sorting every node into its pile again.
    void PlaceMoved();
    void RestackChanged();
    static void Restack(const Pile& pile);

    std::unordered_map<Spot, Pile, SpotHash> piles_;
    std::unordered_set<Spot, SpotHash> changed_;
    std::vector<CMapNodeItem*> moved_;
    uint32_t nextOrder_ = 0;
    int batches_ = 0;
};
