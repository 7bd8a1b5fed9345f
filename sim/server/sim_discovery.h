// The simulated server's NE discovery: the address ranges it searches and the NEs it has found there and not been
// told to forget. The devices on the network that answer SNMP are given by the scenario ([DEVICE<n>] sections); a
// range added by a workstation searches its addresses from the first on at a fixed rate from the moment it is added,
// finds the devices of its model (every model for 0) as it passes them, and is finished once it has passed its last
// address. A found NE that is dropped stays forgotten until a range that covers it is added again. The ranges and
// found NEs a scenario gives ([DiscoveryRangeRec.<label>], [FoundNeRec.<label>]) are what an earlier search left:
// kept as given, searching no more.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <vector>

#include "core/util/ip_address.h"
#include "link/records/discovery_range_rec.h"
#include "link/records/found_ne_rec.h"
#include "sim/server/sim_result.h"

inline constexpr uint32_t kDiscoveryFinished = 1;
inline constexpr uint32_t kDiscoveryPolling = 2;

class CSimDiscovery {
public:
    // Addresses a range searches in a second.
    static constexpr uint64_t kAddressesPerSecond = 64;

    // A device on the network; a second one at the same address replaces the first.
    void AddDevice(const FoundNeRec& device);
    size_t DeviceCount() const { return devices_.size(); }

    // A range named by its two addresses, which the server puts in order; refused when it has the range already.
    SimResult AddRange(DiscoveryRangeRec range, uint64_t nowMs);
    // What an earlier search left: a range as it stands, and an NE it found.
    SimResult KeepRange(const DiscoveryRangeRec& range);
    void KeepFound(const FoundNeRec& found);
    SimResult DeleteRange(const DiscoveryRangeRec& range);
    // The ranges with their state now, in the order they were added.
    std::vector<DiscoveryRangeRec> Ranges(uint64_t nowMs);
    // The found NEs now, by address.
    std::vector<FoundNeRec> Found(uint64_t nowMs);
    // Forgets a found NE; refused when it was not found.
    SimResult Drop(const IpAddress& address);

private:
    struct Range {
        DiscoveryRangeRec rec;
        uint64_t startMs = 0;
        bool searching = true;
        std::set<uint32_t> reported; // devices this search has found already
    };
    bool Has(const DiscoveryRangeRec& range) const;

    // Lets every range search as far as it has come by now.
    void Advance(uint64_t nowMs);

    std::map<uint32_t, FoundNeRec> devices_; // by address as a number
    std::vector<Range> ranges_;
    std::map<uint32_t, FoundNeRec> found_;
};
