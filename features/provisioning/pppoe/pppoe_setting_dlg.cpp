#include "features/provisioning/pppoe/pppoe_setting_dlg.h"

#include "core/tables/access_rights.h"
#include "link/record_requests.h"
#include "link/records/word_record.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_pppoe_setting_dlg.h"

namespace {

constexpr int kEnabledChoice = 0;
constexpr int kDisabledChoice = 1;

} // namespace

CPppoeSettingDlg::CPppoeSettingDlg(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CPppoeSettingDlg>())
{
    ui_->setupUi(this);
}

CPppoeSettingDlg::~CPppoeSettingDlg() = default;

void CPppoeSettingDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Radio(dx, {kEnabledId, kDisabledId}, choice_);
}

void CPppoeSettingDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightPppoeSetting) != 0 || CheckTargetNeOrClose() != 0)
        return;
    EnableControl(IDOK, GetAccessMode() != kAccessQuery);
    UpdateCaption(kCaptionNe | kCaptionLocation);
    const RecordReply<WordRecord> reply = CRecordRequests().Query<WordRecord>(
        kReqPppoe, static_cast<uint32_t>(GetNeId()), {.failureTextId = kStrFailToQuery});
    if (reply.Ok() && !reply.records.empty())
        choice_ = reply.records.front().value == 1 ? kEnabledChoice : kDisabledChoice;
    UpdateData(false);
}

void CPppoeSettingDlg::OnOK()
{
    if (CheckTargetNe() != 0 || !UpdateDialogData())
        return;
    const WordRecord rec{choice_ == kEnabledChoice ? 1u : 0u};
    if (!CRecordRequests()
             .Modify(kReqPppoe, static_cast<uint32_t>(GetNeId()), rec, {.failureTextId = kStrFailToUpdateData})
             .Ok())
        return;
    EndDialog(IDOK);
}
