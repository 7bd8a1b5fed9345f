#include "sim/server/sim_discovery.h"

#include <algorithm>

#include "core/util/ip_address.h"

namespace {

uint32_t First(const DiscoveryRangeRec& range)
{
    return IpToUInt32(range.firstIp);
}

uint32_t Last(const DiscoveryRangeRec& range)
{
    return IpToUInt32(range.lastIp);
}

} // namespace

void CSimDiscovery::AddDevice(const FoundNeRec& device)
{
    devices_[IpToUInt32(device.ipAddress)] = device;
}

bool CSimDiscovery::Has(const DiscoveryRangeRec& range) const
{
    return std::any_of(ranges_.begin(), ranges_.end(), [&](const Range& other) {
        return other.rec.firstIp == range.firstIp && other.rec.lastIp == range.lastIp;
    });
}

SimResult CSimDiscovery::AddRange(DiscoveryRangeRec range, uint64_t nowMs)
{
    if (First(range) > Last(range))
        std::swap(range.firstIp, range.lastIp);
    if (Has(range))
        return Refused("Record already exists");
    range.state = kDiscoveryPolling;
    ranges_.push_back({range, nowMs, true, {}});
    return {};
}

SimResult CSimDiscovery::KeepRange(const DiscoveryRangeRec& range)
{
    if (Has(range))
        return Refused("Record already exists");
    ranges_.push_back({range, 0, false, {}});
    return {};
}

void CSimDiscovery::KeepFound(const FoundNeRec& found)
{
    found_[IpToUInt32(found.ipAddress)] = found;
}

SimResult CSimDiscovery::DeleteRange(const DiscoveryRangeRec& range)
{
    const auto it = std::find_if(ranges_.begin(), ranges_.end(), [&](const Range& other) {
        return other.rec.firstIp == range.firstIp && other.rec.lastIp == range.lastIp;
    });
    if (it == ranges_.end())
        return Refused("Record does not exist");
    ranges_.erase(it);
    return {};
}

void CSimDiscovery::Advance(uint64_t nowMs)
{
    for (Range& range : ranges_) {
        if (!range.searching)
            continue;
        const uint64_t size = uint64_t{Last(range.rec)} - First(range.rec) + 1;
        const uint64_t elapsedMs = nowMs > range.startMs ? nowMs - range.startMs : 0;
        const uint64_t searched = std::min(size, elapsedMs * kAddressesPerSecond / 1000 + 1);
        const uint32_t reached = static_cast<uint32_t>(First(range.rec) + searched - 1);
        range.rec.state = searched >= size ? kDiscoveryFinished : kDiscoveryPolling;
        for (auto it = devices_.lower_bound(First(range.rec)); it != devices_.end() && it->first <= reached; ++it) {
            if (range.rec.modelId != 0 && range.rec.modelId != it->second.modelId)
                continue;
            if (range.reported.insert(it->first).second)
                found_[it->first] = it->second;
        }
    }
}

std::vector<DiscoveryRangeRec> CSimDiscovery::Ranges(uint64_t nowMs)
{
    Advance(nowMs);
    std::vector<DiscoveryRangeRec> out;
    out.reserve(ranges_.size());
    for (const Range& range : ranges_)
        out.push_back(range.rec);
    return out;
}

std::vector<FoundNeRec> CSimDiscovery::Found(uint64_t nowMs)
{
    Advance(nowMs);
    std::vector<FoundNeRec> out;
    out.reserve(found_.size());
    for (const auto& [address, device] : found_)
        out.push_back(device);
    return out;
}

SimResult CSimDiscovery::Drop(const IpAddress& address)
{
    if (found_.erase(IpToUInt32(address)) == 0)
        return Refused("Record does not exist");
    return {};
}
