// The firmware and backups of the simulated server's NEs:
// - request 301: each NE's firmware state. The version an NE reports is that of the newest sound image in its FTP
//   area, when the server is told where the NEs' FTP areas are (DIR/<the NE's address>, the directories of the
//   simulated NEs' FTP servers), so that a completed upload changes it; otherwise its control module's software
//   version. The FTP login is the NE's; the last upgrade is what a workstation last reported for the NE.
// - request 310: the NE's boot partitions: it runs partition 1 until told otherwise; a write chooses the next one only.
// - request 44: a restore names a backup the server keeps for the NE (requests 41 to 43 are the generic store's).
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "link/records/boot_partition_record.h"
#include "link/records/ne_fw_upgrade_record.h"
#include "link/records/ne_key_record.h"
#include "link/server/frame_codec.h"
#include "sim/server/sim_database.h"
#include "sim/server/sim_result.h"

struct SimFirmwareReply {
    SimResult result;
    std::vector<uint8_t> records;
    uint32_t recordSize = 0;
    uint32_t count = 0;
};

class CSimFirmware {
public:
    // `ftpRoot` empty: the NEs' FTP areas are unknown.
    CSimFirmware(CSimDatabase& database, std::string ftpRoot);

    // Requests 301, 310 and 44.
    SimFirmwareReply FwUpgrade(const Frame& request);
    SimFirmwareReply BootPartition(const Frame& request);
    SimFirmwareReply NeBackupRestore(const Frame& request);

    // The version of the newest sound firmware image in the NE's FTP area; empty when there is none.
    std::string ImageVersionInArea(const NeKeyRecord& ne) const;

private:
    std::string RunningVersion(const CSimNe& ne) const;

    CSimDatabase& db_;
    std::string ftpRoot_;
    std::map<uint32_t, NeFwUpgradeRecord> lastUpgrades_; // by NE
    std::map<uint32_t, BootPartitionRecord> partitions_; // by NE
};
