#include "sim/server/sim_subscribers.h"

#include <algorithm>

namespace {

constexpr uint32_t kNeItselfEntity = 1;
constexpr uint32_t kShelfUnit = 10000;
constexpr uint32_t kSlotUnit = 100;

} // namespace

bool SubscriberPatternMatches(const std::string& pattern, const std::string& field)
{
    if (pattern.empty()) {
        return true;
    }
    if (pattern.front() == '*') {
        return field.find(pattern.substr(1)) != std::string::npos;
    }
    return field == pattern;
}

bool PortInScope(uint32_t portEntityId, uint32_t scopeEntityId)
{
    if (scopeEntityId == 0 || scopeEntityId == kNeItselfEntity) {
        return true;
    }
    if (scopeEntityId % kShelfUnit == 0) {
        return portEntityId / kShelfUnit == scopeEntityId / kShelfUnit;
    }
    if (scopeEntityId % kSlotUnit == 0) {
        return portEntityId / kSlotUnit == scopeEntityId / kSlotUnit;
    }
    return portEntityId == scopeEntityId;
}

std::pair<uint32_t, std::vector<SubscriberRecord>>
CSimSubscribers::Query(uint32_t neId, const SubscriberCriteria& criteria, uint32_t maxRows) const
{
    const uint64_t first = std::max<uint32_t>(criteria.firstRow, 1);
    const uint64_t last = first + std::min(criteria.rowCount, maxRows); // one past the window
    auto from = byPort_.begin();
    auto to = byPort_.end();
    if (neId != 0) {
        from = byPort_.lower_bound({neId, 0});
        to = byPort_.lower_bound({neId + 1, 0});
    }
    std::vector<SubscriberRecord> window;
    uint32_t total = 0;
    for (auto it = from; it != to; ++it) {
        const SubscriberRecord& rec = it->second;
        if ((neId != 0 && !PortInScope(rec.entityId, criteria.scopeEntityId)) ||
            !SubscriberPatternMatches(criteria.idPattern, rec.subscriberId) ||
            !SubscriberPatternMatches(criteria.namePattern, rec.name)) {
            continue;
        }
        ++total;
        if (total >= first && total < last) {
            window.push_back(rec);
            window.back().rowNumber = total;
        }
    }
    return {total, std::move(window)};
}

const SubscriberRecord* CSimSubscribers::OfPort(uint32_t neId, uint32_t entityId) const
{
    const auto found = byPort_.find({neId, entityId});
    return found != byPort_.end() ? &found->second : nullptr;
}

SimResult CSimSubscribers::Put(SubscriberRecord rec, bool* added, SubscriberRecord* stored)
{
    if (rec.subscriberId.empty()) {
        return Refused("Subscriber ID is blank");
    }
    const Port port{rec.neId, rec.entityId};
    if (const auto used = portById_.find(rec.subscriberId); used != portById_.end() && used->second != port) {
        return Refused("Subscriber ID already exists");
    }
    rec.rowNumber = 0;
    const auto existing = byPort_.find(port);
    *added = existing == byPort_.end();
    if (!*added) {
        portById_.erase(existing->second.subscriberId);
    }
    portById_[rec.subscriberId] = port;
    byPort_[port] = rec;
    *stored = rec;
    return {};
}

SimResult CSimSubscribers::Delete(const SubscriberRecord& rec, SubscriberRecord* removed)
{
    const auto found = byPort_.find({rec.neId, rec.entityId});
    if (found == byPort_.end() || found->second.subscriberId != rec.subscriberId) {
        return Refused("Subscriber does not exist");
    }
    *removed = found->second;
    portById_.erase(found->second.subscriberId);
    byPort_.erase(found);
    return {};
}

void CSimSubscribers::RemoveNe(uint32_t neId)
{
    auto it = byPort_.lower_bound({neId, 0});
    while (it != byPort_.end() && it->first.first == neId) {
        portById_.erase(it->second.subscriberId);
        it = byPort_.erase(it);
    }
}
