#pragma once
// The checks of a local firmware image before it is sent to NEs, in their order: the names a transfer keeps fit
// (the path, the type's names, the partition), the file opens, its framing is sound, and its header's type name is
// the chosen type's. Also the Firmware Type combos of the upgrade dialogs.

#include "features/management/firmware/upgrade_settings.h"

#include <cstdint>
#include <string>

class CADialog;
class QComboBox;

struct LocalImageCheck {
    enum Result { kSound, kPathTooLong, kTypeNamesTooLong, kPartitionTooLong, kCannotOpen, kCorrupt, kTypeMismatch };
    Result result = kSound;
    std::string error;   // kCannotOpen: the system's text
    uint32_t length = 0; // the file's length, once it opened
    bool Sound() const { return result == kSound; }
};

LocalImageCheck CheckLocalImage(const std::string& path, const FirmwareTypeNames& type, const std::string& partition);

// The refusal's text on the dialog's message line, on the control it concerns.
void ShowLocalImageRefusal(CADialog& dialog, const LocalImageCheck& check, int fileId, int typeId, int partitionId);

// The three firmware types, the first chosen.
void FillFirmwareTypes(QComboBox& combo);
FirmwareKind ChosenFirmwareKind(const QComboBox& combo);
