#include "features/provisioning/ports/adsl_port_dlg.h"

#include "core/entity/entity_id.h"
#include "core/tables/access_rights.h"
#include "core/tables/entity_labels.h"
#include "core/tables/ne_table.h"
#include "features/provisioning/ports/port_rules.h"
#include "features/provisioning/profiles/adsl_line_profile_dlg.h"
#include "features/provisioning/profiles/xdsl_pm_threshold_profile_dlg.h"
#include "link/pdu_log.h"
#include "link/record_requests.h"
#include "link/records/adsl_line_profile_rec.h"
#include "link/records/board_setting_rec.h"
#include "link/records/pkt_filter_group_rec.h"
#include "link/records/profile_name_rec.h"
#include "link/records/pvc_rec.h"
#include "link/records/traffic_policing_profile_rec.h"
#include "link/records/xdsl_pm_threshold_profile_rec.h"
#include "ui/framework/dialogs/dialog_registry.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_adsl_port_dlg.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>

namespace {

constexpr int kPortLevel = 4;
constexpr int kConfirmFlags = 0x134; // Yes/No, warning, No the default
constexpr int kErrorBoxFlags = 0x80000000;
constexpr uint32_t kWireChannelFast = 2; // the channel mode as the profile record carries it
constexpr uint32_t kWireChannelInterleaved = 3;
constexpr uint32_t kUpstream = 1;
constexpr uint32_t kPvcEnabled = 1;

// PVC service types that carry PPPoE, or everything: a DSCP change cannot apply to them.
bool PppoeRelatedOrTransparent(uint32_t serviceType)
{
    return serviceType == 1 || serviceType == 3 || serviceType == 5 || serviceType == 6;
}

// The policing action changes the DSCP code rather than passing or dropping.
bool ChangesDscp(uint32_t action)
{
    return action > 1;
}

template <size_t N> uint32_t MaskOf(const std::array<int, N>& boxes)
{
    uint32_t mask = 0;
    for (size_t bit = 0; bit < N; ++bit) {
        if (boxes[bit] != 0)
            mask |= 1u << bit;
    }
    return mask;
}

template <size_t N> void SetFromMask(std::array<int, N>& boxes, uint32_t mask)
{
    for (size_t bit = 0; bit < N; ++bit)
        boxes[bit] = (mask >> bit) & 1u;
}

} // namespace

CAdslPortDlg::CAdslPortDlg(QWidget* parent) : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CAdslPortDlg>())
{
    ui_->setupUi(this);
    connect(ui_->policingCombo, &QComboBox::currentIndexChanged, this,
            [this](int index) { EnableControl(kShowPolicingId, index > 0); });
}

CAdslPortDlg::~CAdslPortDlg() = default;

void CAdslPortDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Radio(dx, {kEnabledRadioId, kDisabledRadioId}, stateRadio_);
    for (size_t i = 0; i < upstream_.size(); ++i)
        DDX_Check(dx, kUpstreamGroupIds[i], upstream_[i]);
    for (size_t i = 0; i < downstream_.size(); ++i)
        DDX_Check(dx, kDownstreamGroupIds[i], downstream_[i]);
}

void CAdslPortDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightXdslPorts) != 0 || CheckTargetNeOrClose() != 0)
        return;
    serviceTypeControl_ = false;
    const CEntityId& target = GetTargetEntity();
    if (target.index.GetLevel() != kPortLevel) {
        ShowAlertTextById(kStrInternalError);
        EndDialog(IDCANCEL);
        return;
    }
    UpdateCaption(kCaptionNe | kCaptionLocation);
    ui_->portLocation->setText(QString::fromStdString(
        FormatEntityLocation(FindNeById(static_cast<uint32_t>(GetNeId())), target.index, 0, false)));
    for (QComboBox* combo : {ui_->lineProfileCombo, ui_->pmThresholdCombo, ui_->policingCombo})
        combo->view()->setMinimumWidth(combo->width() * 2);
    stateRadio_ = port_.enableState == 1 ? 0 : 1;
    UpdateData(false);
    EnableControl(IDOK, GetAccessMode() != kAccessQuery && Load());
    UpdateData(false);
}

bool CAdslPortDlg::Load()
{
    const CPduLogHold hold;
    return LoadProfiles() && LoadServiceTypeControl() && LoadFilterGroups() && LoadPort();
}

void CAdslPortDlg::SelectProfile(QComboBox& combo, const std::string& name, int showId)
{
    // A profile the NE no longer has leaves " <none>" chosen: OK then writes the port without it.
    const int found =
        name.empty() ? -1 : combo.findText(QString::fromStdString(name), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (found > 0) {
        combo.setCurrentIndex(found);
        EnableControl(showId);
    }
}

bool CAdslPortDlg::LoadProfiles()
{
    const CRecordRequests requests;
    const auto neId = static_cast<uint32_t>(GetNeId());
    const QString none = QString::fromStdString(LoadString(kStrNone));
    for (QComboBox* combo : {ui_->lineProfileCombo, ui_->pmThresholdCombo, ui_->policingCombo}) {
        combo->clear();
        combo->addItem(none);
    }
    const RecordReply<AdslLineProfileRec> lines =
        requests.Query<AdslLineProfileRec>(kReqAdslLineProfile, neId, {.failureTextId = kStrFailToQuery});
    if (!lines.Ok())
        return false;
    for (const AdslLineProfileRec& rec : lines.records) {
        if (rec.channelMode == kWireChannelFast || rec.channelMode == kWireChannelInterleaved)
            ui_->lineProfileCombo->addItem(QString::fromStdString(rec.name), rec.channelMode);
    }
    SelectProfile(*ui_->lineProfileCombo, port_.lineProfile, kShowLineProfileId);
    const RecordReply<XdslPmThresholdProfileRec> thresholds =
        requests.Query(kReqPmThresholdProfile, neId, ProfileNameRec{}, {.failureTextId = kStrFailToQuery});
    if (!thresholds.Ok())
        return false;
    for (const XdslPmThresholdProfileRec& rec : thresholds.records)
        ui_->pmThresholdCombo->addItem(QString::fromStdString(rec.name));
    SelectProfile(*ui_->pmThresholdCombo, port_.pmThresholdProfile, kShowPmThresholdId);
    const RecordReply<TrafficPolicingProfileRec> policing =
        requests.Query(kReqTrafficPolicingProfile, neId, ProfileNameRec{}, {.failureTextId = kStrFailToQuery});
    if (!policing.Ok())
        return false;
    for (const TrafficPolicingProfileRec& rec : policing.records)
        ui_->policingCombo->addItem(QString::fromStdString(rec.name));
    SelectProfile(*ui_->policingCombo, port_.trafficPolicingProfile, kShowPolicingId);
    return true;
}

bool CAdslPortDlg::LoadServiceTypeControl()
{
    ui_->serviceTypeControl->setText(QString::fromStdString(LoadString(kStrUnknown)));
    const RecordReply<BoardSettingRec> boards = CRecordRequests().Query<BoardSettingRec>(
        kReqBoardSetting, static_cast<uint32_t>(GetNeId()), {.failureTextId = kStrFailToQuery});
    if (!boards.Ok())
        return false;
    const uint32_t card = GetParentEntityId(GetTargetEntity().id);
    for (const BoardSettingRec& board : boards.records) {
        if (board.entityId != card)
            continue;
        serviceTypeControl_ = board.serviceTypeControl == 1;
        ui_->serviceTypeControl->setText(
            QString::fromStdString(LoadString(serviceTypeControl_ ? kStrValueEnabled : kStrValueDisabled)));
    }
    return true;
}

bool CAdslPortDlg::LoadFilterGroups()
{
    PktFilterGroupRec query;
    query.slot = static_cast<uint8_t>(GetTargetEntity().index.Slot());
    const RecordReply<PktFilterGroupRec> groups = CRecordRequests().Query(
        kReqPktFilterGroup, static_cast<uint32_t>(GetNeId()), query, {.failureTextId = kStrFailToQuery});
    if (!groups.Ok())
        return false;
    for (const PktFilterGroupRec& group : groups.records) {
        if (group.slot != query.slot)
            break;
        const bool upstream = group.direction == kUpstream;
        const size_t count = upstream ? kUpstreamGroupIds.size() : kDownstreamGroupIds.size();
        if (group.groupNumber < 1 || group.groupNumber > count)
            continue;
        const std::array<QCheckBox*, 7> boxes = {ui_->upstreamGroup1,   ui_->upstreamGroup2,   ui_->upstreamGroup3,
                                                 ui_->downstreamGroup1, ui_->downstreamGroup2, ui_->downstreamGroup3,
                                                 ui_->downstreamGroup4};
        QCheckBox* box = boxes[(upstream ? 0u : kUpstreamGroupIds.size()) + group.groupNumber - 1u];
        box->setText(LoadQString(upstream ? kStrUpstreamGroupTab : kStrDownstreamGroupTab).arg(group.groupNumber) +
                     QStringLiteral(": ") + QString::fromStdString(group.name));
    }
    return true;
}

bool CAdslPortDlg::LoadPort()
{
    AdslPortRec query;
    query.entityId = GetTargetEntity().id;
    const RecordReply<AdslPortRec> ports = CRecordRequests().Query(kReqAdslPort, static_cast<uint32_t>(GetNeId()),
                                                                   query, {.failureTextId = kStrFailToQuery});
    if (!ports.Ok() || ports.records.empty())
        return false;
    // What the port holds beside the edited fields is written back as the NE gave it.
    const AdslPortRec& read = ports.records.front();
    const AdslPortRec shown = port_;
    port_ = read;
    port_.lineProfile = shown.lineProfile;
    port_.pmThresholdProfile = shown.pmThresholdProfile;
    port_.trafficPolicingProfile = shown.trafficPolicingProfile;
    port_.enableState = shown.enableState;
    SetFromMask(upstream_, read.upstreamFilterGroups);
    SetFromMask(downstream_, read.downstreamFilterGroups);
    return true;
}

std::string CAdslPortDlg::ChosenName(const QComboBox& combo)
{
    return combo.currentIndex() <= 0 ? std::string() : combo.currentText().toStdString();
}

void CAdslPortDlg::ShowProfile(const char* className, const QComboBox& combo)
{
    const std::string name = ChosenName(combo);
    if (name.empty())
        return;
    const auto neId = static_cast<int>(GetNeId());
    if (className == std::string_view("CAdslLineProfileDlg")) {
        CAdslLineProfileDlg dlg(this);
        dlg.SetTarget(neId, nullptr);
        dlg.SetAccessMode(kAccessQuery);
        dlg.SetName(name);
        dlg.DoModal();
        return;
    }
    if (className == std::string_view("CXdslPmThresholdProfileDlg")) {
        CXdslPmThresholdProfileDlg dlg(this);
        dlg.SetTarget(neId, nullptr);
        dlg.SetAccessMode(kAccessQuery);
        dlg.SetName(name);
        dlg.DoModal();
        return;
    }
    DialogRequest request;
    request.className = className;
    request.hasTarget = true;
    request.neId = static_cast<uint32_t>(neId);
    request.accessMode = kAccessQuery;
    request.profileName = name;
    OpenRouteDialog(request);
}

int CAdslPortDlg::OnCommandHook(int id, int code)
{
    if (code != BN_CLICKED)
        return CADialog::OnCommandHook(id, code);
    switch (id) {
    case kShowLineProfileId:
        ShowProfile("CAdslLineProfileDlg", *ui_->lineProfileCombo);
        return 1;
    case kShowPmThresholdId:
        ShowProfile("CXdslPmThresholdProfileDlg", *ui_->pmThresholdCombo);
        return 1;
    case kShowPolicingId:
        ShowProfile("CXdslTrafficPolicingProfileDlg", *ui_->policingCombo);
        return 1;
    case kShowFilterGroupsId: {
        DialogRequest request;
        request.className = "CXdslPktFilterGroupDlg";
        request.hasTarget = true;
        request.neId = static_cast<uint32_t>(GetNeId());
        request.hasEntity = true;
        request.entity = GetTargetEntity();
        OpenRouteDialog(request);
        return 1;
    }
    default:
        return CADialog::OnCommandHook(id, code);
    }
}

bool CAdslPortDlg::PolicingAllowed(const std::string& profile)
{
    const CRecordRequests requests;
    const auto neId = static_cast<uint32_t>(GetNeId());
    PvcRec key;
    key.portId = GetTargetEntity().id;
    const RecordReply<PvcRec> pvcs = requests.Query(kReqPvc, neId, key, {.failureTextId = kStrFailToQuery});
    if (!pvcs.Ok())
        return false;
    bool conflicting = false;
    for (const PvcRec& pvc : pvcs.records)
        conflicting = conflicting || (pvc.portId == key.portId && pvc.enableState == kPvcEnabled &&
                                      PppoeRelatedOrTransparent(pvc.serviceType));
    bool changesDscp = false;
    if (conflicting) {
        const RecordReply<TrafficPolicingProfileRec> chosen = requests.Query(
            kReqTrafficPolicingProfile, neId, ProfileNameRec{profile}, {.failureTextId = kStrFailToQuery});
        if (!chosen.Ok())
            return false;
        for (const TrafficPolicingProfileRec& rec : chosen.records)
            changesDscp = changesDscp || (rec.name == profile && ChangesDscp(rec.action));
    }
    switch (JudgePolicing(conflicting, changesDscp, serviceTypeControl_)) {
    case PolicingVerdict::kWrite:
        return true;
    case PolicingVerdict::kRefuseDscp:
        ShowMessageById(kStrPortCannotApplyDscp, kErrorBoxFlags);
        ClearMessageLine();
        ui_->policingCombo->setFocus();
        return false;
    case PolicingVerdict::kAskNoControl:
        return ShowMessageById(kStrSureToPoliceWithoutStc, kConfirmFlags) == IDYES;
    }
    return false;
}

void CAdslPortDlg::OnOK()
{
    if (CheckTargetNe() != 0 || !UpdateDialogData())
        return;
    AdslPortRec port = port_;
    port.entityId = GetTargetEntity().id;
    port.lineProfile = ChosenName(*ui_->lineProfileCombo);
    port.pmThresholdProfile = ChosenName(*ui_->pmThresholdCombo);
    port.trafficPolicingProfile = ChosenName(*ui_->policingCombo);
    port.enableState = stateRadio_ == 0 ? 1 : 2;
    port.upstreamFilterGroups = MaskOf(upstream_);
    port.downstreamFilterGroups = MaskOf(downstream_);
    if (!port.trafficPolicingProfile.empty() && !PolicingAllowed(port.trafficPolicingProfile))
        return;
    if (!CRecordRequests()
             .Modify(kReqAdslPort, static_cast<uint32_t>(GetNeId()), port, {.failureTextId = kStrFailToUpdateData})
             .Ok())
        return;
    port_ = port;
    EndDialog(IDOK);
}
