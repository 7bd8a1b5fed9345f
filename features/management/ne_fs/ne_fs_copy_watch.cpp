#include "features/management/ne_fs/ne_fs_copy_watch.h"

#include "ui/framework/messages/string_ids.h"

std::optional<uint32_t> CopyFailureTextId(uint32_t state)
{
    switch (state) {
    case 3:
        return kStrFileCannotBeTransferred;
    case 4:
        return kStrFileCannotBeCopied;
    case 5:
        return kStrSourceFileNotExist;
    case 6:
        return kStrNeInternalError;
    default:
        return std::nullopt;
    }
}
