#pragma once
// What the Profile List shows, decided before it has any page: the tabs of its group the operator may see, the one it
// opens at, or why it does not open; and which of Save All as Templates (the profiles of an
// NE) and Download All to NEs (the server's templates) it offers, neither in direct mode. Window-free.

#include "features/provisioning/profiles/profile_kinds.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

struct ProfileListButtons {
    bool saveAll = false;
    bool download = false;
    bool operator==(const ProfileListButtons&) const = default;
};

ProfileListButtons ProfileListButtonsFor(bool templateMode, bool direct);

struct ProfileListTabs {
    // The message that keeps the dialog from opening: an unknown group, or no right on the tab asked for or on every
    // kind of the group; 0 when it opens.
    uint32_t refusal = 0;
    std::vector<ProfileKindId> kinds; // the tabs, in order
    std::optional<ProfileKindId> selected;
    bool operator==(const ProfileListTabs&) const = default;
};

// `mayShow` says whether the operator has 'q' on a right item.
ProfileListTabs ProfileListTabsFor(int group, int initialTab, const std::function<bool(int right)>& mayShow);
