#include "features/management/ne_fs/ne_fs_partition.h"

#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"

QString NeFsPartitionText(uint32_t partition)
{
    switch (partition) {
    case kNeFsPartitionOpCodeA:
        return LoadQString(kStrPartitionOpCodeA);
    case kNeFsPartitionOpCodeB:
        return LoadQString(kStrPartitionOpCodeB);
    case kNeFsPartitionConfig:
        return LoadQString(kStrPartitionConfig);
    default:
        return {};
    }
}

bool IsNeFsProtectedFile(uint32_t partition, const std::string& name)
{
    return partition == kNeFsPartitionConfig && name == kNeFsProtectedFile;
}
