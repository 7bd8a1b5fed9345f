#include "features/provisioning/rstp/rstp_status_dlg.h"

#include "core/tables/access_rights.h"
#include "core/util/date_time_format.h"
#include "features/provisioning/rstp/rstp_rules.h"
#include "features/provisioning/trunk/trunk_ports.h"
#include "link/record_requests.h"
#include "link/records/rstp_bridge_rec.h"
#include "link/records/rstp_port_rec.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_rstp_status_dlg.h"

#include <QLineEdit>
#include <QStringList>

namespace {

// Rows of the bridge page and of a port page, in the order of their items.
enum BridgeRow : uint32_t {
    kBridgeId,
    kBridgePriority,
    kBridgeMaxAge,
    kBridgeHelloTime,
    kBridgeForwardDelay,
    kTxHoldCount,
    kTimeSinceChange,
    kChangeCount,
    kRootCost,
    kRootPort,
    kRootMaxAge,
    kRootHelloTime,
    kRootForwardDelay,
};
enum PortRow : uint32_t {
    kPortId,
    kAdminState,
    kPortPriority,
    kAdminPathCost,
    kAdminEdgePort,
    kAdminPointToPoint,
    kStpState,
    kForwardTransitions,
    kOperPathCost,
    kOperEdgePort,
    kOperPointToPoint,
    kRootBridgeId,
    kRootPathCost,
    kDesignatedBridgeId,
    kDesignatedPortId,
};

std::string Number(uint32_t value)
{
    return std::to_string(value);
}

std::string Seconds(uint32_t value)
{
    return LoadQString(kStrSeconds).arg(value).toStdString();
}

std::string Hex4(uint32_t value)
{
    return QString::asprintf("0x%04x", value).toStdString();
}

std::string TrueFalse(bool value)
{
    return LoadString(value ? kStrValueTrue : kStrValueFalse);
}

std::string PointToPointText(uint32_t value)
{
    switch (value) {
    case 0:
        return LoadString(kStrValueTrue);
    case 1:
        return LoadString(kStrValueFalse);
    default:
        return LoadString(kStrValueAuto);
    }
}

std::string StpStateText(uint32_t state)
{
    const QStringList states = LoadQString(kStrStpStates).split('|');
    return state >= 1 && state <= static_cast<uint32_t>(states.size())
               ? states[static_cast<int>(state - 1)].toStdString()
               : std::string();
}

} // namespace

CRstpStatusDlg::CRstpStatusDlg(QWidget* parent)
    : CItemValueTabDlg(kTemplateId, parent), ui_(std::make_unique<Ui::CRstpStatusDlg>())
{
    ui_->setupUi(this);
}

CRstpStatusDlg::~CRstpStatusDlg() = default;

void CRstpStatusDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightSpanningTree) != 0 || CheckTargetNeOrClose() != 0)
        return;
    UpdateCaption(kCaptionNe | kCaptionLocation);
    AddPage(CRstpStatusPage::kTemplateId, &bridgePage_, LoadString(kStrBridgePage).c_str());
    bridgePage_.SetItems(kStrColumnsRstpStatus, kStrRstpBridgeItems);
    AddTrunkPortPages(CRstpStatusPage::kTemplateId, kStrColumnsRstpStatus, kStrRstpPortItems);
    Load();
}

void CRstpStatusDlg::Load()
{
    bridgePage_.ClearValues();
    ClearPortPages();
    const CRecordRequests requests;
    const auto neId = static_cast<uint32_t>(GetNeId());
    const RecordReply<RstpBridgeRec> bridge =
        requests.Query<RstpBridgeRec>(kReqRstpBridge, neId, {.failureTextId = kStrFailToQuery});
    if (!bridge.Ok())
        return;
    if (!bridge.records.empty())
        ShowBridge(bridge.records.front());
    const RecordReply<RstpPortRec> ports =
        requests.Query<RstpPortRec>(kReqRstpPort, neId, {.failureTextId = kStrFailToQuery});
    for (const RstpPortRec& port : ports.records) {
        if (const int number = TrunkPortNumber(port.entityId); number != 0)
            ShowPort(PortPage(number), port);
    }
}

void CRstpStatusDlg::ShowBridge(const RstpBridgeRec& rec)
{
    GetDlgItemAs<QLineEdit>(kStateId)->setText(LoadQString(rec.adminState == 1 ? kStrValueEnabled : kStrValueDisabled));
    GetDlgItemAs<QLineEdit>(kVersionId)
        ->setText(LoadQString(rec.version != 0 ? kStrVersionRstp : kStrVersionStpCompatibleStatus));
    CRstpStatusPage& page = bridgePage_;
    page.SetValue(kBridgeId, RstpBridgeIdText(rec.priority, rec.mac));
    page.SetValue(kBridgePriority, Number(rec.priority));
    page.SetValue(kBridgeMaxAge, Seconds(rec.maxAge));
    page.SetValue(kBridgeHelloTime, Seconds(rec.helloTime));
    page.SetValue(kBridgeForwardDelay, Seconds(rec.forwardDelay));
    page.SetValue(kTxHoldCount, Number(rec.txHoldCount));
    page.SetValue(kTimeSinceChange, FormatUptime(rec.timeSinceTopologyChange / 100));
    page.SetValue(kChangeCount, Number(rec.topologyChanges));
    page.SetValue(kRootCost, Number(rec.rootCost));
    page.SetValue(kRootPort, rec.rootPort == 0 ? std::string("--") : Hex4(rec.rootPort));
    page.SetValue(kRootMaxAge, Seconds(rec.rootMaxAge));
    page.SetValue(kRootHelloTime, Seconds(rec.rootHelloTime));
    page.SetValue(kRootForwardDelay, Seconds(rec.rootForwardDelay));
}

void CRstpStatusDlg::ShowPort(CRstpStatusPage& page, const RstpPortRec& rec)
{
    page.SetValue(kPortId, QString::asprintf("0x%02x%02x", rec.priority, TrunkPortNumber(rec.entityId)).toStdString());
    page.SetValue(kAdminState, LoadString(rec.adminState == 1 ? kStrValueEnabled : kStrValueDisabled));
    page.SetValue(kPortPriority, Number(rec.priority));
    page.SetValue(kAdminPathCost, rec.adminPathCost == 0 ? LoadString(kStrValueDefault) : Number(rec.adminPathCost));
    page.SetValue(kAdminEdgePort, TrueFalse(rec.adminEdgePort == 1));
    page.SetValue(kAdminPointToPoint, PointToPointText(rec.adminPointToPoint));
    page.SetValue(kStpState, StpStateText(rec.stpState));
    page.SetValue(kForwardTransitions, Number(rec.forwardTransitions));
    page.SetValue(kOperPathCost, Number(rec.operPathCost));
    page.SetValue(kOperEdgePort, TrueFalse(rec.operEdgePort == 1));
    page.SetValue(kOperPointToPoint, TrueFalse(rec.operPointToPoint == 1));
    page.SetValue(kRootBridgeId, RstpBridgeIdText(rec.rootBridgePriority, rec.rootBridgeMac));
    page.SetValue(kRootPathCost, Number(rec.rootPathCost));
    page.SetValue(kDesignatedBridgeId, RstpBridgeIdText(rec.designatedBridgePriority, rec.designatedBridgeMac));
    page.SetValue(kDesignatedPortId, Hex4(rec.designatedPortId));
}
