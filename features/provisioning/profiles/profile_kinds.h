#pragma once
// The eight kinds of xDSL profile and the three groups the Profile List shows them in, one tab per kind. Each kind
// has the server's templates (its template code, NE 0) and the profiles of each NE (its NE code): on either, the
// base code queries and modifies, base + 1 adds and base + 2 deletes; the template code + 3 deletes every template of
// the kind. A table holds at most the kind's limit of profiles; Save All as Templates sends its rows in batches of
// the kind's batch size. The right item is the function whose letters the kind's pages and editors check: 'q' to
// show, 'm' to modify, save as templates and download, 'c' to add, 'd' to delete.

#include "link/records/request_code.h"

#include <cstdint>
#include <span>

enum class ProfileKindId : uint8_t {
    kAdslLine,
    kXdslPmThreshold,
    kTrafficPolicing,
    kShdslLine,
    kShdslPmThreshold,
    kIpTraffic,
    kMcChannel,
    kMcService,
};

// The Profile List's groups; a group shows its kinds in their order in the table.
inline constexpr int kProfileGroupAdsl = 0;
inline constexpr int kProfileGroupShdsl = 1;
inline constexpr int kProfileGroupVlan = 2;
inline constexpr int kProfileGroupCount = 3;
inline constexpr int kMaxProfileTabs = 3;

struct ProfileKind {
    ProfileKindId id;
    int group;
    int tab;
    const char* tabTitle;
    int right;
    uint16_t templateCode;
    uint16_t neCode;
    // The count asked before an add (the two SHDSL kinds ask the same one).
    RequestCode<RecordCount> countCode;
    uint32_t limit;
    // The message that refuses an add at the limit.
    uint32_t limitTextId;
    uint32_t saveAllBatch;
    const char* exportStem;
};

const ProfileKind& GetProfileKind(ProfileKindId id);
// The kind of a group's tab; none for a group or tab that has none.
const ProfileKind* FindProfileKind(int group, int tab);
// The group's kinds in tab order; empty for an unknown group.
std::span<const ProfileKind> ProfileGroupKinds(int group);
