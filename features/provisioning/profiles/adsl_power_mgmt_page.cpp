#include "features/provisioning/profiles/adsl_power_mgmt_page.h"

#include "features/provisioning/profiles/adsl_line_profile_rules.h"
#include "ui/framework/dialogs/number_edit.h"
#include "ui_adsl_power_mgmt_page.h"

#include <QAbstractButton>
#include <QLineEdit>

CAdslPowerMgmtPage::CAdslPowerMgmtPage(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CAdslPowerMgmtPage>())
{
    ui_->setupUi(this);
}

CAdslPowerMgmtPage::~CAdslPowerMgmtPage() = default;

uint32_t CAdslPowerMgmtPage::ReadRate(int id) const
{
    const auto* edit = GetDlgItemAs<QLineEdit>(id);
    bool ok = false;
    const long long typed = edit != nullptr ? edit->text().trimmed().toLongLong(&ok) : 0;
    return HoldRate(ok ? typed : 0, L2RateRange());
}

void CAdslPowerMgmtPage::ApplyMode()
{
    const auto* manual = GetDlgItemAs<QAbstractButton>(kManualId);
    const bool automatic = manual == nullptr || !manual->isChecked();
    SetControlsReadOnly({kL0TimeId, kL2TimeId}, !automatic);
    EnableControls({kL0TimeId + kSpinOffset, kL2TimeId + kSpinOffset}, automatic);
}

void CAdslPowerMgmtPage::DoDataExchange(CDataExchange& dx)
{
    DDX_Radio(dx, {kAutomaticId, kManualId}, values_.mode);
    DDX_Radio(dx, {kAcceptId, kRejectId}, values_.l3);
    if (dx.IsSaving()) {
        values_.l2MinRate = ReadRate(kL2MinRateId);
        values_.l2MaxRate = ReadRate(kL2MaxRateId);
    } else {
        for (const auto& [id, rate] :
             {std::pair{kL2MinRateId, values_.l2MinRate}, std::pair{kL2MaxRateId, values_.l2MaxRate}}) {
            QString text = QString::number(rate);
            DDX_Text(dx, id, text);
        }
    }
    if (GetAccessMode() == kAccessQuery && dx.IsSaving())
        return;
    DDX_TextInRange(dx, *this, kL0TimeId, values_.l0MinTime, 0, kTimeMax);
    if (!dx.Failed())
        DDX_TextInRange(dx, *this, kL2TimeId, values_.l2LowRateTime, 0, kTimeMax);
}

int CAdslPowerMgmtPage::OnCommandHook(int id, int code)
{
    if (code == BN_CLICKED && (id == kAutomaticId || id == kManualId))
        ApplyMode();
    else if (code == EN_KILLFOCUS && (id == kL2MinRateId || id == kL2MaxRateId)) {
        if (auto* edit = GetDlgItemAs<QLineEdit>(id))
            edit->setText(QString::number(ReadRate(id)));
    }
    return CADialog::OnCommandHook(id, code);
}

bool CAdslPowerMgmtPage::OnNotify(const NotifyHeader& header, int* result)
{
    if (header.code == UDN_DELTAPOS) {
        const int edit = header.idFrom - kSpinOffset;
        if (edit == kL2MinRateId || edit == kL2MaxRateId) {
            if (auto* line = GetDlgItemAs<QLineEdit>(edit))
                line->setText(QString::number(StepRate(ReadRate(edit), header.delta, L2RateRange())));
            return true;
        }
        if (edit == kL0TimeId || edit == kL2TimeId) {
            StepNumberEdit(GetDlgItemAs<QLineEdit>(edit), header.delta, 0, kTimeMax);
            return true;
        }
    }
    return CADialog::OnNotify(header, result);
}
