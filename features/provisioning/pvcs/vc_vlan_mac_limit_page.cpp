#include "features/provisioning/pvcs/vc_vlan_mac_limit_page.h"

#include "features/provisioning/pvcs/pvc_values.h"
#include "ui_vc_vlan_mac_limit_page.h"

#include <QComboBox>

CVcVlanMacLimitPage::CVcVlanMacLimitPage(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CVcVlanMacLimitPage>())
{
    ui_->setupUi(this);
}

CVcVlanMacLimitPage::~CVcVlanMacLimitPage() = default;

bool CVcVlanMacLimitPage::OnInitDialog()
{
    CADialog::OnInitDialog();
    if (auto* combo = GetDlgItemAs<QComboBox>(kMacLimitId)) {
        combo->clear();
        for (const uint8_t limit : kPvcMacLimits)
            combo->addItem(QString::number(limit), limit);
    }
    return true;
}

void CVcVlanMacLimitPage::SetMacLimit(uint32_t value)
{
    macLimit_ = kPvcMacLimits.back();
    for (const uint8_t limit : kPvcMacLimits) {
        if (limit >= value) {
            macLimit_ = limit;
            break;
        }
    }
}

void CVcVlanMacLimitPage::DoDataExchange(CDataExchange& dx)
{
    auto* combo = GetDlgItemAs<QComboBox>(kMacLimitId);
    if (combo != nullptr) {
        if (dx.IsSaving())
            macLimit_ = combo->currentIndex() >= 0 ? combo->currentData().toUInt() : macLimit_;
        else
            combo->setCurrentIndex(combo->findData(macLimit_));
    }
    DDX_Radio(dx, {kNonAgedEnabledId, kNonAgedDisabledId}, nonAgedIndex_);
}
