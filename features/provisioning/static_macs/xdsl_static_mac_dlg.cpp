#include "features/provisioning/static_macs/xdsl_static_mac_dlg.h"

#include "core/entity/entity_type_ids.h"
#include "core/tables/access_rights.h"
#include "core/tables/ne_table.h"
#include "core/util/mac_address.h"
#include "features/provisioning/source_macs/mac_check_request.h"
#include "features/provisioning/source_macs/mac_on_pvc.h"
#include "features/provisioning/static_macs/static_mac_verdict.h"
#include "link/record_requests.h"
#include "ui/framework/dialogs/entity_combos.h"
#include "ui/framework/dialogs/number_edit.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_xdsl_static_mac_dlg.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

constexpr int kConfirmFlags = 0x134; // Yes/No, warning, No the default
constexpr int kXdslLinePorts = 9;    // the entity kind of the xDSL line cards and their ports
constexpr uint32_t kStaticMacCheck = 7;
constexpr uint32_t kStaticEntry = 7;
constexpr uint32_t kNotBridged = 1;
constexpr uint32_t kMaxVpi = 255;
constexpr uint32_t kMinVci = 32;
constexpr uint32_t kMaxVci = 65535;

} // namespace

CXdslStaticMacDlg::CXdslStaticMacDlg(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CXdslStaticMacDlg>()),
      combos_(*this, {kShelfId, kSlotId, kPortId}, kXdslLinePorts, 0)
{
    ui_->setupUi(this);
    SetAccessMode(kAccessModify);
}

CXdslStaticMacDlg::~CXdslStaticMacDlg() = default;

void CXdslStaticMacDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_TextInRange(dx, *this, kVpiId, vpi_, 0, kMaxVpi);
    DDX_TextInRange(dx, *this, kVciId, vci_, kMinVci, kMaxVci);
    DDX_Text(dx, kMacId, mac_);
}

void CXdslStaticMacDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightFilteringDatabase) != 0 || CheckTargetNeOrClose() != 0)
        return;
    const CEntityId& target = GetTargetEntity();
    if (GetAccessMode() != kAccessCreate && target.index.GetLevel() != kEntityLevelPort) {
        ShowAlertTextById(kStrInternalError);
        EndDialog(IDCANCEL);
        return;
    }
    const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
    combos_.Refill(ne, 2, &target.index);
    HoldShelfComboOfSingleShelfNe(GetDlgItemAs<QComboBox>(kShelfId), ne);
    if (GetAccessMode() != kAccessCreate && preset_) {
        vpi_ = entry_.vpi;
        vci_ = entry_.vci;
        mac_ = QString::fromStdString(FormatMacAddress(entry_.mac));
    }
    UpdateCaption(kCaptionNe | kCaptionLocation);
    UpdateData(false);
}

int CXdslStaticMacDlg::OnCommandHook(int id, int code)
{
    if (code == CBN_SELCHANGE && (id == kShelfId || id == kSlotId)) {
        combos_.Refill(FindNeById(static_cast<uint32_t>(GetNeId())), id == kShelfId ? 3 : 4);
        return 1;
    }
    return CADialog::OnCommandHook(id, code);
}

int CXdslStaticMacDlg::OnNotifyHook(const NotifyHeader& header, int* result)
{
    if (header.code == UDN_DELTAPOS && header.idFrom == kVpiSpinId) {
        StepNumberEdit(GetDlgItemAs<QLineEdit>(kVpiId), header.delta, 0, kMaxVpi);
        return 1;
    }
    if (header.code == UDN_DELTAPOS && header.idFrom == kVciSpinId) {
        StepNumberEdit(GetDlgItemAs<QLineEdit>(kVciId), header.delta, kMinVci, kMaxVci);
        return 1;
    }
    return CADialog::OnNotifyHook(header, result);
}

bool CXdslStaticMacDlg::CheckMac(const FdbEntryRec& entry)
{
    const std::optional<AclCheckRec> judged =
        AskMacCheck(static_cast<uint32_t>(GetNeId()),
                    MacCheckOnPvc(kStaticMacCheck, entry.mac, {entry.portId, entry.vpi, entry.vci}));
    return judged && AcceptMacVerdict(*this, JudgeStaticMacReply(*judged, kMacId, kVpiId));
}

std::optional<uint16_t> CXdslStaticMacDlg::PvcVlan(const FdbEntryRec& entry)
{
    const PvcReading found = ReadPvcOfPort(static_cast<uint32_t>(GetNeId()), {entry.portId, entry.vpi, entry.vci});
    if (!found.read)
        return std::nullopt;
    if (!found.pvc)
        return uint16_t{0};
    if (found.pvc->rfc2684Mode == kNotBridged && ShowMessageById(kStrSureToAddOnRoutedPvc, kConfirmFlags) != IDYES)
        return std::nullopt;
    return found.pvc->vlanId;
}

void CXdslStaticMacDlg::OnOK()
{
    if (CheckTargetNe() != 0 || !UpdateDialogData())
        return;
    const CEntityIndex port = combos_.Chosen();
    for (const auto& [id, level] : {std::pair{kShelfId, 2}, std::pair{kSlotId, 3}, std::pair{kPortId, 4}}) {
        if (port.GetLevel() < level) {
            ShowAlertTextById(kStrPleaseSelectOneItem, id);
            return;
        }
    }
    const std::optional<MacAddress> mac = TypedMacAddress(*this, mac_, kMacId);
    if (!mac)
        return;
    FdbEntryRec entry;
    entry.portId = CEntityId(&port).id;
    entry.vpi = static_cast<uint8_t>(vpi_);
    entry.vci = static_cast<uint16_t>(vci_);
    entry.mac = *mac;
    if (!CheckMac(entry))
        return;
    const std::optional<uint16_t> vlan = PvcVlan(entry);
    if (!vlan)
        return;
    if (!CRecordRequests()
             .Add(kReqStaticFdb, static_cast<uint32_t>(GetNeId()), entry, {.failureTextId = kStrAddingNewDataFailed})
             .Ok())
        return;
    entry.status = kStaticEntry;
    entry.vlanId = *vlan;
    entry_ = entry;
    EndDialog(IDOK);
}
