#include "features/provisioning/profiles/xdsl_traffic_policing_profile_dlg.h"

#include "features/provisioning/profiles/profile_choices.h"
#include "features/provisioning/profiles/profile_field_texts.h"
#include "link/pdu_log.h"
#include "link/records/pvc_rule_check_rec.h"
#include "link/records/request_codes.h"
#include "ui/framework/dialogs/number_edit.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_xdsl_traffic_policing_profile_dlg.h"

#include <QLineEdit>

#include <algorithm>

namespace {

constexpr int kConfirmFlags = 0x134; // Yes/No, exclamation, No default
constexpr int kErrorBox = static_cast<int>(0x80000000u);
constexpr uint32_t kDhcpOrTransparentPvc = 0x4000;
constexpr uint32_t kPppoePvcOnPort = 0x2000000;

} // namespace

CXdslTrafficPolicingProfileDlg::CXdslTrafficPolicingProfileDlg(QWidget* parent)
    : CNamedProfileEditor(ProfileKindId::kTrafficPolicing, kTemplateId, parent),
      ui_(std::make_unique<Ui::CXdslTrafficPolicingProfileDlg>())
{
    ui_->setupUi(this);
}

CXdslTrafficPolicingProfileDlg::~CXdslTrafficPolicingProfileDlg() = default;

void CXdslTrafficPolicingProfileDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, kNameId, name_);
    // The spin keeps to 0..2; a typed CIR is taken as far as the record's 16-bit field holds it.
    DDX_TextInRange(dx, *this, kCirId, cir_, 0, UINT16_MAX);
    DDX_CBIndex(dx, kActionId, action_);
}

void CXdslTrafficPolicingProfileDlg::InitData()
{
    if (!OpenEditor())
        return;
    FillChoices(*this, kActionId, PolicingActionChoices());
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

void CXdslTrafficPolicingProfileDlg::ShowRecord(const TrafficPolicingProfileRec& rec)
{
    name_ = QString::fromStdString(rec.name);
    cir_ = std::min<uint32_t>(rec.upstreamCir, kCirMax);
    action_ = static_cast<int>(std::min<uint32_t>(rec.action, kPolicingActionChoices - 1));
    UpdateData(false);
}

bool CXdslTrafficPolicingProfileDlg::OnNotify(const NotifyHeader& header, int* result)
{
    if (header.idFrom == kCirSpinId && header.code == UDN_DELTAPOS) {
        StepNumberEdit(GetDlgItemAs<QLineEdit>(kCirId), header.delta, 0, kCirMax);
        return true;
    }
    return CADialog::OnNotify(header, result);
}

bool CXdslTrafficPolicingProfileDlg::NeAllowsDscp(const std::string& name)
{
    PvcRuleCheckRec check;
    check.trafficPolicingProfile = name;
    const CRecordRequests requests;
    if (!requests.Modify(kReqTrafficPolicingRuleCheck, TargetNeId(), check, {.failureTextId = kStrFailToUpdateData})
             .Ok())
        return false;
    const RecordReply<PvcRuleCheckRec> verdict =
        requests.Query(kReqTrafficPolicingRuleCheck, TargetNeId(), check, {.failureTextId = kStrFailToQuery});
    if (!verdict.Ok())
        return false;
    if (!verdict.records.empty() &&
        (verdict.records.front().result.errorMask & (kPppoePvcOnPort | kDhcpOrTransparentPvc)) != 0) {
        ShowMessageById(kStrPppoePvcForbidsDscp, kErrorBox);
        FocusControl(*this, kActionId);
        return false;
    }
    return true;
}

void CXdslTrafficPolicingProfileDlg::OnOK()
{
    if (!TargetStillThere() || !UpdateDialogData() || !CheckRoomAndName(name_, kNameId))
        return;
    const std::string name = name_.trimmed().toStdString();
    const uint32_t action = static_cast<uint32_t>(std::clamp<int>(action_, 0, kPolicingActionChoices - 1));
    // Only a DSCP action can clash with the PVCs of the ports that apply the profile: that change alone is judged and
    // asked.
    if (!IsAdding() && action >= kPolicingFirstDscpAction) {
        if (!NeAllowsDscp(name))
            return;
        if (ShowMessageById(kStrSureToModifyData, kConfirmFlags) != IDYES)
            return;
    }
    TrafficPolicingProfileRec rec;
    rec.name = name;
    rec.upstreamCir = static_cast<uint16_t>(cir_);
    rec.unused = IsAdding() ? decltype(rec.unused){} : record_.unused;
    rec.action = action;
    rec.status = 1;
    const CPduLogHold hold;
    if (!WriteRecord(rec))
        return;
    record_ = rec;
    EndDialog(IDOK);
}
