#include "features/management/firmware/ne_boot_partition_dlg.h"

#include "core/config/app_settings.h"
#include "core/tables/access_rights.h"
#include "core/tables/ne_table.h"
#include "features/management/firmware/boot_partitions.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_ne_boot_partition_dlg.h"

#include <QComboBox>

namespace {
constexpr int kConfirmFlags = 0x134; // Yes/No, warning icon, No preselected
} // namespace

CNeBootPartitionDlg::CNeBootPartitionDlg(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CNeBootPartitionDlg>())
{
    ui_->setupUi(this);
}

CNeBootPartitionDlg::~CNeBootPartitionDlg() = default;

void CNeBootPartitionDlg::InitData()
{
    if (CheckRightOrClose(kRightNeOperations, 'm') != 0 || CheckTargetNeOrClose() != 0)
        return;
    UpdateCaption(kCaptionNe);
    const CUpgradeSettings settings(ConfigFilePath(), FindNeById(static_cast<uint32_t>(GetNeId()))->neModelId);
    FillNextPartitions(*GetDlgItemAs<QComboBox>(kNextId), settings);
    ShowBootPartitions(*this, kCurrentId, kNextId, settings, QueryBootPartitions(static_cast<uint32_t>(GetNeId())));
}

void CNeBootPartitionDlg::OnOK()
{
    if (CheckTargetNe() != 0 || ShowMessageById(kStrSureToModifyData, kConfirmFlags) != IDYES)
        return;
    const uint32_t next = ChosenNextPartition(*GetDlgItemAs<QComboBox>(kNextId));
    if (!WriteNextBootPartition(static_cast<uint32_t>(GetNeId()), next))
        return;
    chosen_ = next;
    EndDialog(IDOK);
}
