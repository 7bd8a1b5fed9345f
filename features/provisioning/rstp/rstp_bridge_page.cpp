#include "features/provisioning/rstp/rstp_bridge_page.h"

#include "features/provisioning/rstp/rstp_rules.h"
#include "ui/framework/dialogs/number_edit.h"
#include "ui_rstp_bridge_page.h"

#include <QLineEdit>

#include <array>

namespace {

struct SpinRange {
    int spin;
    int edit;
    uint32_t minimum;
    uint32_t maximum;
};
constexpr std::array<SpinRange, 4> kTimeSpins = {{
    {CRstpBridgePage::kMaxAgeSpinId, CRstpBridgePage::kMaxAgeId, 6, 40},
    {CRstpBridgePage::kHelloTimeSpinId, CRstpBridgePage::kHelloTimeId, 1, 10},
    {CRstpBridgePage::kForwardDelaySpinId, CRstpBridgePage::kForwardDelayId, 4, 30},
    {CRstpBridgePage::kTxHoldCountSpinId, CRstpBridgePage::kTxHoldCountId, 1, 10},
}};

} // namespace

CRstpBridgePage::CRstpBridgePage(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CRstpBridgePage>())
{
    ui_->setupUi(this);
}

CRstpBridgePage::~CRstpBridgePage() = default;

void CRstpBridgePage::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, kBridgeIdId, bridgeId);
    DDX_TextInRange(dx, *this, kPriorityId, priority, 0, kBridgePriorityScale.most);
    DDX_TextInRange(dx, *this, kMaxAgeId, maxAge, 6, 40);
    DDX_TextInRange(dx, *this, kHelloTimeId, helloTime, 1, 10);
    DDX_TextInRange(dx, *this, kForwardDelayId, forwardDelay, 4, 30);
    DDX_TextInRange(dx, *this, kTxHoldCountId, txHoldCount, 1, 10);
}

void CRstpBridgePage::ApplyEnablingRules(bool rstpEnabled)
{
    EnableControls({kPrioritySpinId, kMaxAgeSpinId, kHelloTimeSpinId, kForwardDelaySpinId, kTxHoldCountSpinId},
                   rstpEnabled);
    SetControlReadOnly(kPriorityId, !rstpEnabled);
}

int CRstpBridgePage::OnCommandHook(int id, int code)
{
    if (id == kPriorityId && code == EN_KILLFOCUS) {
        // A typed priority becomes the multiple of 4096 below it, at most 61440.
        auto* edit = GetDlgItemAs<QLineEdit>(kPriorityId);
        bool number = false;
        const uint32_t typed = edit->text().toUInt(&number);
        if (number)
            edit->setText(QString::number(NormalisePriority(typed, kBridgePriorityScale)));
        return 1;
    }
    return CADialog::OnCommandHook(id, code);
}

int CRstpBridgePage::OnNotifyHook(const NotifyHeader& header, int* result)
{
    if (header.code != UDN_DELTAPOS)
        return CADialog::OnNotifyHook(header, result);
    if (header.idFrom == kPrioritySpinId) {
        auto* edit = GetDlgItemAs<QLineEdit>(kPriorityId);
        edit->setText(QString::number(StepPriority(edit->text().toUInt(), header.delta, kBridgePriorityScale)));
        return 1;
    }
    for (const SpinRange& range : kTimeSpins) {
        if (header.idFrom == range.spin) {
            StepNumberEdit(GetDlgItemAs<QLineEdit>(range.edit), header.delta, range.minimum, range.maximum);
            return 1;
        }
    }
    return CADialog::OnNotifyHook(header, result);
}
