#include "features/provisioning/profiles/xdsl_ip_traffic_profile_dlg.h"

#include "features/provisioning/profiles/profile_choices.h"
#include "features/provisioning/profiles/profile_field_texts.h"
#include "features/provisioning/profiles/profile_rates.h"
#include "link/records/pvc_rule_check_rec.h"
#include "link/records/request_codes.h"
#include "ui/framework/dialogs/number_edit.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_xdsl_ip_traffic_profile_dlg.h"

#include <QLineEdit>

#include <algorithm>

namespace {

constexpr int kConfirmFlags = 0x134; // Yes/No, exclamation, No default
constexpr int kErrorBox = static_cast<int>(0x80000000u);
constexpr uint32_t kDhcpOrTransparentPvc = 0x4000;
constexpr int kDropIndex = 0;

} // namespace

CXdslIpTrafficProfileDlg::CXdslIpTrafficProfileDlg(QWidget* parent)
    : CNamedProfileEditor(ProfileKindId::kIpTraffic, kTemplateId, parent),
      ui_(std::make_unique<Ui::CXdslIpTrafficProfileDlg>())
{
    ui_->setupUi(this);
}

CXdslIpTrafficProfileDlg::~CXdslIpTrafficProfileDlg() = default;

void CXdslIpTrafficProfileDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, kNameId, name_);
    DDX_TextInRange(dx, *this, kRateId, rate_, 0, UINT32_MAX);
    DDX_CBIndex(dx, kUpstreamId, upstream_);
    DDX_CBIndex(dx, kQueueId, queue_);
    DDX_CBIndex(dx, kBroadcastId, broadcast_);
}

void CXdslIpTrafficProfileDlg::InitData()
{
    if (!OpenEditor())
        return;
    FillChoices(*this, kQueueId, QueueChoices());
    FillChoices(*this, kUpstreamId, UpstreamRateChoices());
    FillChoices(*this, kBroadcastId, BroadcastChoices());
    SetUpNameAndOk(kNameId, kNameMax);
    SetEditorCaption(record_.name);
    if (IsAdding()) {
        UpdateData(false);
        return;
    }
    if (!recordGiven_ && !ReadNamedProfileShowingName(name_))
        return;
    ShowRecord(record_);
}

void CXdslIpTrafficProfileDlg::ShowRecord(const IpTrafficProfileRec& rec)
{
    name_ = QString::fromStdString(rec.name);
    queue_ = std::min<int>(rec.queue, kQueueChoices - 1);
    rate_ = RateAsLoaded(rec.downstreamRate);
    upstream_ = std::min<int>(rec.upstreamRateIndex, kUpstreamRateChoices - 1);
    broadcast_ = rec.broadcast == kBroadcastDrop ? kDropIndex : 1;
    UpdateData(false);
}

int CXdslIpTrafficProfileDlg::OnCommandHook(int id, int code)
{
    // The rate is rounded in every mode: only OK and the name depend on it.
    if (id == kRateId && code == EN_KILLFOCUS) {
        const QString typed = GetDlgItemAs<QLineEdit>(kRateId) ? GetDlgItemAs<QLineEdit>(kRateId)->text() : QString();
        bool number = false;
        const uint32_t value = typed.trimmed().toUInt(&number);
        if (number) {
            rate_ = RateOnLeavingEdit(value);
            if (auto* edit = GetDlgItemAs<QLineEdit>(kRateId))
                edit->setText(QString::number(rate_));
        }
    }
    return CADialog::OnCommandHook(id, code);
}

bool CXdslIpTrafficProfileDlg::OnNotify(const NotifyHeader& header, int* result)
{
    if (header.idFrom == kRateSpinId && header.code == UDN_DELTAPOS) {
        if (auto* edit = GetDlgItemAs<QLineEdit>(kRateId)) {
            bool number = false;
            const uint32_t shown = edit->text().trimmed().toUInt(&number);
            edit->setText(QString::number(RateAfterSpin(number ? shown : kProfileRateMin, header.delta)));
        }
        return true;
    }
    return CADialog::OnNotify(header, result);
}

bool CXdslIpTrafficProfileDlg::NeAllowsDrop(const std::string& name)
{
    PvcRuleCheckRec check;
    check.ipTrafficProfile = name;
    const CRecordRequests requests;
    if (!requests.Modify(kReqIpTrafficRuleCheck, TargetNeId(), check, {.failureTextId = kStrFailToUpdateData}).Ok())
        return false;
    const RecordReply<PvcRuleCheckRec> verdict =
        requests.Query(kReqIpTrafficRuleCheck, TargetNeId(), check, {.failureTextId = kStrFailToQuery});
    if (!verdict.Ok())
        return false;
    if (!verdict.records.empty() && (verdict.records.front().result.errorMask & kDhcpOrTransparentPvc) != 0) {
        ShowMessageById(kStrDhcpPvcsForbidDrop, kErrorBox);
        FocusControl(*this, kBroadcastId);
        return false;
    }
    return true;
}

void CXdslIpTrafficProfileDlg::OnOK()
{
    if (!TargetStillThere() || !UpdateDialogData() || !CheckRoomAndName(name_, kNameId))
        return;
    const std::string name = name_.trimmed().toStdString();
    // Only dropping broadcast can cut off PVCs that use the profile: that change alone is judged and asked.
    if (!IsAdding() && broadcast_ == kDropIndex) {
        if (!NeAllowsDrop(name))
            return;
        if (ShowMessageById(kStrSureToModifyData, kConfirmFlags) != IDYES)
            return;
    }
    IpTrafficProfileRec rec;
    rec.name = name;
    rec.queue = static_cast<uint8_t>(std::clamp(queue_, 0, kQueueChoices - 1));
    rec.downstreamRate = rate_;
    rec.upstreamRateIndex = static_cast<uint8_t>(std::clamp(upstream_, 0, kUpstreamRateChoices - 1));
    rec.status = 1;
    rec.broadcast = broadcast_ == kDropIndex ? kBroadcastDrop : kBroadcastForward;
    if (!WriteRecord(rec))
        return;
    record_ = rec;
    EndDialog(IDOK);
}
