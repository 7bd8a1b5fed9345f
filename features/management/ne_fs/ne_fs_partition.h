#pragma once
// The partitions of an NE's flash file system as the file system dialogs name them: 1 "opCodeA" and 2 "opCodeB",
// the two firmware image partitions, and 3 "cfg", the configurations. The cfg partition's "mac.cfg" holds the NE's
// MAC addresses and is neither deleted nor copied.

#include <QString>

#include <cstdint>
#include <string>

inline constexpr uint32_t kNeFsPartitionOpCodeA = 1;
inline constexpr uint32_t kNeFsPartitionOpCodeB = 2;
inline constexpr uint32_t kNeFsPartitionConfig = 3;
inline constexpr char kNeFsProtectedFile[] = "mac.cfg";

// The partition's name; empty for a number that is no partition.
QString NeFsPartitionText(uint32_t partition);
bool IsNeFsProtectedFile(uint32_t partition, const std::string& name);
