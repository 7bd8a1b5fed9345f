#include "features/provisioning/rstp/rstp_port_page.h"

#include "features/provisioning/rstp/rstp_rules.h"
#include "ui/framework/dialogs/number_edit.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_rstp_port_page.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QStringList>

CRstpPortPage::CRstpPortPage(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CRstpPortPage>())
{
    ui_->setupUi(this);
}

CRstpPortPage::~CRstpPortPage() = default;

bool CRstpPortPage::OnInitDialog()
{
    CADialog::OnInitDialog();
    auto* combo = GetDlgItemAs<QComboBox>(kPointToPointId);
    combo->clear();
    combo->addItems(LoadQString(kStrPointToPointChoices).split('|'));
    return true;
}

void CRstpPortPage::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, kPortIdId, portId);
    DDX_Check(dx, kRstpEnabledId, rstpEnabled);
    DDX_TextInRange(dx, *this, kPriorityId, priority, 0, kPortPriorityScale.most);
    DDX_Check(dx, kDefaultCostId, defaultCost);
    DDX_TextInRange(dx, *this, kPathCostId, pathCost, 1, MaxPathCost(version_));
    DDX_Check(dx, kEdgeId, edge);
    DDX_CBIndex(dx, kPointToPointId, pointToPoint);
    DDX_Check(dx, kMcheckId, mcheck);
}

namespace {

bool IsChecked(const CADialog& page, int id)
{
    const auto* box = page.GetDlgItemAs<QAbstractButton>(id);
    return box != nullptr && box->isChecked();
}

} // namespace

void CRstpPortPage::ApplyEnablingRules(bool bridgeEnabled)
{
    bridgeEnabled_ = bridgeEnabled;
    const bool running = bridgeEnabled && IsChecked(*this, kRstpEnabledId);
    const bool ownCost = running && !IsChecked(*this, kDefaultCostId);
    EnableControl(kRstpEnabledId, bridgeEnabled);
    EnableControls({kPrioritySpinId, kDefaultCostId, kEdgeId, kPointToPointId}, running);
    EnableControl(kMcheckId, running && version_ == kRstpVersionRstp);
    SetControlReadOnly(kPathCostId, !ownCost);
    EnableControl(kPathCostSpinId, ownCost);
}

void CRstpPortPage::SetVersion(uint32_t version)
{
    version_ = version;
    if (version_ != kRstpVersionRstp) {
        if (auto* box = GetDlgItemAs<QAbstractButton>(kMcheckId))
            box->setChecked(false);
    }
    ApplyEnablingRules(bridgeEnabled_);
    KeepPathCost();
}

void CRstpPortPage::KeepPathCost()
{
    auto* edit = GetDlgItemAs<QLineEdit>(kPathCostId);
    if (edit == nullptr)
        return;
    // Under Default the cost shown stays as it was: only the load puts the version's default there.
    if (IsChecked(*this, kDefaultCostId))
        return;
    const uint32_t clamped = ClampPathCost(edit->text().toUInt(), version_);
    if (edit->text() != QString::number(clamped))
        edit->setText(QString::number(clamped));
}

int CRstpPortPage::OnCommandHook(int id, int code)
{
    if (code == BN_CLICKED && (id == kRstpEnabledId || id == kDefaultCostId)) {
        ApplyEnablingRules(bridgeEnabled_);
        if (id == kDefaultCostId)
            KeepPathCost();
        return 1;
    }
    if (id == kPriorityId && code == EN_KILLFOCUS) {
        auto* edit = GetDlgItemAs<QLineEdit>(kPriorityId);
        bool number = false;
        const uint32_t typed = edit->text().toUInt(&number);
        if (number)
            edit->setText(QString::number(NormalisePriority(typed, kPortPriorityScale)));
        return 1;
    }
    return CADialog::OnCommandHook(id, code);
}

int CRstpPortPage::OnNotifyHook(const NotifyHeader& header, int* result)
{
    if (header.code == UDN_DELTAPOS && header.idFrom == kPrioritySpinId) {
        auto* edit = GetDlgItemAs<QLineEdit>(kPriorityId);
        edit->setText(QString::number(StepPriority(edit->text().toUInt(), header.delta, kPortPriorityScale)));
        return 1;
    }
    if (header.code == UDN_DELTAPOS && header.idFrom == kPathCostSpinId) {
        StepNumberEdit(GetDlgItemAs<QLineEdit>(kPathCostId), header.delta, 1, MaxPathCost(version_));
        return 1;
    }
    return CADialog::OnNotifyHook(header, result);
}
