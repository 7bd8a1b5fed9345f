#include "features/provisioning/source_macs/xdsl_acl_dlg.h"

#include "core/entity/entity_type_ids.h"
#include "core/tables/access_rights.h"
#include "core/tables/entity_labels.h"
#include "core/tables/ne_table.h"
#include "core/util/mac_address.h"
#include "features/provisioning/source_macs/mac_check_request.h"
#include "features/provisioning/source_macs/mac_on_pvc.h"
#include "link/record_requests.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_xdsl_acl_dlg.h"

#include <optional>

namespace {

constexpr int kConfirmFlags = 0x134;
constexpr uint32_t kRouted = 1;

} // namespace

uint32_t AclStateTextId(uint32_t controlState)
{
    switch (controlState) {
    case kAclStatePermit:
        return kStrAclPermitListed;
    case kAclStateDeny:
        return kStrAclDenyListed;
    default:
        return kStrNone;
    }
}

QString PvcText(int neId, uint32_t portId, uint8_t vpi, uint16_t vci)
{
    const std::string port = FormatEntityLocationById(FindNeById(static_cast<uint32_t>(neId)), portId, false);
    return QStringLiteral("%1 %2/%3").arg(QString::fromStdString(port)).arg(vpi).arg(vci);
}

CXdslAclDlg::CXdslAclDlg(QWidget* parent) : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CXdslAclDlg>())
{
    ui_->setupUi(this);
    SetAccessMode(kAccessModify);
}

CXdslAclDlg::~CXdslAclDlg() = default;

void CXdslAclDlg::SetPvc(uint8_t vpi, uint16_t vci, uint32_t controlState)
{
    entry_.vpi = vpi;
    entry_.vci = vci;
    entry_.controlState = controlState;
}

void CXdslAclDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, kPvcId, pvcText_);
    DDX_Text(dx, kCurrentStateId, stateText_);
    DDX_Radio(dx, {kPermitId, kDenyId}, stateIndex_);
    DDX_Text(dx, kMacId, mac_);
}

void CXdslAclDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightSourceMacAcl) != 0 || CheckTargetNeOrClose() != 0 ||
        CheckPortTargetOrClose() != 0)
        return;
    entry_.portId = GetTargetEntity().id;
    pvcText_ = PvcText(GetNeId(), entry_.portId, entry_.vpi, entry_.vci);
    stateText_ = LoadQString(AclStateTextId(entry_.controlState));
    stateIndex_ = entry_.controlState == kAclStatePermit ? 0 : 1;
    UpdateData(false);
}

std::optional<bool> CXdslAclDlg::IsRoutedPvc()
{
    const PvcReading found = ReadPvcOfPort(static_cast<uint32_t>(GetNeId()), {entry_.portId, entry_.vpi, entry_.vci});
    if (!found.read)
        return std::nullopt;
    return found.pvc && found.pvc->rfc2684Mode == kRouted;
}

void CXdslAclDlg::OnOK()
{
    if (CheckTargetNe() != 0 || !UpdateDialogData())
        return;
    const std::optional<MacAddress> mac = TypedMacAddress(*this, mac_, kMacId);
    if (!mac)
        return;
    const uint32_t state = stateIndex_ == 0 ? kAclStatePermit : kAclStateDeny;
    const uint32_t neId = static_cast<uint32_t>(GetNeId());
    const std::optional<AclCheckRec> judged =
        AskMacCheck(neId, MacCheckOnPvc(state, *mac, {entry_.portId, entry_.vpi, entry_.vci}));
    if (!judged || !AcceptMacVerdict(*this, JudgeSourceMacReply(*judged, kMacId, kPvcId, IDOK)))
        return;
    const std::optional<bool> routed = IsRoutedPvc();
    if (!routed || (*routed && ShowMessageById(kStrSureToAddOnRoutedPvc, kConfirmFlags) != IDYES))
        return;
    AclEntryRec added = entry_;
    added.mac = *mac;
    added.controlState = state;
    if (!CRecordRequests().Add(kReqAcl, neId, added, {.failureTextId = kStrAddingNewDataFailed}).Ok())
        return;
    entry_ = added;
    EndDialog(IDOK);
}
