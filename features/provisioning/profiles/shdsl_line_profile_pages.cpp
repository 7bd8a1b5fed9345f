#include "features/provisioning/profiles/shdsl_line_profile_pages.h"

#include "ui/framework/dialogs/number_edit.h"
#include "ui_shdsl_line_profile_margin_page.h"
#include "ui_shdsl_line_profile_misc_page.h"
#include "ui_shdsl_line_profile_rate_page.h"

#include <QAbstractButton>
#include <QLineEdit>

#include <algorithm>

CShdslLineProfileRatePage::CShdslLineProfileRatePage(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CShdslLineProfileRatePage>())
{
    ui_->setupUi(this);
}

CShdslLineProfileRatePage::~CShdslLineProfileRatePage() = default;

void CShdslLineProfileRatePage::Hold(int id, int steps)
{
    // What was typed is taken first: a rate out of range is refused where it stands.
    if (!UpdateData(true))
        return;
    uint32_t& rate = id == kMinId ? values_.minRate : values_.maxRate;
    rate = SnapShdslRate(rate, steps);
    if (values_.rateMode == kShdslRateFixed)
        (id == kMinId ? values_.maxRate : values_.minRate) = rate;
    UpdateData(false);
}

void CShdslLineProfileRatePage::ApplyMode()
{
    // The mode chosen is taken even when a rate typed is refused: a fixed rate then shows the minimum last taken.
    UpdateData(true);
    const bool fixed = values_.rateMode == kShdslRateFixed;
    if (fixed) {
        values_.maxRate = values_.minRate;
        UpdateData(false);
    }
    // Show mode greys only OK: the rates step and snap as they do when the profile is changed.
    SetControlReadOnly(kMaxId, fixed);
    EnableControl(kMaxId + kSpinOffset, !fixed);
}

void CShdslLineProfileRatePage::DoDataExchange(CDataExchange& dx)
{
    int adaptive = values_.rateMode == kShdslRateAdaptive ? 1 : 0;
    DDX_Radio(dx, {kFixedId, kAdaptiveId}, adaptive);
    values_.rateMode = adaptive != 0 ? kShdslRateAdaptive : kShdslRateFixed;
    if (GetAccessMode() == kAccessQuery || !dx.IsSaving()) {
        QString minimum = QString::number(values_.minRate);
        QString maximum = QString::number(values_.maxRate);
        DDX_Text(dx, kMinId, minimum);
        DDX_Text(dx, kMaxId, maximum);
        // Show mode takes what is typed without checks; a text that is no number leaves the rate as it was.
        const auto take = [&dx](const QString& text, uint32_t& rate) {
            bool number = false;
            const uint32_t typed = text.toUInt(&number);
            if (dx.IsSaving() && number)
                rate = typed;
        };
        take(minimum, values_.minRate);
        take(maximum, values_.maxRate);
        return;
    }
    DDX_UnsignedInRange(dx, *this, kMinId, values_.minRate, kShdslRateLowest, kShdslRateHighest);
    if (!dx.Failed())
        DDX_UnsignedInRange(dx, *this, kMaxId, values_.maxRate, kShdslRateLowest, kShdslRateHighest);
}

int CShdslLineProfileRatePage::OnCommandHook(int id, int code)
{
    if (code == BN_CLICKED && (id == kFixedId || id == kAdaptiveId))
        ApplyMode();
    else if (code == EN_KILLFOCUS && (id == kMinId || id == kMaxId))
        Hold(id, 0);
    return CADialog::OnCommandHook(id, code);
}

bool CShdslLineProfileRatePage::OnNotify(const NotifyHeader& header, int* result)
{
    const int edit = header.idFrom - kSpinOffset;
    if (header.code == UDN_DELTAPOS && (edit == kMinId || edit == kMaxId)) {
        Hold(edit, header.delta);
        return true;
    }
    return CADialog::OnNotify(header, result);
}

CShdslLineProfileMarginPage::CShdslLineProfileMarginPage(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CShdslLineProfileMarginPage>())
{
    ui_->setupUi(this);
}

CShdslLineProfileMarginPage::~CShdslLineProfileMarginPage() = default;

void CShdslLineProfileMarginPage::InitData()
{
    // The margins change only through their spins.
    for (int id : kEditIds)
        SetControlReadOnly(id, true);
}

void CShdslLineProfileMarginPage::ApplyBoxes()
{
    for (size_t i = 0; i < kBoxIds.size(); ++i) {
        const auto* box = GetDlgItemAs<QAbstractButton>(kBoxIds[i]);
        EnableControl(kSpinIds[i], box != nullptr && box->isChecked());
    }
}

void CShdslLineProfileMarginPage::DoDataExchange(CDataExchange& dx)
{
    for (size_t i = 0; i < kBoxIds.size(); ++i) {
        DDX_Check(dx, kBoxIds[i], values_.marginUsed[i]);
        QString text = QString::number(values_.margin[i]);
        DDX_Text(dx, kEditIds[i], text);
        if (dx.IsSaving())
            values_.margin[i] = std::clamp(text.toInt(), kShdslMarginLowest, kShdslMarginHighest);
    }
}

int CShdslLineProfileMarginPage::OnCommandHook(int id, int code)
{
    if (code == BN_CLICKED && std::find(kBoxIds.begin(), kBoxIds.end(), id) != kBoxIds.end()) {
        UpdateDialogData();
        ApplyBoxes();
    }
    return CADialog::OnCommandHook(id, code);
}

bool CShdslLineProfileMarginPage::OnNotify(const NotifyHeader& header, int* result)
{
    const auto spin = std::find(kSpinIds.begin(), kSpinIds.end(), header.idFrom);
    if (header.code == UDN_DELTAPOS && spin != kSpinIds.end()) {
        auto* edit = GetDlgItemAs<QLineEdit>(kEditIds[static_cast<size_t>(spin - kSpinIds.begin())]);
        if (edit != nullptr) {
            // The range wraps around at either end.
            constexpr int kSpan = kShdslMarginHighest - kShdslMarginLowest + 1;
            const int stepped = edit->text().toInt() + header.delta - kShdslMarginLowest;
            edit->setText(QString::number(((stepped % kSpan) + kSpan) % kSpan + kShdslMarginLowest));
        }
        return true;
    }
    return CADialog::OnNotify(header, result);
}

CShdslLineProfileMiscPage::CShdslLineProfileMiscPage(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CShdslLineProfileMiscPage>())
{
    ui_->setupUi(this);
}

CShdslLineProfileMiscPage::~CShdslLineProfileMiscPage() = default;

void CShdslLineProfileMiscPage::DoDataExchange(CDataExchange& dx)
{
    DDX_Radio(dx, {kSymmetricId, kAsymmetricId}, values_.psd);
    DDX_Radio(dx, {kAnnexAId, kAnnexBId, kAnnexABId}, values_.annex);
    DDX_Radio(dx, {kProbeEnabledId, kProbeDisabledId}, values_.lineProbe);
}
