#pragma once
// The simulated NE's PM tables, computed when they are read rather than kept: the current counters and block
// counters of every ADSL port (R.600 .. R.603, one row per port), the day of 15-minute intervals kept of each port
// (R.616, R.617, rows (port, number) with number 1 the latest), the long-term records of the ports of the NE's
// long-term PM items (R.110, R.111, rows (port, creation time) inside the items' windows, up to now) and the traffic
// counters of its trunk ports (R.700, one row per port). The counters come from the lines' and the trunks'
// generators (sim/pm), so that they grow with the NE's clock as a real line's do.
//
// The MIB walks these tables through NextIndex and reads a row with Row; nothing here is registered cell by cell, so
// a day of intervals of a hundred ports costs no memory.

#include "link/records/long_term_pm_item_rec.h"
#include "link/snmp/snmp_oid.h"
#include "link/snmp/snmp_request_map.h"
#include "sim/pm/adsl_pm_generator.h"
#include "sim/pm/trunk_traffic_generator.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <vector>

class CNeAgentPmTables {
public:
    // What the tables read of the NE as it is when asked, handed in at every call so that a copy of the NE reads its
    // own: its time, seconds since 1970, and its long-term PM items.
    struct Source {
        std::function<uint32_t()> clock;
        std::function<std::vector<LongTermPmItemRec>()> items;
    };

    // The ADSL ports the NE has, by packed id.
    void SetPorts(std::vector<uint32_t> ports);
    // Its trunk ports, whose counters count from a while before `now`.
    void SetTrunkPorts(std::vector<uint32_t> ports, uint32_t now);

    // Whether the object code is one of the computed tables, and its entry.
    static bool IsComputed(uint16_t objectCode);
    static std::vector<uint16_t> Codes();

    // The first row index of the table above `after` (an index suffix of any length, empty: before the first row).
    std::optional<CSnmpOid> NextIndex(uint16_t objectCode, const CSnmpOid& after, const Source& ne) const;
    // The row's record, none when the table has no such row. Rows are made once per request (ForgetRows).
    const std::vector<uint8_t>* Row(uint16_t objectCode, const CSnmpOid& index, const Source& ne) const;
    // A new request reads the counters anew.
    void ForgetRows() const { rows_.clear(); }

private:
    // The long-term records' creation times of a port above `after` (none: from the first), and the item ports.
    std::optional<uint32_t> NextRecordTime(uint32_t port, std::optional<uint32_t> after, const Source& ne) const;
    std::vector<uint32_t> ItemPorts(const Source& ne) const;
    std::optional<std::vector<uint8_t>> MakeRow(uint16_t objectCode, const CSnmpOid& index, const Source& ne) const;

    std::vector<uint32_t> ports_; // ascending
    CAdslPmGenerator pm_;
    std::vector<uint32_t> trunkPorts_; // ascending
    uint32_t trunkSince_ = 0;
    CTrunkTrafficGenerator traffic_;
    mutable std::map<std::pair<uint16_t, CSnmpOid>, std::optional<std::vector<uint8_t>>> rows_;
};
