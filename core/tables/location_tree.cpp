#include "core/tables/location_tree.h"

#include "core/map/map_list.h"
#include "core/tables/app_data.h"

#include <algorithm>

namespace {

std::string Cut(const std::string& text, size_t width)
{
    return text.size() > width ? text.substr(0, width) : text;
}

void CopyValues(CLocationNode& node, const CLocationNode& values)
{
    node.parentId = values.parentId;
    node.name = Cut(values.name, CLocationNode::kNameMax);
    node.comment = Cut(values.comment, CLocationNode::kCommentMax);
    node.contact = Cut(values.contact, CLocationNode::kContactMax);
    node.telephone = Cut(values.telephone, CLocationNode::kTelephoneMax);
    node.mobile = Cut(values.mobile, CLocationNode::kMobileMax);
    node.email = Cut(values.email, CLocationNode::kEmailMax);
    node.mapId = values.mapId;
    node.kind = values.kind;
}

} // namespace

CLocationTree::CLocationTree() : root_(std::make_unique<CLocationNode>())
{
    root_->name = std::string(kRootName);
}

CLocationNode* CLocationTree::FindLocation(uint32_t id) const
{
    if (id == 0) {
        return root_.get();
    }
    auto it = nodes_.find(id);
    return it == nodes_.end() ? nullptr : it->second.get();
}

CLocationNode* CLocationTree::FindLocationByName(std::string_view name) const
{
    for (CLocationNode* node = root_.get(); node != nullptr; node = NextInWalk(node)) {
        if (node->name == name) {
            return node;
        }
    }
    return nullptr;
}

CLocationNode* CLocationTree::ResolveLocationNode(const CLocationNode* node) const
{
    return node == nullptr ? root_.get() : FindLocation(node->id);
}

CLocationNode* CLocationTree::NextInWalk(const CLocationNode* node)
{
    if (node->links_.firstChild != nullptr) {
        return node->links_.firstChild;
    }
    for (; node != nullptr; node = node->links_.parent) {
        if (node->links_.nextSibling != nullptr) {
            return node->links_.nextSibling;
        }
    }
    return nullptr;
}

CLocationNode* CLocationTree::NextInSubtree(const CLocationNode* node, const CLocationNode* top, bool intoChildren)
{
    if (intoChildren && node->links_.firstChild != nullptr) {
        return node->links_.firstChild;
    }
    for (; node != nullptr && node != top; node = node->links_.parent) {
        if (node->links_.nextSibling != nullptr) {
            return node->links_.nextSibling;
        }
    }
    return nullptr;
}

LocationResult CLocationTree::UpsertLocation(const CLocationNode& values, bool* mapChanged)
{
    if (mapChanged != nullptr) {
        *mapChanged = false;
    }
    if (values.id == 0) {
        return LocationResult::kInvalidId;
    }
    if (values.parentId == values.id) {
        return LocationResult::kParentLoop;
    }

    auto it = nodes_.find(values.id);
    if (it == nodes_.end()) {
        auto owned = std::make_unique<CLocationNode>(values);
        CLocationNode* node = owned.get();
        CopyValues(*node, values);
        node->treeItem = 0;
        node->gravestSeverity = 0;
        node->gravestSecondaryStatus = 0;
        nodes_.emplace(node->id, std::move(owned));
        Attach(node);
        AdoptWaiting(node);
        if (mapChanged != nullptr) {
            *mapChanged = node->mapId != 0;
        }
        return LocationResult::kOk;
    }

    CLocationNode* node = it->second.get();
    if (values.parentId != node->parentId) {
        CLocationNode* newParent = FindLocation(values.parentId);
        if (newParent != nullptr && newParent->HasAncestor(node->id)) {
            return LocationResult::kParentLoop;
        }
    }
    const uint32_t oldMapId = node->mapId;
    // Detach while the node still names its old parent: detaching looks the node up under that parent (or among the
    // nodes waiting for it), and a stale entry there would outlive the node.
    const bool moves = values.parentId != node->parentId;
    if (moves) {
        Detach(node);
    }
    CopyValues(*node, values);
    if (moves) {
        Attach(node);
    }
    if (mapChanged != nullptr) {
        *mapChanged = node->mapId != oldMapId;
    }
    return LocationResult::kOk;
}

LocationResult CLocationTree::RemoveLocation(uint32_t id)
{
    if (id == 0) {
        return LocationResult::kInvalidId;
    }
    auto it = nodes_.find(id);
    if (it == nodes_.end()) {
        return LocationResult::kNotFound;
    }
    CLocationNode* node = it->second.get();
    std::vector<CLocationNode*> children = node->GetChildren();
    for (CLocationNode* child : children) {
        Detach(child);
    }
    Detach(node);
    for (CLocationNode* child : children) {
        // A child that was the removed location's own parent (it waited below the root) goes to the root.
        child->parentId = node->parentId == child->id ? 0 : node->parentId;
        Attach(child);
    }
    nodes_.erase(it);
    return LocationResult::kOk;
}

void CLocationTree::Clear()
{
    root_->links_.firstChild = nullptr;
    waiting_.clear();
    nodes_.clear();
}

void CLocationTree::Attach(CLocationNode* node)
{
    CLocationNode* parent = FindLocation(node->parentId);
    // A parent below the node itself would close a loop: the node waits below the root instead.
    if (parent == nullptr || parent->HasAncestor(node->id)) {
        parent = root_.get();
        waiting_[node->parentId].push_back(node);
    }
    node->links_.parent = parent;
    node->links_.nextSibling = nullptr;
    CLocationNode** slot = &parent->links_.firstChild;
    while (*slot != nullptr) {
        slot = &(*slot)->links_.nextSibling;
    }
    *slot = node;
}

void CLocationTree::Detach(CLocationNode* node)
{
    CLocationNode* parent = node->links_.parent;
    if (parent != nullptr) {
        for (CLocationNode** slot = &parent->links_.firstChild; *slot != nullptr; slot = &(*slot)->links_.nextSibling) {
            if (*slot == node) {
                *slot = node->links_.nextSibling;
                break;
            }
        }
    }
    node->links_.parent = nullptr;
    node->links_.nextSibling = nullptr;

    auto it = waiting_.find(node->parentId);
    if (it != waiting_.end()) {
        std::erase(it->second, node);
        if (it->second.empty()) {
            waiting_.erase(it);
        }
    }
}

void CLocationTree::AdoptWaiting(CLocationNode* parent)
{
    auto it = waiting_.find(parent->id);
    if (it == waiting_.end()) {
        return;
    }
    std::vector<CLocationNode*> waiting = std::move(it->second);
    waiting_.erase(it);
    // A node that is the new parent's own ancestor stays below the root, waiting still (Attach).
    for (CLocationNode* node : waiting) {
        Detach(node);
        Attach(node);
    }
}

CMapDef& FindMapDefOfLocation(const CLocationTree& tree, CMapList& maps, uint32_t locationId)
{
    const CLocationNode* node = tree.FindLocation(locationId);
    return maps.FindMapDef(node == nullptr ? 0 : node->mapId);
}

CLocationNode* FindLocation(uint32_t id)
{
    return AppData().locations.FindLocation(id);
}

CLocationNode* FindLocationByName(std::string_view name)
{
    return AppData().locations.FindLocationByName(name);
}

CLocationNode* ResolveLocationNode(const CLocationNode* node)
{
    return AppData().locations.ResolveLocationNode(node);
}

CMapDef& FindMapDefOfLocation(uint32_t locationId)
{
    return FindMapDefOfLocation(AppData().locations, CurrentMapList(), locationId);
}
