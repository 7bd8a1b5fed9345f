#include "features/management/firmware/fw_file_info_dlg.h"

#include "core/config/app_settings.h"
#include "core/entity/entity_model_set.h"
#include "core/entity/entity_type.h"
#include "core/ini/ini_file.h"
#include "core/util/firmware_image.h"
#include "features/management/firmware/upgrade_settings.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_fw_file_info_dlg.h"

#include <QLabel>
#include <QLineEdit>

#include <fstream>

namespace {

constexpr int kErrorBox = static_cast<int>(0x80000000);

void SetText(QWidget* control, const QString& text)
{
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        edit->setText(text);
    else if (auto* label = qobject_cast<QLabel*>(control))
        label->setText(text);
}

} // namespace

CFwFileInfoDlg::CFwFileInfoDlg(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CFwFileInfoDlg>())
{
    ui_->setupUi(this);
}

CFwFileInfoDlg::~CFwFileInfoDlg() = default;

void CFwFileInfoDlg::InitData()
{
    const std::string path = path_.trimmed().toStdString();
    if (path.empty() || !std::ifstream(path, std::ios::binary)) {
        ShowMessageById(kStrFailToOpenRemoteFirmwareFile, kErrorBox);
        EndDialog(IDCANCEL);
        return;
    }
    FirmwareImageHeader header;
    if (CheckImageFile(path, &header) != 0) {
        ShowMessageById(kStrLocalFileCorrupted, kErrorBox);
        EndDialog(IDCANCEL);
        return;
    }
    SetText(GetDlgItem(kLocalFileId), QString::fromStdString(path));
    SetText(GetDlgItem(kVersionId), QString::fromStdString(header.Version()));
    SetText(GetDlgItem(kFirmwareTypeId), LoadQString(kStrUnknown));
    SetText(GetDlgItem(kNeModelId), QString());
    std::optional<CIniFile> ini = CIniFile::Load(ConfigFilePath());
    if (!ini)
        return;
    constexpr uint32_t kTypeTexts[kFirmwareKinds] = {kStrNetworkBoardFirmware, kStrAdslLineBoardFirmware,
                                                     kStrAdslLineBoardBootCode};
    for (int i = 0; i < GetEntityTypeCount(); ++i) {
        const CEntityType* model = GetEntityTypeAt(i);
        if (model == nullptr || model->GetLevel() != 1)
            continue;
        for (size_t kind = 0; kind < kFirmwareKinds; ++kind) {
            const FirmwareTypeNames configured =
                ConfiguredFirmwareType(*ini, static_cast<FirmwareKind>(kind), model->GetId());
            if (!configured.typeName.empty() && configured.typeName == header.TypeName()) {
                SetText(GetDlgItem(kNeModelId), QString::fromStdString(model->GetName()));
                SetText(GetDlgItem(kFirmwareTypeId), LoadQString(kTypeTexts[kind]));
            }
        }
    }
}
