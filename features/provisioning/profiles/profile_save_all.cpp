#include "features/provisioning/profiles/profile_save_all.h"

#include <algorithm>
#include <set>

namespace {

void AppendBatches(std::vector<SaveAllStep>& steps, SaveAllStep::Action action, const std::vector<size_t>& items,
                   size_t batch)
{
    const size_t size = std::max<size_t>(batch, 1);
    for (size_t first = 0; first < items.size(); first += size) {
        const auto from = items.begin() + static_cast<std::ptrdiff_t>(first);
        const auto to = items.begin() + static_cast<std::ptrdiff_t>(std::min(first + size, items.size()));
        steps.push_back({action, std::vector<size_t>(from, to)});
    }
}

} // namespace

std::vector<SaveAllStep> PlanSaveAll(const std::vector<std::string>& templates, const std::vector<std::string>& rows,
                                     size_t limit, size_t batch)
{
    const std::set<std::string> held(templates.begin(), templates.end());
    std::set<std::string> listed;
    std::vector<size_t> rewritten;
    std::vector<size_t> added;
    for (size_t row = 0; row < rows.size(); ++row) {
        if (!listed.insert(rows[row]).second)
            continue;
        (held.contains(rows[row]) ? rewritten : added).push_back(row);
    }
    std::vector<size_t> dropped;
    for (size_t item = 0; item < templates.size(); ++item) {
        if (!listed.contains(templates[item]))
            dropped.push_back(item);
    }

    std::vector<SaveAllStep> steps;
    AppendBatches(steps, SaveAllStep::Action::kModify, rewritten, batch);
    // The table keeps the templates until the adds are done, unless it has no room for them.
    const size_t room = limit > templates.size() ? limit - templates.size() : 0;
    const size_t makeRoom = std::min(dropped.size(), added.size() > room ? added.size() - room : 0);
    for (size_t i = 0; i < makeRoom; ++i)
        steps.push_back({SaveAllStep::Action::kDrop, {dropped[i]}});
    AppendBatches(steps, SaveAllStep::Action::kAdd, added, batch);
    for (size_t i = makeRoom; i < dropped.size(); ++i)
        steps.push_back({SaveAllStep::Action::kDrop, {dropped[i]}});
    return steps;
}
