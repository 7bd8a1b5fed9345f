#pragma once
// An NE's boot partitions as the firmware dialogs read, show and choose them (request 310): the partition running
// now, shown by its name (an index past 2 names partition 0), and the one to boot next time, 1 or 2.

#include "features/management/firmware/upgrade_settings.h"
#include "link/records/boot_partition_record.h"

#include <cstdint>
#include <optional>

class CADialog;
class QComboBox;

// The NE's partitions; none when the query failed (the failure box has been shown).
std::optional<BootPartitionRecord> QueryBootPartitions(uint32_t neId);
// Writes the next partition (the current one sent as 0); false when the write failed.
bool WriteNextBootPartition(uint32_t neId, uint32_t next);

// Partitions 1 and 2 by name, partition 1 chosen.
void FillNextPartitions(QComboBox& combo, const CUpgradeSettings& settings);
uint32_t ChosenNextPartition(const QComboBox& combo);
// The current partition's name in an edit; the next one chosen in a combo or named in an edit, whichever nextId
// is. Nothing changes without partitions.
void ShowBootPartitions(CADialog& dialog, int currentId, int nextId, const CUpgradeSettings& settings,
                        const std::optional<BootPartitionRecord>& partitions);
