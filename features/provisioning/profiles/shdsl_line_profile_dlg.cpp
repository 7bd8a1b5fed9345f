#include "features/provisioning/profiles/shdsl_line_profile_dlg.h"

#include "link/records/request_codes.h"
#include "ui_shdsl_line_profile_dlg.h"

CShdslLineProfileDlg::CShdslLineProfileDlg(QWidget* parent)
    : CProfileEditorOf(kTemplateId, ProfileKindId::kShdslLine, kShdslLineProfileNameWidth, parent),
      ui_(std::make_unique<Ui::CShdslLineProfileDlg>())
{
    ui_->setupUi(this);
}

CShdslLineProfileDlg::~CShdslLineProfileDlg() = default;

void CShdslLineProfileDlg::InitData()
{
    if (!StartEditor())
        return;

    for (CADialog* page :
         {static_cast<CADialog*>(&rate_), static_cast<CADialog*>(&margin_), static_cast<CADialog*>(&misc_)})
        page->SetAccessMode(GetAccessMode());
    AddPage(CShdslLineProfileRatePage::kTemplateId, &rate_, "Transmission Rate");
    AddPage(CShdslLineProfileMarginPage::kTemplateId, &margin_, "SNR Margin");
    AddPage(CShdslLineProfileMiscPage::kTemplateId, &misc_, "Miscellaneous");

    if (IsAdding()) {
        ShowValues(ShdslLineProfileValues{});
        return;
    }
    name_ = QString::fromStdString(record_.name);
    UpdateData(false);
    ShdslLineProfileRec asked;
    asked.name = record_.name;
    if (!recordGiven_ && !ReadProfile(asked, [this] { ShowValues(ShdslLineProfileValues{}); }))
        return;
    ShowValues(ShdslValuesFromRecord(record_));
}

void CShdslLineProfileDlg::ShowValues(const ShdslLineProfileValues& values)
{
    wireMode_ = values.wireMode;
    rate_.SetValues(values);
    margin_.SetValues(values);
    misc_.SetValues(values);
    UpdatePageData(AllPages(), 0);
    rate_.ApplyMode();
    margin_.ApplyBoxes();
}

ShdslLineProfileValues CShdslLineProfileDlg::TakenValues() const
{
    ShdslLineProfileValues values = misc_.Values();
    values.wireMode = wireMode_;
    const ShdslLineProfileValues& rate = rate_.Values();
    values.rateMode = rate.rateMode;
    values.minRate = rate.minRate;
    values.maxRate = rate.maxRate;
    values.marginUsed = margin_.Values().marginUsed;
    values.margin = margin_.Values().margin;
    return values;
}

void CShdslLineProfileDlg::OnOK()
{
    if (!TargetStillThere() || !CheckRoom())
        return;
    for (CADialog* page : {static_cast<CADialog*>(&rate_), static_cast<CADialog*>(&margin_)})
        SetPageMarkedControls(page, 0);
    if (UpdatePageData(AllPages(), 1) == 0 || !CheckName())
        return;
    const ShdslLineProfileValues values = TakenValues();
    if (const std::optional<ShdslProfileRefusal> refusal = CheckShdslLineProfile(values)) {
        CADialog* page = refusal->page == ShdslPage::kRate ? static_cast<CADialog*>(&rate_) : &margin_;
        const auto& c = refusal->controls;
        ShowPageAlertTextById(page, refusal->stringId, c[0], c[1], c[2], c[3]);
        return;
    }
    if (!ConfirmChange(templateMode_ ? kStrSureToModifyData : kStrSureToRetrainLines))
        return;
    WriteAndEnd(ShdslRecordFromValues(TypedName(), values));
}
