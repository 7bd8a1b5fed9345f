#include "core/tables/location_node.h"

std::vector<CLocationNode*> CLocationNode::GetChildren() const
{
    std::vector<CLocationNode*> children;
    for (CLocationNode* child = links_.firstChild; child != nullptr; child = child->links_.nextSibling) {
        children.push_back(child);
    }
    return children;
}

int CLocationNode::HasAncestor(uint32_t locationId) const
{
    for (const CLocationNode* node = links_.parent; node != nullptr; node = node->links_.parent) {
        if (node->id == locationId) {
            return 1;
        }
    }
    return 0;
}
