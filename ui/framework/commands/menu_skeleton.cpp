#include "ui/framework/commands/menu_skeleton.h"

#include <utility>

namespace {

std::vector<MenuSkeletonNode>& Skeleton()
{
    static std::vector<MenuSkeletonNode> nodes;
    return nodes;
}

} // namespace

MenuSkeletonNode MenuPopup(std::string path, int order, LinkModes modes)
{
    return {MenuSkeletonNode::Kind::Popup, std::move(path), order, modes};
}

MenuSkeletonNode MenuSeparator(std::string popupPath, int order)
{
    return {MenuSkeletonNode::Kind::Separator, std::move(popupPath), order, LinkModes::Both};
}

void SetMainMenuSkeleton(std::vector<MenuSkeletonNode> nodes)
{
    Skeleton() = std::move(nodes);
}

const std::vector<MenuSkeletonNode>& MainMenuSkeleton()
{
    return Skeleton();
}

std::string MenuPathKey(std::string_view path)
{
    std::string key;
    for (size_t i = 0; i < path.size(); ++i) {
        if (path[i] != '&')
            key += path[i];
        else if (i + 1 < path.size() && path[i + 1] == '&')
            key += path[++i];
    }
    return key;
}

std::string_view ParentMenuPath(std::string_view path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? std::string_view{} : path.substr(0, slash);
}

std::string_view MenuPathText(std::string_view path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}
