#include "features/provisioning/profiles/profile_list_rules.h"

#include "ui/framework/messages/string_ids.h"

#include <algorithm>

ProfileListButtons ProfileListButtonsFor(bool templateMode, bool direct)
{
    return {!templateMode && !direct, templateMode && !direct};
}

ProfileListTabs ProfileListTabsFor(int group, int initialTab, const std::function<bool(int right)>& mayShow)
{
    ProfileListTabs tabs;
    const std::span<const ProfileKind> kinds = ProfileGroupKinds(group);
    if (kinds.empty()) {
        tabs.refusal = kStrInternalError;
        return tabs;
    }
    const ProfileKind* initial = FindProfileKind(group, initialTab);
    const bool anyShown =
        std::any_of(kinds.begin(), kinds.end(), [&](const ProfileKind& kind) { return mayShow(kind.right); });
    if ((initial != nullptr && !mayShow(initial->right)) || !anyShown) {
        tabs.refusal = kStrNoPrivilege;
        return tabs;
    }
    for (const ProfileKind& kind : kinds) {
        if (mayShow(kind.right))
            tabs.kinds.push_back(kind.id);
    }
    const bool initialShown =
        initial != nullptr && std::find(tabs.kinds.begin(), tabs.kinds.end(), initial->id) != tabs.kinds.end();
    tabs.selected = initialShown ? initial->id : tabs.kinds.front();
    return tabs;
}
