#pragma once
// One location of the operator's location tree. The server owns the locations; the client keeps the copy it was sent.
// The id and the parent id of a node inside a tree change only through CLocationTree, which keeps the links.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CLocationTree;

class CLocationNode {
public:
    // Widths of the texts, in characters.
    static constexpr size_t kNameMax = 20;
    static constexpr size_t kCommentMax = 60;
    static constexpr size_t kContactMax = 20;
    static constexpr size_t kTelephoneMax = 20;
    static constexpr size_t kMobileMax = 20;
    static constexpr size_t kEmailMax = 60;

    static constexpr uint32_t kKindLocation = 1;

    uint32_t id = 0;
    uint32_t parentId = 0; // the superior location; 0 = top level, below the root
    std::string name;
    std::string comment;
    std::string contact;
    std::string telephone;
    std::string mobile;
    std::string email;
    uint32_t mapId = 0;   // 0 = the world map
    uint32_t inScope = 1; // 1 inside the operator's location scope, or when there is no scope
    uint32_t kind = kKindLocation;

    // The gravest alarms of the location and all below it (location_alarms.h), 0 when a node is created.
    uint32_t gravestSeverity = 0;
    uint32_t gravestSecondaryStatus = 0;
    // Scratch of the tree view, 0 when a node is created.
    uintptr_t treeItem = 0;

    CLocationNode* GetParentNode() const { return links_.parent; }
    CLocationNode* GetFirstChild() const { return links_.firstChild; }
    CLocationNode* GetNextSibling() const { return links_.nextSibling; }
    // The direct children in tree order.
    std::vector<CLocationNode*> GetChildren() const;
    // Non-zero when a node with that id lies on this node's parent chain (the node itself does not count).
    int HasAncestor(uint32_t locationId) const;

private:
    friend class CLocationTree;
    // Copies carry the values only: a copy is linked to no tree, and assigning values keeps a node's own links.
    struct Links {
        Links() = default;
        Links(const Links&) {}
        Links& operator=(const Links&) { return *this; }
        CLocationNode* parent = nullptr;
        CLocationNode* firstChild = nullptr;
        CLocationNode* nextSibling = nullptr;
    };
    Links links_;
};
