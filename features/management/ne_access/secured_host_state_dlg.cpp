#include "features/management/ne_access/secured_host_state_dlg.h"

#include "core/tables/access_rights.h"
#include "link/record_requests.h"
#include "link/records/word_record.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_secured_host_state_dlg.h"

CSecuredHostStateDlg::CSecuredHostStateDlg(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CSecuredHostStateDlg>())
{
    ui_->setupUi(this);
    SetAccessMode(kAccessModify);
}

CSecuredHostStateDlg::~CSecuredHostStateDlg() = default;

void CSecuredHostStateDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Radio(dx, {kEnabledId, kDisabledId}, choice_);
}

void CSecuredHostStateDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightSecuredHosts) != 0 || CheckTargetNeOrClose() != 0)
        return;
    UpdateCaption(kCaptionNe);
    UpdateData(false);
}

void CSecuredHostStateDlg::OnOK()
{
    if (CheckTargetNe() != 0 || !UpdateDialogData())
        return;
    const WordRecord state{IsEnabled() ? 1u : 0u};
    if (!CRecordRequests()
             .Modify(kReqSecuredHostState, static_cast<uint32_t>(GetNeId()), state, {.failureTextId = kStrFailToQuery})
             .Ok())
        return;
    EndDialog(IDOK);
}
