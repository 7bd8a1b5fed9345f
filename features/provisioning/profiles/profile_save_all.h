#pragma once
// Save All as Templates: the server's templates of a kind become the profiles a list page shows, each kept whole as
// the page read or wrote it. The templates are changed in place rather than dropped and added again, so that a
// request that fails part-way loses no template that the list holds:
//   1. the templates the server keeps now are read;
//   2. those whose names the list has are rewritten with the list's records (in batches);
//   3. the list's other profiles are added (in batches), after dropping only as many of the templates the list does
//      not have as the table needs to make room for them;
//   4. the remaining templates that the list does not have are dropped.
// The first failure ends the run; what was done before it stays done.
//
//     SaveProfilesAsTemplates(kReqAdslLineProfileTemplate, records, kind, [](const AdslLineProfileRec& rec) { return
//     rec.name; });

#include "features/provisioning/profiles/profile_kinds.h"
#include "link/pdu_log.h"
#include "link/record_requests.h"
#include "ui/framework/messages/string_ids.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct SaveAllStep {
    enum class Action : uint8_t {
        kModify, // rewrite existing templates with these rows
        kAdd,    // add these rows
        kDrop,   // delete these templates
    };
    Action action = Action::kModify;
    // Rows of the list (kModify, kAdd) or templates the server keeps (kDrop), by their place; a batch of rows is at
    // most the kind's batch size, a drop is one template.
    std::vector<size_t> items;
    bool operator==(const SaveAllStep&) const = default;
};

// The steps that make the templates named `templates` those named `rows`, for a table of at most `limit` profiles.
// A name the rows give twice is saved once, its first row.
std::vector<SaveAllStep> PlanSaveAll(const std::vector<std::string>& templates, const std::vector<std::string>& rows,
                                     size_t limit, size_t batch);

// Runs Save All for the rows; false when a request failed (the failure box has said why, with "Failed to save all
// profiles as templates").
template <TabledRecord Rec, class NameOf>
bool SaveProfilesAsTemplates(RequestCode<Rec> templateCode, const std::vector<Rec>& rows, const ProfileKind& kind,
                             NameOf nameOf, const CRecordRequests& requests = CRecordRequests())
{
    const CPduLogHold hold;
    const RequestOptions options{.failureTextId = kStrFailToSaveAllAsTemplates};
    const RecordReply<Rec> held = requests.Query<Rec>(templateCode, 0, options);
    if (!held.Ok())
        return false;
    std::vector<std::string> templateNames;
    for (const Rec& rec : held.records)
        templateNames.push_back(nameOf(rec));
    std::vector<std::string> rowNames;
    for (const Rec& rec : rows)
        rowNames.push_back(nameOf(rec));
    for (const SaveAllStep& step : PlanSaveAll(templateNames, rowNames, kind.limit, kind.saveAllBatch)) {
        std::vector<Rec> batch;
        for (size_t item : step.items)
            batch.push_back(step.action == SaveAllStep::Action::kDrop ? held.records[item] : rows[item]);
        bool done = false;
        switch (step.action) {
        case SaveAllStep::Action::kModify:
            done = requests.Modify(templateCode, 0, batch, options).Ok();
            break;
        case SaveAllStep::Action::kAdd:
            done = requests.Add(templateCode, 0, batch, options).Ok();
            break;
        case SaveAllStep::Action::kDrop:
            done = requests.Delete(templateCode, 0, batch.front(), options).Ok();
            break;
        }
        if (!done)
            return false;
    }
    return true;
}
