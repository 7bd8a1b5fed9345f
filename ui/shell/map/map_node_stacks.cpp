#include "ui/shell/map/map_node_stacks.h"

#include "ui/shell/map/map_node_item.h"

#include <algorithm>
#include <array>
#include <functional>

namespace {

// The nodes of a pile that may bury those below them, looked at from the top: the first few that are not buried
// themselves. A node buried by one of them is buried by the one above it too, so it needs no place of its own.
constexpr size_t kCoversKept = 8;
// More nodes than this moved in one batch are sorted into their piles all over again.
constexpr size_t kMovedOneByOne = 32;

bool PlacedBefore(const CMapNodeItem* a, const CMapNodeItem* b)
{
    return a->PlaceOrder() < b->PlaceOrder();
}

} // namespace

size_t CMapNodeStacks::SpotHash::operator()(const Spot& spot) const
{
    const size_t x = std::hash<qreal>()(spot.x);
    return x ^ (std::hash<qreal>()(spot.y) + 0x9e3779b97f4a7c15ULL + (x << 6) + (x >> 2));
}

CMapNodeStacks::~CMapNodeStacks()
{
    Clear();
}

CMapNodeStacks::Spot CMapNodeStacks::SpotOf(const CMapNodeItem& node)
{
    const QPointF icon = node.pos() + node.IconOffset();
    return {icon.x(), icon.y()};
}

void CMapNodeStacks::Add(CMapNodeItem& node)
{
    if (node.stacks_ == this)
        return;
    if (node.stacks_ != nullptr)
        node.stacks_->Remove(node);
    node.stacks_ = this;
    node.placeOrder_ = nextOrder_++;
    Join(node);
    if (batches_ == 0)
        RestackChanged();
}

void CMapNodeStacks::Remove(CMapNodeItem& node)
{
    if (node.stacks_ != this)
        return;
    moved_.erase(std::remove(moved_.begin(), moved_.end(), &node), moved_.end());
    Leave(node);
    node.stacks_ = nullptr;
    node.Unbury();
    if (batches_ == 0)
        RestackChanged();
}

void CMapNodeStacks::Changed(CMapNodeItem& node)
{
    if (node.stacks_ != this)
        return;
    if (batches_ > 0) {
        moved_.push_back(&node); // a node moved twice is placed twice: the second time it stays where it is
        return;
    }
    if (SpotOf(node) == node.spot_) {
        changed_.insert(node.spot_);
    } else {
        Leave(node);
        Join(node);
    }
    RestackChanged();
}

void CMapNodeStacks::Clear()
{
    for (auto& [spot, pile] : piles_) {
        for (CMapNodeItem* node : pile) {
            node->stacks_ = nullptr;
            node->Unbury();
        }
    }
    piles_.clear();
    changed_.clear();
    moved_.clear();
}

void CMapNodeStacks::Leave(CMapNodeItem& node)
{
    const auto found = piles_.find(node.spot_);
    if (found == piles_.end())
        return;
    Pile& pile = found->second;
    const auto at = std::lower_bound(pile.begin(), pile.end(), &node, PlacedBefore);
    if (at != pile.end() && *at == &node)
        pile.erase(at);
    if (pile.empty()) {
        piles_.erase(found);
        changed_.erase(node.spot_);
    } else {
        changed_.insert(node.spot_);
    }
}

void CMapNodeStacks::Join(CMapNodeItem& node)
{
    node.spot_ = SpotOf(node);
    Pile& pile = piles_[node.spot_];
    pile.insert(std::upper_bound(pile.begin(), pile.end(), &node, PlacedBefore), &node);
    changed_.insert(node.spot_);
}

void CMapNodeStacks::PlaceMoved()
{
    if (moved_.size() <= kMovedOneByOne) {
        for (CMapNodeItem* node : moved_) {
            if (SpotOf(*node) == node->spot_) {
                changed_.insert(node->spot_);
            } else {
                Leave(*node);
                Join(*node);
            }
        }
        moved_.clear();
        return;
    }
    moved_.clear();
    std::vector<CMapNodeItem*> all;
    for (const auto& [spot, pile] : piles_)
        all.insert(all.end(), pile.begin(), pile.end());
    std::sort(all.begin(), all.end(), PlacedBefore);
    piles_.clear();
    changed_.clear();
    for (CMapNodeItem* node : all) {
        node->spot_ = SpotOf(*node);
        piles_[node->spot_].push_back(node);
    }
    for (const auto& [spot, pile] : piles_)
        changed_.insert(spot);
}

void CMapNodeStacks::RestackChanged()
{
    PlaceMoved();
    for (const Spot& spot : changed_) {
        if (const auto found = piles_.find(spot); found != piles_.end())
            Restack(found->second);
    }
    changed_.clear();
}

void CMapNodeStacks::Restack(const Pile& pile)
{
    struct Cover {
        qreal left;
        qreal right;
        int iconShape;
    };
    std::array<Cover, kCoversKept> covers;
    size_t coverCount = 0;
    for (auto it = pile.rbegin(); it != pile.rend(); ++it) {
        CMapNodeItem& node = **it;
        const qreal left = node.pos().x();
        const qreal right = left + node.Size().width();
        const int iconShape = node.IconShape();
        // Every node of a style is as tall as the others: a halo as wide or wider covers the name, the same icon
        // shape at the same place covers the icon (a node without an icon has none to cover).
        const bool buried =
            !node.isSelected() && std::any_of(covers.begin(), covers.begin() + coverCount, [&](const Cover& cover) {
                return cover.left <= left && cover.right >= right && (iconShape == 0 || cover.iconShape == iconShape);
            });
        node.SetBuried(buried);
        if (!buried && coverCount < kCoversKept)
            covers[coverCount++] = {left, right, iconShape};
    }
}
