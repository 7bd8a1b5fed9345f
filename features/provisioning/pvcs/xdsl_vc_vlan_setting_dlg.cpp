#include "features/provisioning/pvcs/xdsl_vc_vlan_setting_dlg.h"

#include "core/entity/entity_id.h"
#include "core/tables/access_rights.h"
#include "core/tables/entity_node.h"
#include "core/tables/ne_table.h"
#include "core/util/vlan_id.h"
#include "features/provisioning/pvcs/pvc_values.h"
#include "features/provisioning/pvcs/static_ip_range_check.h"
#include "link/record_requests.h"
#include "link/records/ip_traffic_profile_rec.h"
#include "link/records/next_hop_rec.h"
#include "ui/framework/dialogs/entity_combos.h"
#include "ui/framework/dialogs/number_edit.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_xdsl_vc_vlan_setting_dlg.h"

#include <QComboBox>

#include <algorithm>
#include <vector>

namespace {

constexpr int kXdslLinePorts = 9; // the entity kind of the xDSL line cards and their ports
constexpr int kConfirmFlags = 0x134;
constexpr int kErrorBox = static_cast<int>(0x80000000u);
constexpr VcFieldIds kFields{CXdslVcVlanSettingDlg::kVpiId, CXdslVcVlanSettingDlg::kVpiSpinId,
                             CXdslVcVlanSettingDlg::kVciId, CXdslVcVlanSettingDlg::kVciSpinId};

// The rules whose remedy is on the MAC Control page.
constexpr uint32_t kMacRules = pvc_rule::Bit(pvc_rule::kMacBelowFdb) | pvc_rule::Bit(pvc_rule::kIpOverMac) |
                               pvc_rule::Bit(pvc_rule::kVlanMacLimit) | pvc_rule::Bit(pvc_rule::kCardMacLimit) |
                               pvc_rule::Bit(pvc_rule::kClientOverMac);

} // namespace

CXdslVcVlanSettingDlg::CXdslVcVlanSettingDlg(QWidget* parent)
    : CATabDialog(kTemplateId, parent), ui_(std::make_unique<Ui::CXdslVcVlanSettingDlg>()),
      combos_(*this, {kShelfId, kSlotId, kPortId}, kXdslLinePorts, 0)
{
    ui_->setupUi(this);
}

CXdslVcVlanSettingDlg::~CXdslVcVlanSettingDlg() = default;

void CXdslVcVlanSettingDlg::SetPvcKey(uint8_t vpi, uint16_t vci)
{
    result_.vpi = vpi;
    result_.vci = vci;
}

void CXdslVcVlanSettingDlg::DoDataExchange(CDataExchange& dx)
{
    ExchangeVcFields(dx, *this, kFields, fields_);
    DDX_Radio(dx, {kEnabledId, kDisabledId}, enableIndex_);
    DDX_CBIndex(dx, kModeId, modeIndex_);
}

void CXdslVcVlanSettingDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightVlanMembership) != 0 || CheckTargetNeOrClose() != 0 ||
        CheckPortTargetOrClose() != 0)
        return;
    EnableControl(IDOK, GetAccessMode() != kAccessQuery);
    EnableControls({kShelfId, kSlotId, kPortId, kVpiSpinId, kVciSpinId}, IsCreating());
    SetControlsReadOnly({kVpiId, kVciId}, !IsCreating());
    FillPortCombos(2);
    HoldShelfComboOfSingleShelfNe(GetDlgItemAs<QComboBox>(kShelfId), FindNeById(static_cast<uint32_t>(GetNeId())));
    UpdateCaption(kCaptionNe | kCaptionEntity | kCaptionLocation);

    AddPage(CVcVlanIpTrafficPage::kTemplateId, &ipTraffic_, "IP Traffic Profile");
    AddPage(CVcVlanIdPage::kTemplateId, &vlan_, "802.1Q/1P");
    AddPage(CVcVlanMacLimitPage::kTemplateId, &macLimit_, "MAC Control");
    AddPage(CVcVlanPriorityPage::kTemplateId, &priority_, "802.1P");
    AddPage(CVcVlanNextHopPage::kTemplateId, &nextHop_, "Next-hop");
    AddPage(CVcVlanServiceTypePage::kTemplateId, &serviceType_, "Service Type");
    HidePage(&priority_);
    HidePage(&nextHop_);

    fields_.vpi = IsCreating() ? 0 : result_.vpi;
    fields_.vci = IsCreating() ? kFirstVci : result_.vci;
    FillNames();
    UpdatePageData(AllPages(), 0);
    if (IsCreating()) {
        serviceType_.SetServiceType(kServiceTransparent);
        serviceType_.ApplyServiceTypeRule();
        return;
    }
    ReadPvc();
}

void CXdslVcVlanSettingDlg::FillPortCombos(int fromLevel)
{
    combos_.Refill(FindNeById(static_cast<uint32_t>(GetNeId())), fromLevel,
                   fromLevel == 2 ? &GetTargetEntity().index : nullptr);
}

void CXdslVcVlanSettingDlg::FillNames()
{
    const CRecordRequests requests;
    const uint32_t neId = static_cast<uint32_t>(GetNeId());
    std::vector<std::string> names;
    const RecordReply<IpTrafficProfileRec> profiles =
        requests.Query<IpTrafficProfileRec>(kReqIpTrafficProfile, neId, {.failureTextId = kStrFailToQuery});
    for (const IpTrafficProfileRec& profile : profiles.records)
        names.push_back(profile.name);
    ipTraffic_.SetNames(names);
    names.clear();
    const RecordReply<NextHopRec> hops =
        requests.Query<NextHopRec>(kReqNextHop, neId, {.failureTextId = kStrFailToQuery});
    for (const NextHopRec& hop : hops.records)
        names.push_back(hop.name);
    nextHop_.SetNames(names);
}

bool CXdslVcVlanSettingDlg::ReadPvc()
{
    const uint32_t neId = static_cast<uint32_t>(GetNeId());
    PvcRec key;
    key.portId = GetTargetEntity().id;
    key.vpi = result_.vpi;
    key.vci = result_.vci;
    PvcStaticIps ranges{};
    if (const auto read = QueryPvcStaticIps(neId, key, kStrFailToQuery)) {
        std::copy_n(read->begin(), std::min(read->size(), ranges.size()), ranges.begin());
    } else {
        // Nothing to show the ranges from: the controls stay as they started.
        EnableControl(IDOK, false);
        return false;
    }
    const RecordReply<PvcRec> reply = CRecordRequests().Query(kReqPvc, neId, key, {.failureTextId = kStrFailToQuery});
    const auto found = std::find_if(reply.records.begin(), reply.records.end(), [&](const PvcRec& pvc) {
        return pvc.portId == key.portId && pvc.vpi == key.vpi && pvc.vci == key.vci;
    });
    if (!reply.Ok()) {
        EnableControl(IDOK, false);
        return false;
    }
    if (found == reply.records.end()) {
        ShowAlertTextById(kStrNoData);
        EndDialog(IDCANCEL);
        return false;
    }
    ShowPvc(*found, ranges);
    return true;
}

void CXdslVcVlanSettingDlg::ShowPvc(const PvcRec& pvc, const PvcStaticIps& ranges)
{
    read_ = pvc;
    asRead_ = PvcAsShown(pvc);
    enableIndex_ = pvc.enableState == kPvcEnabled ? 0 : 1;
    modeIndex_ = pvc.rfc2684Mode == kRfc2684Routed ? 1 : 0;
    vlan_.SetVlanId(asRead_.vlanId);
    vlan_.SetPriority(std::min(pvc.userPriority, kMaxUserPriority));
    priority_.SetPriority(std::min(pvc.userPriority, kMaxUserPriority));
    macLimit_.SetMacLimit(asRead_.macLimit);
    macLimit_.SetNonAged(pvc.aging != 1);
    serviceType_.SetRanges(ranges);
    serviceType_.SetServiceType(ShownServiceType(pvc.serviceType));
    serviceType_.SetLimits(pvc.dhcpIpLimit, pvc.clientLimit);
    UpdateData(false);
    SwitchMode(false);
    ipTraffic_.Choose(pvc.ipTrafficProfile);
    if (IsRouted())
        nextHop_.Choose(pvc.nextHopName);
    UpdatePageData(AllPages(), 0);
    serviceType_.ApplyServiceTypeRule();
}

void CXdslVcVlanSettingDlg::SwitchMode(bool fromOperator)
{
    if (IsRouted()) {
        if (fromOperator)
            priority_.SetPriority(vlan_.Priority());
        HidePage(&vlan_);
        ShowPage(&priority_, 0);
        ShowPage(&nextHop_, 0);
        HidePage(&serviceType_);
        ShowPage(&serviceType_, 0);
        if (fromOperator && IsCreating())
            serviceType_.SetServiceType(kServiceStaticIp);
    } else {
        if (fromOperator)
            vlan_.SetPriority(priority_.Priority());
        HidePage(&priority_);
        HidePage(&nextHop_);
        ShowPage(&vlan_, 0);
        HidePage(&serviceType_);
        ShowPage(&serviceType_, 0);
    }
    UpdatePageData(fromOperator ? static_cast<CADialog*>(IsRouted() ? &priority_ : &vlan_) : ContainerItself(), 0);
    serviceType_.ApplyServiceTypeRule();
}

int CXdslVcVlanSettingDlg::OnCommandHook(int id, int code)
{
    switch (id) {
    case kShelfId:
    case kSlotId:
        if (code == CBN_SELCHANGE)
            FillPortCombos(id == kShelfId ? 3 : 4);
        return 1;
    case kModeId:
        if (code == CBN_SELCHANGE) {
            // The pages' values go with the switch: the one the operator set last counts.
            UpdatePageData(IsRouted() ? static_cast<CADialog*>(&vlan_) : &priority_, 1);
            UpdateDialogData();
            SwitchMode(true);
        }
        return 1;
    case CVcVlanServiceTypePage::kChangedCommand:
        if (GetAccessMode() != kAccessQuery)
            EnableControls({kEnabledId, kDisabledId});
        return 1;
    default:
        return CATabDialog::OnCommandHook(id, code);
    }
}

bool CXdslVcVlanSettingDlg::OnNotify(const NotifyHeader& header, int* result)
{
    return StepVcFieldSpin(*this, kFields, header) || CATabDialog::OnNotify(header, result);
}

bool CXdslVcVlanSettingDlg::CheckChoices()
{
    const CEntityIndex chosen = combos_.Chosen();
    for (const auto& [level, id] : {std::pair{2, kShelfId}, std::pair{3, kSlotId}, std::pair{4, kPortId}}) {
        if (chosen.GetLevel() < level) {
            ShowAlertTextById(kStrPleaseSelectOneItem, id);
            return false;
        }
    }
    if (ipTraffic_.ChosenName().empty()) {
        ShowPageAlertTextById(&ipTraffic_, kStrPleaseSelectOneItem, CVcVlanIpTrafficPage::kProfileId);
        return false;
    }
    if (IsRouted() && nextHop_.ChosenName().empty()) {
        ShowPageAlertTextById(&nextHop_, kStrPleaseSelectOneItem, CVcVlanNextHopPage::kNextHopId);
        return false;
    }
    return true;
}

std::optional<PvcRec> CXdslVcVlanSettingDlg::BuildPvc()
{
    CEntityId portId;
    portId.SetIndex(combos_.Chosen());
    const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
    // A port the entity model does not hold has nothing to write to.
    if (ne == nullptr || ne->root == nullptr || ne->root->FindById(portId.id) == nullptr)
        return std::nullopt;
    PvcRec pvc;
    pvc.portId = portId.id;
    pvc.vpi = static_cast<uint8_t>(fields_.vpi);
    pvc.vci = static_cast<uint16_t>(fields_.vci);
    pvc.rfc2684Mode = IsRouted() ? kRfc2684Routed : kRfc2684Bridged;
    pvc.ipTrafficProfile = ipTraffic_.ChosenName();
    pvc.macLimit = static_cast<uint8_t>(macLimit_.MacLimit());
    pvc.userPriority = IsRouted() ? priority_.Priority() : vlan_.Priority();
    pvc.vlanId = IsRouted() ? (IsCreating() ? kFirstVlanId : asRead_.vlanId) : vlan_.VlanId();
    pvc.nextHopName = IsRouted() ? nextHop_.ChosenName() : std::string();
    pvc.dhcpIpLimit = serviceType_.DhcpIpLimit();
    pvc.clientLimit = serviceType_.ClientLimit();
    pvc.aging = macLimit_.NonAged() ? 0 : 1;
    pvc.serviceType = WrittenServiceType(serviceType_.ServiceType());
    pvc.enableState = enableIndex_ == 0 ? kPvcEnabled : kPvcDisabled;
    return pvc;
}

bool CXdslVcVlanSettingDlg::CheckRanges(const PvcStaticIps& ranges)
{
    const StaticIpRangeCheck check = CheckStaticIpRanges(ranges, kStrFailToQuery);
    if (check.state == StaticIpRangeState::kValid)
        return true;
    serviceType_.SelectRange(check.failedIndex);
    const QString text =
        QStringLiteral("[%1]  %2")
            .arg(
                QString::fromStdString(FormatIpAddress(ranges[static_cast<size_t>(check.failedIndex)].baseAddress)),
                LoadQString(check.state == StaticIpRangeState::kReserved ? kStrIpRangeReserved : kStrIpRangeIncorrect));
    ShowPageAlertText(&serviceType_, text, CVcVlanServiceTypePage::kRangesId);
    return false;
}

void CXdslVcVlanSettingDlg::OnOK()
{
    if (CheckTargetNe() != 0 || !UpdatePageData(AllPages(), 1) || !CheckChoices())
        return;
    if (!IsCreating() && enableIndex_ == 0 && ShowMessageById(kStrSureToResetVcVlan, kConfirmFlags) != IDYES)
        return;
    const std::optional<PvcRec> pvc = BuildPvc();
    if (!pvc)
        return;
    const PvcStaticIps ranges = serviceType_.Ranges();
    if (!CheckRanges(ranges))
        return;
    PvcWriteJob job;
    job.pvc = *pvc;
    if (!IsCreating())
        job.asRead = read_;
    job.ranges = ranges;
    job.failureTextId = IsCreating() ? kStrAddingNewDataFailed : kStrFailToUpdateData;
    const PvcWriteOutcome outcome = CPvcWrite(static_cast<uint32_t>(GetNeId())).Run(job);
    if (!outcome.written) {
        ShowWriteFailure(outcome);
        return;
    }
    const CEntityId port(pvc->portId);
    SetTarget(GetNeId(), &port);
    result_ = outcome.result;
    EndDialog(IDOK);
}

void CXdslVcVlanSettingDlg::FocusPage(CADialog& page, int id1, int id2)
{
    SelectPage(&page);
    SetPageMarkedControls(&page, id1, id2);
    if (QWidget* control = page.GetDlgItem(id1))
        control->setFocus();
}

void CXdslVcVlanSettingDlg::FocusRuleFailure(const PvcRuleVerdict& verdict)
{
    const uint32_t mask = verdict.failed.result.errorMask;
    const auto has = [mask](unsigned bit) { return (mask & pvc_rule::Bit(bit)) != 0; };
    constexpr int kServiceId = CVcVlanServiceTypePage::kServiceTypeId;
    constexpr int kRangesId = CVcVlanServiceTypePage::kRangesId;
    if (verdict.failedIndex >= 0 && verdict.failedIndex < static_cast<int>(kMaxStaticIpRanges)) {
        serviceType_.SelectRange(verdict.failedIndex);
        if ((mask & kMacRules) != 0)
            FocusPage(macLimit_, CVcVlanMacLimitPage::kMacLimitId);
        else
            FocusPage(serviceType_, kRangesId);
        return;
    }
    if ((mask & kMacRules) != 0) {
        FocusPage(macLimit_, CVcVlanMacLimitPage::kMacLimitId);
    } else if (has(pvc_rule::kDscpPolicing) || has(pvc_rule::kRoutedNotStatic)) {
        FocusPage(serviceType_, kServiceId);
    } else if (has(pvc_rule::kCardIpAmount)) {
        switch (verdict.failed.serviceType) {
        case kServiceStaticIp:
            FocusPage(serviceType_, kRangesId);
            break;
        case kServicePppoeStaticIp:
            FocusPage(serviceType_, kServiceId, kRangesId);
            break;
        case kServiceDhcp:
            FocusPage(serviceType_, CVcVlanServiceTypePage::kDhcpLimitId);
            break;
        case kServicePppoeDhcp:
            FocusPage(serviceType_, kServiceId, CVcVlanServiceTypePage::kDhcpLimitId);
            break;
        case kServicePppoe:
            FocusPage(serviceType_, kServiceId);
            break;
        case kServiceTransparent:
            FocusPage(serviceType_, CVcVlanServiceTypePage::kClientLimitId);
            break;
        default:
            break;
        }
    }
}

void CXdslVcVlanSettingDlg::ShowWriteFailure(const PvcWriteOutcome& outcome)
{
    switch (outcome.failedStep) {
    case PvcWriteStep::kVlanMacLimit:
        if (outcome.messageId != 0)
            ShowPageAlertTextById(&macLimit_, outcome.messageId, CVcVlanMacLimitPage::kMacLimitId);
        break;
    case PvcWriteStep::kLastEnabled:
        ShowAlertTextById(outcome.messageId, kEnabledId, kDisabledId);
        break;
    case PvcWriteStep::kRuleCheck:
        if (!outcome.verdict.report.empty()) {
            ShowAppMessage(QString::fromStdString(outcome.verdict.report), kErrorBox);
            FocusRuleFailure(outcome.verdict);
        }
        break;
    case PvcWriteStep::kNotReady:
        ShowPageAlertTextById(&macLimit_, outcome.messageId, CVcVlanMacLimitPage::kMacLimitId);
        break;
    case PvcWriteStep::kStaticIp:
        serviceType_.SelectRange(outcome.failedRange);
        ShowPageAlertTextById(&serviceType_, outcome.messageId, CVcVlanServiceTypePage::kRangesId);
        break;
    case PvcWriteStep::kEnable:
    case PvcWriteStep::kOutOfService:
        if (outcome.messageId != 0)
            ShowMessageById(outcome.messageId, kErrorBox);
        if (outcome.failedStep == PvcWriteStep::kEnable)
            FocusPage(serviceType_, CVcVlanServiceTypePage::kRangesId);
        break;
    default:
        if (outcome.messageId != 0)
            ShowAlertTextById(outcome.messageId);
        break;
    }
}
