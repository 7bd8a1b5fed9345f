#include "features/management/ne_fs/ne_fs_format_dlg.h"

#include "core/tables/access_rights.h"
#include "link/record_requests.h"
#include "link/records/word_record.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_ne_fs_format_dlg.h"

namespace {

constexpr int kConfirmFlags = 0x134; // Yes/No, warning icon, No preselected

} // namespace

CNeFsFormatDlg::CNeFsFormatDlg(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CNeFsFormatDlg>())
{
    ui_->setupUi(this);
    SetAccessMode(kAccessModify);
}

CNeFsFormatDlg::~CNeFsFormatDlg() = default;

void CNeFsFormatDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Radio(dx, {kOpCodeAId, kOpCodeBId, kConfigId}, partitionIndex_);
}

void CNeFsFormatDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightNeFileSystemFormat) != 0 || CheckTargetNeOrClose() != 0)
        return;
    UpdateCaption(kCaptionNe | kCaptionLocation);
    UpdateData(false);
}

void CNeFsFormatDlg::OnOK()
{
    if (CheckTargetNe() != 0 || !UpdateDialogData())
        return;
    if (ShowMessageById(kStrSureToFormatData, kConfirmFlags) != IDYES)
        return;
    const WordRecord partition{static_cast<uint32_t>(partitionIndex_ + 1)};
    if (!CRecordRequests()
             .Action(kReqNeFsFormat, static_cast<uint32_t>(GetNeId()), partition, {.failureTextId = kStrFailToQuery})
             .Ok())
        return;
    EndDialog(IDOK);
}
