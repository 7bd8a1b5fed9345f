#include "features/provisioning/rstp/rstp_setting_dlg.h"

#include "core/tables/access_rights.h"
#include "core/tables/ne_table.h"
#include "features/provisioning/rstp/rstp_rules.h"
#include "features/provisioning/trunk/subtend_check.h"
#include "features/provisioning/trunk/trunk_ports.h"
#include "link/record_requests.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_rstp_setting_dlg.h"

#include <QComboBox>

#include <algorithm>

CRstpSettingDlg::CRstpSettingDlg(QWidget* parent)
    : CATabDialog(kTemplateId, parent), ui_(std::make_unique<Ui::CRstpSettingDlg>())
{
    ui_->setupUi(this);
}

CRstpSettingDlg::~CRstpSettingDlg() = default;

void CRstpSettingDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Radio(dx, {kEnabledRadioId, kDisabledRadioId}, adminRadio_);
    DDX_CBIndex(dx, kVersionComboId, versionIndex_);
}

uint32_t CRstpSettingDlg::ChosenVersion() const
{
    return versionIndex_ == 0 ? kRstpVersionRstp : kRstpVersionStp;
}

void CRstpSettingDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightSpanningTree) != 0 || CheckTargetNeOrClose() != 0)
        return;
    UpdateCaption(kCaptionNe | kCaptionLocation);
    auto* version = GetDlgItemAs<QComboBox>(kVersionComboId);
    version->addItems({LoadQString(kStrVersionRstp), LoadQString(kStrVersionStpCompatible)});
    const auto neId = static_cast<uint32_t>(GetNeId());
    const CNeRecord* ne = FindNeById(neId);
    AddPage(CRstpBridgePage::kTemplateId, &bridgePage_, LoadString(kStrBridgePage).c_str());
    const std::vector<CEntityIndex> trunks = TrunkPortIndexes(ne);
    for (size_t i = 0; i < trunks.size() && i < portPages_.size(); ++i)
        AddPage(CRstpPortPage::kTemplateId, &portPages_[i], TrunkPortPageTitle(ne, trunks[i]).c_str());

    const CRecordRequests requests;
    const RecordReply<RstpBridgeRec> bridge =
        requests.Query<RstpBridgeRec>(kReqRstpBridge, neId, {.failureTextId = kStrFailToQuery});
    if (!bridge.Ok() || bridge.records.empty()) {
        UpdatePageData(AllPages(), 0);
        ApplyEnablingRules();
        return;
    }
    const RstpBridgeRec& rec = bridge.records.front();
    adminRadio_ = rec.adminState == 1 ? 0 : 1;
    versionIndex_ = rec.version != 0 ? 0 : 1;
    bridgePage_.bridgeId = QString::fromStdString(RstpBridgeIdText(rec.priority, rec.mac));
    bridgePage_.priority = NormalisePriority(rec.priority, kBridgePriorityScale);
    const RstpTimes times = ClampRstpTimes({rec.maxAge, rec.helloTime, rec.forwardDelay, rec.txHoldCount});
    bridgePage_.maxAge = times.maxAge;
    bridgePage_.helloTime = times.helloTime;
    bridgePage_.forwardDelay = times.forwardDelay;
    bridgePage_.txHoldCount = times.txHoldCount;

    const RecordReply<RstpPortRec> ports =
        requests.Query<RstpPortRec>(kReqRstpPort, neId, {.failureTextId = kStrFailToQuery});
    for (const RstpPortRec& port : ports.records) {
        const int number = TrunkPortNumber(port.entityId);
        if (number == 0)
            continue;
        LoadPort(PortPage(number), port, rec.version);
    }
    UpdatePageData(AllPages(), 0);
    for (CRstpPortPage& page : portPages_)
        page.SetVersion(rec.version);
    ApplyEnablingRules();
}

void CRstpSettingDlg::LoadPort(CRstpPortPage& page, const RstpPortRec& rec, uint32_t version)
{
    // The port ID: its priority, then its number.
    page.portNumber = static_cast<uint32_t>(TrunkPortNumber(rec.entityId));
    page.portId = QString::asprintf("0x%02x%02x", rec.priority, page.portNumber);
    page.rstpEnabled = rec.adminState == 1 ? 1 : 0;
    page.priority = NormalisePriority(rec.priority, kPortPriorityScale);
    page.defaultCost = rec.adminPathCost == 0 ? 1 : 0;
    page.pathCost = rec.adminPathCost == 0 ? DefaultPathCost(version) : ClampPathCost(rec.adminPathCost, version);
    page.edge = rec.adminEdgePort == 1 ? 1 : 0;
    page.pointToPoint = rec.adminPointToPoint <= 1 ? static_cast<int>(rec.adminPointToPoint) : 2;
    page.mcheck = 0;
}

void CRstpSettingDlg::ApplyEnablingRules()
{
    const bool enabled = RstpEnabled();
    EnableControl(kVersionComboId, enabled);
    bridgePage_.ApplyEnablingRules(enabled);
    for (CRstpPortPage& page : portPages_)
        page.ApplyEnablingRules(enabled);
}

int CRstpSettingDlg::OnCommandHook(int id, int code)
{
    if (code == BN_CLICKED && (id == kEnabledRadioId || id == kDisabledRadioId)) {
        UpdateData(true);
        ApplyEnablingRules();
        return 1;
    }
    if (code == CBN_SELCHANGE && id == kVersionComboId) {
        UpdateData(true);
        for (CRstpPortPage& page : portPages_)
            page.SetVersion(ChosenVersion());
        ApplyEnablingRules();
        return 1;
    }
    return CATabDialog::OnCommandHook(id, code);
}

bool CRstpSettingDlg::CheckEnabling()
{
    if (const uint32_t refusal =
            RstpTimingRefusal(bridgePage_.maxAge, bridgePage_.helloTime, bridgePage_.forwardDelay)) {
        ShowPageAlertTextById(&bridgePage_, refusal,
                              refusal == kStrRuleForwardDelayMaxAge ? CRstpBridgePage::kForwardDelayId
                                                                    : CRstpBridgePage::kHelloTimeId,
                              CRstpBridgePage::kMaxAgeId);
        return false;
    }
    return CheckNotSubtending(*this, kStrSubtendExcludesRstp, kEnabledRadioId);
}

RstpBridgeRec CRstpSettingDlg::BridgeRecord() const
{
    RstpBridgeRec rec;
    rec.adminState = RstpEnabled() ? 1 : 0;
    rec.version = ChosenVersion();
    rec.priority = static_cast<uint16_t>(bridgePage_.priority);
    rec.maxAge = static_cast<uint8_t>(bridgePage_.maxAge);
    rec.helloTime = static_cast<uint8_t>(bridgePage_.helloTime);
    rec.forwardDelay = static_cast<uint8_t>(bridgePage_.forwardDelay);
    rec.txHoldCount = static_cast<uint8_t>(bridgePage_.txHoldCount);
    return rec;
}

RstpPortRec CRstpSettingDlg::PortRecord(const CRstpPortPage& page, uint32_t version) const
{
    RstpPortRec rec;
    rec.entityId = TrunkPortId(FindNeById(static_cast<uint32_t>(GetNeId())), static_cast<int>(page.portNumber));
    rec.priority = static_cast<uint8_t>(page.priority);
    rec.adminState = page.rstpEnabled != 0 ? 1 : 0;
    rec.adminPathCost = page.defaultCost != 0 ? 0 : page.pathCost;
    rec.mcheck = version == kRstpVersionRstp && page.rstpEnabled != 0 && page.mcheck != 0 ? 1 : 0;
    rec.adminEdgePort = page.edge != 0 ? 1 : 0;
    rec.adminPointToPoint = static_cast<uint32_t>(std::clamp(page.pointToPoint, 0, 2));
    return rec;
}

void CRstpSettingDlg::OnOK()
{
    if (CheckTargetNe() != 0 || UpdatePageData(AllPages(), 1) == 0)
        return;
    if (RstpEnabled() && !CheckEnabling())
        return;
    const CRecordRequests requests;
    const auto neId = static_cast<uint32_t>(GetNeId());
    const uint32_t version = ChosenVersion();
    if (!requests.Modify(kReqRstpBridge, neId, BridgeRecord(), {.failureTextId = kStrFailToUpdateData}).Ok())
        return;
    for (CRstpPortPage& page : portPages_) {
        if (page.portNumber == 0 || IsPageShown(&page) == 0)
            continue;
        if (!requests.Modify(kReqRstpPort, neId, PortRecord(page, version), {.failureTextId = kStrFailToUpdateData})
                 .Ok())
            return;
    }
    EndDialog(IDOK);
}
