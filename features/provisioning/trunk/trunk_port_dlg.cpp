#include "features/provisioning/trunk/trunk_port_dlg.h"

#include "core/tables/access_rights.h"
#include "features/provisioning/common/port_dialog_start.h"
#include "link/record_requests.h"
#include "link/records/link_aggregation_rec.h"
#include "link/records/rstp_bridge_rec.h"
#include "link/records/trunk_port_mode_rec.h"
#include "link/records/trunk_port_rec.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_trunk_port_dlg.h"

#include <algorithm>

namespace {

constexpr int kConfirmFlags = 0x134; // Yes/No, exclamation, No default
constexpr uint32_t kAggregationLacp = 1;
constexpr uint32_t kAggregationStatic = 3;

template <typename Rec> const Rec* RecordOf(const std::vector<Rec>& records, uint32_t entityId)
{
    const auto found =
        std::find_if(records.begin(), records.end(), [entityId](const Rec& rec) { return rec.entityId == entityId; });
    return found != records.end() ? &*found : nullptr;
}

} // namespace

CTrunkPortDlg::CTrunkPortDlg(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CTrunkPortDlg>())
{
    ui_->setupUi(this);
    SetAccessMode(kAccessModify);
}

CTrunkPortDlg::~CTrunkPortDlg() = default;

bool CTrunkPortDlg::HasModeControls() const
{
    return GetTargetEntity().index.Port() > 1;
}

std::optional<uint32_t> CTrunkPortDlg::GetUplink() const
{
    if (!HasModeControls())
        return std::nullopt;
    return modeRadio_ == 0 ? 1u : 0u;
}

void CTrunkPortDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Radio(dx, {kEnabledRadioId, kDisabledRadioId}, adminRadio_);
    DDX_Radio(dx, {kUplinkRadioId, kSubtendRadioId}, modeRadio_);
    DDX_Radio(dx, {kAutoNegotiationOnId, kAutoNegotiationOffId}, autoNegotiationRadio_);
}

void CTrunkPortDlg::InitData()
{
    if (!StartOnTargetPort(*this, kRightTrunkPorts, *ui_->portLocation))
        return;
    const CEntityId& target = GetTargetEntity();
    const auto neId = static_cast<uint32_t>(GetNeId());
    const CRecordRequests requests;
    TrunkPortRec query;
    query.entityId = target.id;
    const RecordReply<TrunkPortRec> ports =
        requests.Query(kReqTrunkPort, neId, query, {.failureTextId = kStrFailToQuery});
    if (const TrunkPortRec* port = RecordOf(ports.records, target.id)) {
        adminRadio_ = port->adminState == 1 ? 0 : 1;
        autoNegotiationRadio_ = port->autoNegotiation == 1 ? 0 : 1;
    }
    if (HasModeControls()) {
        EnableControl(kSubtendRadioId);
        const RecordReply<TrunkPortModeRec> modes =
            requests.Query(kReqTrunkPortMode, neId, TrunkPortModeRec{target.id, 0}, {.failureTextId = kStrFailToQuery});
        if (const TrunkPortModeRec* mode = RecordOf(modes.records, target.id))
            modeRadio_ = mode->uplink == 1 ? 0 : 1;
    }
    UpdateData(false);
}

bool CTrunkPortDlg::SubtendAllowed()
{
    const CRecordRequests requests;
    const auto neId = static_cast<uint32_t>(GetNeId());
    const RecordReply<LinkAggregationRec> aggregation =
        requests.Query<LinkAggregationRec>(kReqLinkAggregation, neId, {.failureTextId = kStrFailToQuery});
    if (!aggregation.Ok())
        return false;
    if (!aggregation.records.empty() && (aggregation.records.front().aggregationType == kAggregationLacp ||
                                         aggregation.records.front().aggregationType == kAggregationStatic)) {
        ShowAlertTextById(kStrSubtendConflicts, kSubtendRadioId);
        return false;
    }
    const RecordReply<RstpBridgeRec> rstp =
        requests.Query<RstpBridgeRec>(kReqRstpBridge, neId, {.failureTextId = kStrFailToQuery});
    if (!rstp.Ok())
        return false;
    if (!rstp.records.empty() && rstp.records.front().adminState == 1) {
        ShowAlertTextById(kStrSubtendConflicts, kSubtendRadioId);
        return false;
    }
    return true;
}

void CTrunkPortDlg::OnOK()
{
    if (!UpdateDialogData())
        return;
    const uint32_t adminState = adminRadio_ == 0 ? 1 : 2;
    const bool subtend = HasModeControls() && modeRadio_ == 1;
    if (adminState == 2) {
        if (ShowMessageById(kStrSureToDisableTrunkPort, kConfirmFlags) != IDYES)
            return;
    } else if (subtend && ShowMessageById(kStrSureToSubtend, kConfirmFlags) != IDYES) {
        return;
    }
    if (subtend && !SubtendAllowed())
        return;
    const CRecordRequests requests;
    const auto neId = static_cast<uint32_t>(GetNeId());
    const uint32_t portId = GetTargetEntity().id;
    TrunkPortRec port;
    port.entityId = portId;
    port.adminState = adminState;
    port.autoNegotiation = GetAutoNegotiation();
    if (!requests.Modify(kReqTrunkPort, neId, port, {.failureTextId = kStrFailToUpdateData}).Ok())
        return;
    adminState_ = adminState;
    if (HasModeControls() && !requests
                                  .Modify(kReqTrunkPortMode, neId, TrunkPortModeRec{portId, *GetUplink()},
                                          {.failureTextId = kStrFailToUpdateData})
                                  .Ok())
        return;
    EndDialog(IDOK);
}
