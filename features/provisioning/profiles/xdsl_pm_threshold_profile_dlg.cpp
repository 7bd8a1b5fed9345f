#include "features/provisioning/profiles/xdsl_pm_threshold_profile_dlg.h"

#include "core/tables/access_rights.h"
#include "features/provisioning/profiles/profile_caption.h"
#include "features/provisioning/profiles/profile_write.h"
#include "link/records/profile_name_rec.h"
#include "link/records/request_codes.h"
#include "ui/framework/dialogs/number_edit.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_xdsl_pm_threshold_profile_dlg.h"

#include <QAbstractButton>
#include <QLineEdit>

#include <algorithm>

namespace {

constexpr int kConfirmFlags = 0x134; // Yes/No, exclamation, No default

uint16_t Short(uint32_t value)
{
    return static_cast<uint16_t>(std::min<uint32_t>(value, 0xFFFF));
}

} // namespace

std::array<uint32_t, CXdslPmThresholdProfileDlg::kThresholdCount> PmThresholdsOf(const XdslPmThresholdProfileRec& rec)
{
    return {rec.coEs15Min, rec.coSes15Min, rec.coUas15Min, rec.coEsDay, rec.coSesDay, rec.coUasDay,
            rec.rtEs15Min, rec.rtSes15Min, rec.rtUas15Min, rec.rtEsDay, rec.rtSesDay, rec.rtUasDay};
}

void SetPmThresholds(XdslPmThresholdProfileRec& rec,
                     const std::array<uint32_t, CXdslPmThresholdProfileDlg::kThresholdCount>& values)
{
    rec.coEs15Min = Short(values[0]);
    rec.coSes15Min = Short(values[1]);
    rec.coUas15Min = Short(values[2]);
    rec.coEsDay = values[3];
    rec.coSesDay = values[4];
    rec.coUasDay = values[5];
    rec.rtEs15Min = Short(values[6]);
    rec.rtSes15Min = Short(values[7]);
    rec.rtUas15Min = Short(values[8]);
    rec.rtEsDay = values[9];
    rec.rtSesDay = values[10];
    rec.rtUasDay = values[11];
}

bool IsDayThreshold(size_t index)
{
    return index % 6 >= 3;
}

CXdslPmThresholdProfileDlg::CXdslPmThresholdProfileDlg(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CXdslPmThresholdProfileDlg>())
{
    ui_->setupUi(this);
}

CXdslPmThresholdProfileDlg::~CXdslPmThresholdProfileDlg() = default;

void CXdslPmThresholdProfileDlg::SetRecord(const XdslPmThresholdProfileRec& rec)
{
    record_ = rec;
    recordGiven_ = true;
}

void CXdslPmThresholdProfileDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, kNameId, name_);
    const bool check = GetAccessMode() != kAccessQuery;
    for (size_t i = 0; i < kThresholdCount && !dx.Failed(); ++i) {
        DDX_Check(dx, kControls[i].checkId, thresholds_[i].enabled);
        const uint32_t maximum = IsDayThreshold(i) ? kDayMax : k15MinMax;
        if (check) {
            DDX_TextInRange(dx, *this, kControls[i].editId, thresholds_[i].value, 1, maximum);
        } else if (!dx.IsSaving()) {
            QString text = QString::number(thresholds_[i].value);
            DDX_Text(dx, kControls[i].editId, text);
        }
    }
}

void CXdslPmThresholdProfileDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightPmThresholdProfiles) != 0)
        return;
    if (!templateMode_ && CheckTargetNeOrClose() != 0)
        return;
    SetProfileCaption(*this, templateMode_, IsAdding() ? std::string("<new>") : record_.name);
    if (auto* name = GetDlgItemAs<QLineEdit>(kNameId))
        name->setMaxLength(kNameMax);
    LimitTextToField(kNameId, kXdslPmThresholdProfileNameWidth);
    EnableControl(IDOK, GetAccessMode() != kAccessQuery);
    SetControlReadOnly(kNameId, !IsAdding());
    if (IsAdding()) {
        UpdateData(false);
        ApplyBoxes();
        return;
    }
    if (!recordGiven_ && !ReadProfile())
        return;
    ShowRecord(record_);
}

bool CXdslPmThresholdProfileDlg::ReadProfile()
{
    const RecordReply<XdslPmThresholdProfileRec> reply =
        CRecordRequests().Query(templateMode_ ? kReqPmThresholdProfileTemplate : kReqPmThresholdProfile,
                                templateMode_ ? 0 : static_cast<uint32_t>(GetNeId()), ProfileNameRec{record_.name},
                                {.failureTextId = kStrFailToQuery});
    if (!reply.Ok()) {
        // Nothing read: the defaults are no profile to write.
        EnableControl(IDOK, false);
        name_ = QString::fromStdString(record_.name);
        UpdateData(false);
        ApplyBoxes();
        return false;
    }
    return TakeProfileNamed(*this, reply.records, record_);
}

void CXdslPmThresholdProfileDlg::ShowRecord(const XdslPmThresholdProfileRec& rec)
{
    name_ = QString::fromStdString(rec.name);
    const auto values = PmThresholdsOf(rec);
    for (size_t i = 0; i < kThresholdCount; ++i) {
        // A threshold that is off shows 1; one beyond its range shows the range's end.
        thresholds_[i].enabled = values[i] != 0 ? 1 : 0;
        thresholds_[i].value = values[i] == 0 ? 1 : std::min(values[i], IsDayThreshold(i) ? kDayMax : k15MinMax);
    }
    UpdateData(false);
    ApplyBoxes();
}

void CXdslPmThresholdProfileDlg::ApplyBoxes()
{
    for (const ThresholdControls& controls : kControls) {
        const auto* box = GetDlgItemAs<QAbstractButton>(controls.checkId);
        SetControlReadOnly(controls.editId, box == nullptr || !box->isChecked());
    }
}

int CXdslPmThresholdProfileDlg::OnCommandHook(int id, int code)
{
    for (const ThresholdControls& controls : kControls) {
        if ((id == controls.checkId && code == BN_CLICKED) || (id == controls.editId && code == EN_KILLFOCUS)) {
            // The values are taken at once, so that a value out of its range is reported where it was typed.
            UpdateDialogData();
            ApplyBoxes();
            break;
        }
    }
    return CADialog::OnCommandHook(id, code);
}

void CXdslPmThresholdProfileDlg::OnOK()
{
    if (!templateMode_ && CheckTargetNe() != 0)
        return;
    if (!UpdateDialogData())
        return;
    const uint32_t neId = templateMode_ ? 0 : static_cast<uint32_t>(GetNeId());
    const auto code = templateMode_ ? kReqPmThresholdProfileTemplate : kReqPmThresholdProfile;
    if (!CheckProfileRoomAndName(*this, GetProfileKind(ProfileKindId::kXdslPmThreshold), code, neId, IsAdding(), name_,
                                 kNameId))
        return;
    if (!IsAdding() && ShowMessageById(kStrSureToModifyData, kConfirmFlags) != IDYES)
        return;

    XdslPmThresholdProfileRec rec;
    rec.name = name_.trimmed().toStdString();
    std::array<uint32_t, kThresholdCount> values{};
    for (size_t i = 0; i < kThresholdCount; ++i)
        values[i] = thresholds_[i].enabled != 0 ? thresholds_[i].value : 0;
    SetPmThresholds(rec, values);
    rec.status = 1;
    if (!WriteProfile(code, neId, rec, IsAdding()))
        return;
    record_ = rec;
    EndDialog(IDOK);
}
