#include "features/provisioning/fast_prov/fast_prov_service_type_page.h"

#include "features/provisioning/pvcs/pvc_values.h"
#include "platform/ip_address_edit.h"
#include "ui/framework/dialogs/number_edit.h"
#include "ui_fast_prov_service_type_page.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

constexpr uint32_t kMaxLimit = 64;
constexpr uint32_t kMaxIncrement = 256;
// The up-down controls keep their ranges; a number typed is taken as its field holds it, the step being checked by the
// List button with its own message.
constexpr uint32_t kMaxLimitTyped = 255;
constexpr uint32_t kMaxIncrementTyped = UINT32_MAX;

struct LimitField {
    int edit;
    int spin;
    uint32_t maximum;
};

constexpr LimitField kFields[] = {
    {CFastProvServiceTypePage::kDhcpLimitId, CFastProvServiceTypePage::kDhcpLimitSpinId, kMaxLimit},
    {CFastProvServiceTypePage::kStaticLimitId, CFastProvServiceTypePage::kStaticLimitSpinId, kMaxLimit},
    {CFastProvServiceTypePage::kIncrementId, CFastProvServiceTypePage::kIncrementSpinId, kMaxIncrement},
    {CFastProvServiceTypePage::kClientLimitId, CFastProvServiceTypePage::kClientLimitSpinId, kMaxLimit},
};

} // namespace

CFastProvServiceTypePage::CFastProvServiceTypePage(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CFastProvServiceTypePage>())
{
    ui_->setupUi(this);
    // The form fills the combo with its first item chosen; the page starts with none, so that its data load chooses.
    ui_->typeCombo->setCurrentIndex(-1);
}

CFastProvServiceTypePage::~CFastProvServiceTypePage() = default;

bool CFastProvServiceTypePage::OnInitDialog()
{
    CADialog::OnInitDialog();
    if (ui_->typeCombo->currentIndex() < 0)
        ui_->typeCombo->setCurrentIndex(kServiceTransparent - 1);
    ApplyServiceTypeRule();
    return true;
}

uint32_t CFastProvServiceTypePage::ServiceType() const
{
    return static_cast<uint32_t>(ui_->typeCombo->currentIndex() + 1);
}

void CFastProvServiceTypePage::SetServiceType(uint32_t serviceType)
{
    ui_->typeCombo->setCurrentIndex(static_cast<int>(serviceType) - 1);
}

void CFastProvServiceTypePage::ApplyServiceTypeRule()
{
    const uint32_t type = ServiceType();
    const bool dhcp = type == kServicePppoe || type == kServiceDhcp || type == kServicePppoeDhcp;
    const bool staticIp = IsStaticIpService(type);
    const bool client = !dhcp && !staticIp;
    // Only the up-down controls follow the type; the edits stay open.
    EnableControl(kDhcpLimitSpinId, dhcp);
    EnableControls({kStaticLimitSpinId, kIncrementSpinId}, staticIp);
    EnableControl(kClientLimitSpinId, client);
    const auto reset = [this](int id) {
        if (auto* edit = GetDlgItemAs<QLineEdit>(id))
            edit->setText(QStringLiteral("1"));
    };
    if (!dhcp)
        reset(kDhcpLimitId);
    if (!staticIp)
        reset(kStaticLimitId);
    if (!client)
        reset(kClientLimitId);
}

void CFastProvServiceTypePage::DoDataExchange(CDataExchange& dx)
{
    DDX_TextInRange(dx, *this, kDhcpLimitId, dhcpLimit_, 0, kMaxLimitTyped);
    DDX_TextInRange(dx, *this, kStaticLimitId, staticLimit_, 0, kMaxLimitTyped);
    DDX_TextInRange(dx, *this, kIncrementId, increment_, 0, kMaxIncrementTyped);
    DDX_TextInRange(dx, *this, kClientLimitId, clientLimit_, 0, kMaxLimitTyped);
    if (dx.IsSaving())
        ui_->baseEdit->GetAddress(staticBase_);
    else
        ui_->baseEdit->SetAddress(staticBase_);
}

bool CFastProvServiceTypePage::OnNotify(const NotifyHeader& header, int* result)
{
    if (header.code == UDN_DELTAPOS) {
        for (const LimitField& field : kFields) {
            if (header.idFrom == field.spin) {
                StepNumberEdit(GetDlgItemAs<QLineEdit>(field.edit), header.delta, 1, field.maximum);
                return true;
            }
        }
    }
    return CADialog::OnNotify(header, result);
}

int CFastProvServiceTypePage::OnCommandHook(int id, int code)
{
    if (id == kServiceTypeId && code == CBN_SELCHANGE) {
        ApplyServiceTypeRule();
        return 1;
    }
    return CADialog::OnCommandHook(id, code);
}
