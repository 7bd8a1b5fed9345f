#include "features/provisioning/vlans/protocol_vlan_setting_dlg.h"

#include "core/tables/access_rights.h"
#include "link/record_requests.h"
#include "link/records/word_record.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_protocol_vlan_setting_dlg.h"

CProtocolVlanSettingDlg::CProtocolVlanSettingDlg(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CProtocolVlanSettingDlg>())
{
    ui_->setupUi(this);
}

CProtocolVlanSettingDlg::~CProtocolVlanSettingDlg() = default;

void CProtocolVlanSettingDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Radio(dx, {kEnabledId, kDisabledId}, choice_);
}

void CProtocolVlanSettingDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightProtocolVlans) != 0 || CheckTargetNeOrClose() != 0)
        return;
    UpdateCaption(kCaptionNe | kCaptionLocation);
    UpdateData(false);
}

void CProtocolVlanSettingDlg::OnOK()
{
    if (CheckTargetNe() != 0 || !UpdateDialogData())
        return;
    // The state's write fails with the text of its query.
    if (!CRecordRequests()
             .Modify(kReqProtocolVlanState, static_cast<uint32_t>(GetNeId()), WordRecord{IsEnabled() ? 1u : 0u},
                     {.failureTextId = kStrFailToQuery})
             .Ok())
        return;
    EndDialog(IDOK);
}
