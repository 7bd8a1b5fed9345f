#pragma once
// Save All as Templates: the server's templates of a kind become the profiles a list page shows. One request drops
// every template of the kind (its delete-all code, NE 0); then the rows go in as templates in list order, in adds of
// the kind's batch size, the last add with what is left. The first failure ends the run, its box saying "Failed to
// save all profiles as templates": a failed clearing leaves the templates as they were, a failed add leaves them
// cleared with the adds before it done. With no rows only the clearing is sent.
//
//     SaveProfilesAsTemplates(kReqAdslLineProfileTemplate, rows, GetProfileKind(ProfileKindId::kAdslLine));

#include "features/provisioning/profiles/profile_kinds.h"
#include "link/pdu_log.h"
#include "link/record_requests.h"
#include "ui/framework/messages/string_ids.h"

#include <algorithm>
#include <cstddef>
#include <vector>

// Runs Save All for the rows; false when a request failed (its box has said why).
template <TabledRecord Rec>
bool SaveProfilesAsTemplates(RequestCode<Rec> templateCode, const std::vector<Rec>& rows, const ProfileKind& kind,
                             const CRecordRequests& requests = CRecordRequests())
{
    const CPduLogHold hold;
    const RequestOptions options{.failureTextId = kStrFailToSaveAllAsTemplates};
    if (!requests.DeleteAll(templateCode, 0, options).Ok())
        return false;
    const size_t batch = std::max<size_t>(kind.saveAllBatch, 1);
    for (size_t first = 0; first < rows.size(); first += batch) {
        const auto from = rows.begin() + static_cast<std::ptrdiff_t>(first);
        const auto to = rows.begin() + static_cast<std::ptrdiff_t>(std::min(first + batch, rows.size()));
        if (!requests.Add(templateCode, 0, std::vector<Rec>(from, to), options).Ok())
            return false;
    }
    return true;
}
