#include "features/provisioning/profiles/adsl_tx_rate_page.h"

#include "ui/framework/dialogs/number_edit.h"
#include "ui_adsl_tx_rate_page.h"

#include <QAbstractButton>
#include <QLineEdit>

namespace {

constexpr uint32_t kMinDelay = 1;
constexpr uint32_t kMaxDelay = 255;

bool IsRateEdit(int id)
{
    return id == CAdslTxRatePage::kDownMinId || id == CAdslTxRatePage::kDownMaxId || id == CAdslTxRatePage::kUpMinId ||
           id == CAdslTxRatePage::kUpMaxId;
}

bool IsDownstream(int id)
{
    return id == CAdslTxRatePage::kDownMinId || id == CAdslTxRatePage::kDownMaxId;
}

bool IsMinimum(int id)
{
    return id == CAdslTxRatePage::kDownMinId || id == CAdslTxRatePage::kUpMinId;
}

} // namespace

CAdslTxRatePage::CAdslTxRatePage(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CAdslTxRatePage>())
{
    ui_->setupUi(this);
}

CAdslTxRatePage::~CAdslTxRatePage() = default;

int CAdslTxRatePage::ShownRateMode() const
{
    for (const auto& [id, mode] :
         {std::pair{kFixedId, kRateModeFixed}, std::pair{kAdaptiveStartupId, kRateModeAdaptiveStartup},
          std::pair{kAdaptiveRuntimeId, kRateModeAdaptiveRuntime}}) {
        if (const auto* radio = GetDlgItemAs<QAbstractButton>(id); radio != nullptr && radio->isChecked())
            return mode;
    }
    return values_.rateMode;
}

uint32_t CAdslTxRatePage::ReadRate(int id) const
{
    const auto* edit = GetDlgItemAs<QLineEdit>(id);
    bool ok = false;
    const long long typed = edit != nullptr ? edit->text().trimmed().toLongLong(&ok) : 0;
    return HoldRate(ok ? typed : 0, RangeOf(id));
}

void CAdslTxRatePage::WriteRate(int id, uint32_t kbit)
{
    if (auto* edit = GetDlgItemAs<QLineEdit>(id))
        edit->setText(QString::number(kbit));
}

RateRange CAdslTxRatePage::RangeOf(int id) const
{
    return IsMinimum(id) ? MinimumRateRange(IsDownstream(id), ShownRateMode()) : MaximumRateRange(IsDownstream(id));
}

void CAdslTxRatePage::Hold(int id, uint32_t kbit)
{
    const uint32_t held = HoldRate(kbit, RangeOf(id));
    WriteRate(id, held);
    if (ShownRateMode() == kRateModeFixed && IsMinimum(id))
        WriteRate(IsDownstream(id) ? kDownMaxId : kUpMaxId, held);
}

void CAdslTxRatePage::ApplyModes()
{
    const bool fixed = ShownRateMode() == kRateModeFixed;
    if (fixed) {
        Hold(kDownMinId, ReadRate(kDownMinId));
        Hold(kUpMinId, ReadRate(kUpMinId));
    }
    SetControlsReadOnly({kDownMaxId, kUpMaxId}, fixed);
    EnableControls({kDownMaxId + kSpinOffset, kUpMaxId + kSpinOffset}, !fixed);
    const auto* fast = GetDlgItemAs<QAbstractButton>(kFastId);
    const bool fastChannel = fast != nullptr && fast->isChecked();
    SetControlsReadOnly({kDownDelayId, kUpDelayId}, fastChannel);
    EnableControls({kDownDelayId + kSpinOffset, kUpDelayId + kSpinOffset}, !fastChannel);
}

void CAdslTxRatePage::DoDataExchange(CDataExchange& dx)
{
    DDX_Radio(dx, {kInterleaveId, kFastId}, values_.channel);
    DDX_Radio(dx, {kFixedId, kAdaptiveStartupId, kAdaptiveRuntimeId}, values_.rateMode);
    if (dx.IsSaving()) {
        values_.downMin = ReadRate(kDownMinId);
        values_.upMin = ReadRate(kUpMinId);
        values_.downMax = values_.rateMode == kRateModeFixed ? values_.downMin : ReadRate(kDownMaxId);
        values_.upMax = values_.rateMode == kRateModeFixed ? values_.upMin : ReadRate(kUpMaxId);
    } else {
        WriteRate(kDownMinId, values_.downMin);
        WriteRate(kUpMinId, values_.upMin);
        WriteRate(kDownMaxId, values_.downMax);
        WriteRate(kUpMaxId, values_.upMax);
    }
    if (GetAccessMode() == kAccessQuery || !dx.IsSaving()) {
        QString down = QString::number(values_.downDelay);
        QString up = QString::number(values_.upDelay);
        DDX_Text(dx, kDownDelayId, down);
        DDX_Text(dx, kUpDelayId, up);
        return;
    }
    DDX_TextInRange(dx, *this, kDownDelayId, values_.downDelay, kMinDelay, kMaxDelay);
    DDX_TextInRange(dx, *this, kUpDelayId, values_.upDelay, kMinDelay, kMaxDelay);
}

int CAdslTxRatePage::OnCommandHook(int id, int code)
{
    if (code == BN_CLICKED && (id == kInterleaveId || id == kFastId || id == kFixedId || id == kAdaptiveStartupId ||
                               id == kAdaptiveRuntimeId))
        ApplyModes();
    else if (code == EN_KILLFOCUS && IsRateEdit(id))
        Hold(id, ReadRate(id));
    else if (code == EN_CHANGE && IsMinimum(id) && ShownRateMode() == kRateModeFixed)
        WriteRate(IsDownstream(id) ? kDownMaxId : kUpMaxId, ReadRate(id)); // the maximum shows what the minimum holds
    return CADialog::OnCommandHook(id, code);
}

bool CAdslTxRatePage::OnNotify(const NotifyHeader& header, int* result)
{
    if (header.code == UDN_DELTAPOS) {
        const int edit = header.idFrom - kSpinOffset;
        if (IsRateEdit(edit)) {
            Hold(edit, StepRate(ReadRate(edit), header.delta, RangeOf(edit)));
            return true;
        }
        if (edit == kDownDelayId || edit == kUpDelayId) {
            StepNumberEdit(GetDlgItemAs<QLineEdit>(edit), header.delta, kMinDelay, kMaxDelay);
            return true;
        }
    }
    return CADialog::OnNotify(header, result);
}
