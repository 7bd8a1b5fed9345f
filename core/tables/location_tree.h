#pragma once
// The location tree: the root "<Root>" (id 0) and the locations the server sent, linked by their parent ids.
// A location whose parent has not arrived yet waits below the root and moves under its parent when that arrives, so
// the order in which the server sends locations does not matter.

#include "core/tables/location_node.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

class CMapList;
struct CMapDef;

enum class LocationResult {
    kOk,
    kInvalidId,  // id 0 is the root's and cannot be added or removed
    kParentLoop, // the parent would be the location itself or one of its descendants
    kNotFound,
};

class CLocationTree {
public:
    static constexpr std::string_view kRootName = "<Root>";

    CLocationTree();
    CLocationTree(const CLocationTree&) = delete;
    CLocationTree& operator=(const CLocationTree&) = delete;

    CLocationNode& Root() { return *root_; }
    const CLocationNode& Root() const { return *root_; }

    // The node of that id (0 gives the root), or null.
    CLocationNode* FindLocation(uint32_t id) const;
    // The first node of that name in a depth-first walk from the root, or null.
    CLocationNode* FindLocationByName(std::string_view name) const;
    // The node looked up again by its id (null when it is gone); with null, the root.
    CLocationNode* ResolveLocationNode(const CLocationNode* node) const;

    // Adds a location, or replaces the values of the one with its id; texts are cut to their widths. A node keeps its
    // in-scope flag, alarms and scratch fields; a new one starts with the values given. mapChanged (optional) tells
    // whether the location's map id changed, or a new location has a map of its own.
    LocationResult UpsertLocation(const CLocationNode& values, bool* mapChanged = nullptr);
    // Removes a location; its children move to its parent, keeping their order.
    LocationResult RemoveLocation(uint32_t id);
    // Removes every location but the root.
    void Clear();

    // Number of locations, the root not counted.
    size_t Count() const { return nodes_.size(); }

    // Depth-first successor of a node (children before the next sibling), or null after the last one.
    static CLocationNode* NextInWalk(const CLocationNode* node);
    // The same walk kept inside the subtree of `top` (the node itself included): null after its last node. Without
    // intoChildren the walk passes over the node's children.
    static CLocationNode* NextInSubtree(const CLocationNode* node, const CLocationNode* top, bool intoChildren = true);

private:
    // Links a detached node below its parent, or below the root while the parent is not known.
    void Attach(CLocationNode* node);
    void Detach(CLocationNode* node);
    // Moves nodes that waited for this one below it.
    void AdoptWaiting(CLocationNode* parent);

    std::unique_ptr<CLocationNode> root_;
    std::unordered_map<uint32_t, std::unique_ptr<CLocationNode>> nodes_;
    // Nodes linked below the root because their parent id is not (yet) in the tree, by that parent id.
    std::unordered_map<uint32_t, std::vector<CLocationNode*>> waiting_;
};

// The map of a location: its map id's definition; the world map when it has none, or the location or its map is
// unknown.
CMapDef& FindMapDefOfLocation(const CLocationTree& tree, CMapList& maps, uint32_t locationId);

// The same on the application's tree (AppData()) and the program's map list.
CLocationNode* FindLocation(uint32_t id);
CLocationNode* FindLocationByName(std::string_view name);
CLocationNode* ResolveLocationNode(const CLocationNode* node);
CMapDef& FindMapDefOfLocation(uint32_t locationId);
