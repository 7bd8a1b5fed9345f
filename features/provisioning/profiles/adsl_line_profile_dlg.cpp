#include "features/provisioning/profiles/adsl_line_profile_dlg.h"

#include "link/records/request_codes.h"
#include "ui_adsl_line_profile_dlg.h"

CAdslLineProfileDlg::CAdslLineProfileDlg(QWidget* parent)
    : CProfileEditorOf(kTemplateId, ProfileKindId::kAdslLine, kAdslLineProfileNameWidth, parent),
      ui_(std::make_unique<Ui::CAdslLineProfileDlg>())
{
    ui_->setupUi(this);
}

CAdslLineProfileDlg::~CAdslLineProfileDlg() = default;

void CAdslLineProfileDlg::InitData()
{
    if (!StartEditor())
        return;

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
    AdslLineProfileRec asked;
    asked.name = record_.name;
    if (!recordGiven_ && !ReadProfile(asked, [this] { ShowValues(AdslLineProfileValues{}); }))
        return;
    ShowValues(ValuesFromRecord(record_));
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
    if (!TargetStillThere())
        return;
    for (CADialog* page : {static_cast<CADialog*>(&txRate_), static_cast<CADialog*>(&snrMargin_),
                           static_cast<CADialog*>(&psd_), static_cast<CADialog*>(&inp_)})
        SetPageMarkedControls(page, 0);
    if (UpdatePageData(AllPages(), 1) == 0 || !CheckRoomAndName())
        return;
    const AdslLineProfileValues values = TakenValues();
    if (!CheckValues(values))
        return;
    if (!ConfirmChange(templateMode_ ? kStrSureToModifyData : kStrSureToRetrainLines))
        return;

    WriteAndEnd(RecordFromValues(TypedName(), values));
}
