#include "features/management/firmware/local_image_check.h"

#include "core/util/firmware_image.h"
#include "ui/framework/dialogs/ca_dialog.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"

#include <QComboBox>

#include <cerrno>
#include <cstring>
#include <fstream>

LocalImageCheck CheckLocalImage(const std::string& path, const FirmwareTypeNames& type, const std::string& partition)
{
    LocalImageCheck check;
    // Names a transfer could not keep are refused, not cut.
    if (path.size() > kLocalPathMax) {
        check.result = LocalImageCheck::kPathTooLong;
        return check;
    }
    if (type.typeName.size() > kFirmwareTypeNameMax || type.fileName.size() > kFirmwareFileNameMax) {
        check.result = LocalImageCheck::kTypeNamesTooLong;
        return check;
    }
    if (partition.size() > kPartitionNameMax) {
        check.result = LocalImageCheck::kPartitionTooLong;
        return check;
    }
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file) {
        check.result = LocalImageCheck::kCannotOpen;
        check.error = std::strerror(errno);
        return check;
    }
    check.length = static_cast<uint32_t>(file.tellg());
    FirmwareImageHeader header;
    if (CheckImageFile(path, &header) != 0)
        check.result = LocalImageCheck::kCorrupt;
    else if (type.typeName.empty() || header.TypeName() != type.typeName)
        check.result = LocalImageCheck::kTypeMismatch;
    return check;
}

void ShowLocalImageRefusal(CADialog& dialog, const LocalImageCheck& check, int fileId, int typeId, int partitionId)
{
    switch (check.result) {
    case LocalImageCheck::kSound:
        return;
    case LocalImageCheck::kPathTooLong:
        dialog.ShowAlertTextById(kStrNameTooLong, fileId);
        return;
    case LocalImageCheck::kTypeNamesTooLong:
        dialog.ShowAlertTextById(kStrNameTooLong, typeId);
        return;
    case LocalImageCheck::kPartitionTooLong:
        dialog.ShowAlertTextById(kStrNameTooLong, partitionId);
        return;
    case LocalImageCheck::kCannotOpen:
        dialog.ShowAlertText(QString::fromLocal8Bit(check.error.c_str()), fileId);
        return;
    case LocalImageCheck::kCorrupt:
        dialog.ShowAlertTextById(kStrLocalFileCorrupted, fileId);
        return;
    case LocalImageCheck::kTypeMismatch:
        dialog.ShowAlertTextById(kStrLocalFileTypeMismatched, fileId);
        return;
    }
}

void FillFirmwareTypes(QComboBox& combo)
{
    combo.clear();
    for (uint32_t text : {kStrNetworkBoardFirmware, kStrAdslLineBoardFirmware, kStrAdslLineBoardBootCode})
        combo.addItem(LoadQString(text));
    combo.setCurrentIndex(0);
}

FirmwareKind ChosenFirmwareKind(const QComboBox& combo)
{
    return static_cast<FirmwareKind>(std::clamp(combo.currentIndex(), 0, static_cast<int>(kFirmwareKinds) - 1));
}
