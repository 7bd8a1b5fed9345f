#include "features/provisioning/profiles/adsl_line_profile_dlg.h"

#include "core/tables/access_rights.h"
#include "features/provisioning/profiles/profile_caption.h"
#include "features/provisioning/profiles/profile_write.h"
#include "link/records/request_codes.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_adsl_line_profile_dlg.h"

#include <QLineEdit>

namespace {

constexpr int kConfirmFlags = 0x134; // Yes/No, exclamation, No default

} // namespace

CAdslLineProfileDlg::CAdslLineProfileDlg(QWidget* parent)
    : CATabDialog(kTemplateId, parent), ui_(std::make_unique<Ui::CAdslLineProfileDlg>())
{
    ui_->setupUi(this);
}

CAdslLineProfileDlg::~CAdslLineProfileDlg() = default;

void CAdslLineProfileDlg::SetRecord(const AdslLineProfileRec& rec)
{
    record_ = rec;
    recordGiven_ = true;
}

void CAdslLineProfileDlg::ApplyOpenerFields(const DialogRequest& request)
{
    if (!request.profileName.empty())
        SetName(request.profileName);
}

void CAdslLineProfileDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, kNameId, name_);
}

void CAdslLineProfileDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightLineProfiles) != 0)
        return;
    if (!templateMode_ && CheckTargetNeOrClose() != 0)
        return;
    if (auto* name = GetDlgItemAs<QLineEdit>(kNameId))
        name->setMaxLength(kNameMax);
    LimitTextToField(kNameId, kAdslLineProfileNameWidth);
    SetControlReadOnly(kNameId, !IsAdding());
    EnableControl(IDOK, GetAccessMode() != kAccessQuery);
    SetProfileCaption(*this, templateMode_, IsAdding() ? std::string("<new>") : record_.name);

    AddPage(CAdslTxRatePage::kTemplateId, &txRate_, "Transmission Rate");
    AddPage(CAdslLineStandardPage::kTemplateId, &lineStandard_, "Line Standard");
    AddPage(CAdslSnrMarginPage::kTemplateId, &snrMargin_, "SNR Margin");
    AddPage(CAdslPsdPage::kTemplateId, &psd_, "PSD");
    AddPage(CAdslPowerMgmtPage::kTemplateId, &powerMgmt_, "Power Management");
    AddPage(CAdslInpPage::kTemplateId, &inp_, "INP");

    if (IsAdding()) {
        ShowValues(AdslLineProfileValues{});
        return;
    }
    name_ = QString::fromStdString(record_.name);
    UpdateData(false);
    if (!recordGiven_ && !ReadProfile())
        return;
    ShowValues(ValuesFromRecord(record_));
}

bool CAdslLineProfileDlg::ReadProfile()
{
    AdslLineProfileRec asked;
    asked.name = record_.name;
    const RecordReply<AdslLineProfileRec> reply = CRecordRequests().Query(
        templateMode_ ? kReqAdslLineProfileTemplate : kReqAdslLineProfile,
        templateMode_ ? 0 : static_cast<uint32_t>(GetNeId()), asked, {.failureTextId = kStrFailToQuery});
    if (!reply.Ok()) {
        // Nothing read: the pages' defaults are no profile to write.
        EnableControl(IDOK, false);
        ShowValues(AdslLineProfileValues{});
        return false;
    }
    return TakeProfileNamed(*this, reply.records, record_);
}

void CAdslLineProfileDlg::ShowValues(const AdslLineProfileValues& values)
{
    txRate_.SetValues(values.rate);
    lineStandard_.SetStandards(values.lineStandards);
    snrMargin_.SetValues(values.upSnr, values.downSnr);
    psd_.SetValues(values.downPsd, values.upPsd);
    powerMgmt_.SetValues(values.power);
    inp_.SetValues(values.downInp, values.upInp);
    UpdatePageData(AllPages(), 0);
    txRate_.ApplyModes();
    snrMargin_.ApplyRateMode(values.rate.rateMode);
    powerMgmt_.ApplyMode();
}

AdslLineProfileValues CAdslLineProfileDlg::TakenValues() const
{
    AdslLineProfileValues values;
    values.rate = txRate_.Values();
    values.lineStandards = lineStandard_.Standards();
    values.upSnr = snrMargin_.Upstream();
    values.downSnr = snrMargin_.Downstream();
    values.downPsd = psd_.Downstream();
    values.upPsd = psd_.Upstream();
    values.power = powerMgmt_.Values();
    values.downInp = inp_.Downstream();
    values.upInp = inp_.Upstream();
    return values;
}

CADialog* CAdslLineProfileDlg::Page(AdslPage page)
{
    switch (page) {
    case AdslPage::kTxRate:
        return &txRate_;
    case AdslPage::kLineStandard:
        return &lineStandard_;
    case AdslPage::kSnrMargin:
        return &snrMargin_;
    case AdslPage::kPsd:
        return &psd_;
    case AdslPage::kPowerManagement:
        return &powerMgmt_;
    case AdslPage::kInp:
        return &inp_;
    }
    return &txRate_;
}

void CAdslLineProfileDlg::OnPageChanged(int /*tabIndex*/, int /*tabControlId*/)
{
    snrMargin_.ApplyRateMode(txRate_.ShownRateMode());
}

bool CAdslLineProfileDlg::CheckValues(const AdslLineProfileValues& values)
{
    const std::optional<AdslProfileRefusal> refusal = CheckAdslLineProfile(values);
    if (!refusal)
        return true;
    const auto& c = refusal->controls;
    ShowPageAlertTextById(Page(refusal->page), refusal->stringId, c[0], c[1], c[2], c[3]);
    return false;
}

void CAdslLineProfileDlg::OnOK()
{
    if (!templateMode_ && CheckTargetNe() != 0)
        return;
    for (CADialog* page : {static_cast<CADialog*>(&txRate_), static_cast<CADialog*>(&snrMargin_),
                           static_cast<CADialog*>(&psd_), static_cast<CADialog*>(&inp_)})
        SetPageMarkedControls(page, 0);
    if (UpdatePageData(AllPages(), 1) == 0)
        return;
    const uint32_t neId = templateMode_ ? 0 : static_cast<uint32_t>(GetNeId());
    const auto code = templateMode_ ? kReqAdslLineProfileTemplate : kReqAdslLineProfile;
    if (!CheckProfileRoomAndName(*this, GetProfileKind(ProfileKindId::kAdslLine), code, neId, IsAdding(), name_,
                                 kNameId))
        return;
    const AdslLineProfileValues values = TakenValues();
    if (!CheckValues(values))
        return;
    if (!IsAdding() &&
        ShowMessageById(templateMode_ ? kStrSureToModifyData : kStrSureToRetrainLines, kConfirmFlags) != IDYES)
        return;

    const AdslLineProfileRec rec = RecordFromValues(name_.trimmed().toStdString(), values);
    if (!WriteProfile(code, neId, rec, IsAdding()))
        return;
    record_ = rec;
    EndDialog(IDOK);
}
