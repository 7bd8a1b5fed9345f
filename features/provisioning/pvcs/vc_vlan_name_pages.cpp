#include "features/provisioning/pvcs/vc_vlan_name_pages.h"

#include "ui/framework/dialogs/dialog_registry.h"
#include "ui_vc_vlan_ip_traffic_page.h"
#include "ui_vc_vlan_next_hop_page.h"

#include <QAbstractItemView>
#include <QComboBox>

CVcVlanNamePage::CVcVlanNamePage(int templateId, int comboId, const char* openClass, QWidget* parent)
    : CADialog(templateId, parent), comboId_(comboId), openClass_(openClass)
{
}

void CVcVlanNamePage::SetNames(const std::vector<std::string>& names, bool chooseFirst)
{
    auto* combo = GetDlgItemAs<QComboBox>(comboId_);
    if (combo == nullptr)
        return;
    combo->clear();
    for (const std::string& name : names)
        combo->addItem(QString::fromStdString(name));
    combo->setCurrentIndex(chooseFirst && combo->count() > 0 ? 0 : -1);
    // The names may be long: the dropped list is twice as wide as the combo.
    combo->view()->setMinimumWidth(combo->width() * 2);
    UpdateShow();
}

void CVcVlanNamePage::Choose(const std::string& name)
{
    if (auto* combo = GetDlgItemAs<QComboBox>(comboId_))
        combo->setCurrentIndex(
            combo->findText(QString::fromStdString(name), Qt::MatchExactly | Qt::MatchCaseSensitive));
    UpdateShow();
}

std::string CVcVlanNamePage::ChosenName() const
{
    const auto* combo = GetDlgItemAs<QComboBox>(comboId_);
    return combo != nullptr && combo->currentIndex() >= 0 ? combo->currentText().toStdString() : std::string();
}

void CVcVlanNamePage::UpdateShow()
{
    const auto* combo = GetDlgItemAs<QComboBox>(comboId_);
    EnableControl(kShowId, combo != nullptr && combo->count() > 0);
}

int CVcVlanNamePage::OnCommandHook(int id, int code)
{
    if (id == kShowId && code == BN_CLICKED) {
        ShowChosen();
        return 1;
    }
    if (id == comboId_ && code == CBN_SELCHANGE) {
        UpdateShow();
        return 1;
    }
    return 0;
}

void CVcVlanNamePage::ShowChosen()
{
    const std::string name = ChosenName();
    if (name.empty())
        return;
    DialogRequest request;
    request.className = openClass_;
    request.hasTarget = true;
    request.neId = static_cast<uint32_t>(GetNeId());
    request.hasEntity = true;
    request.entity = GetTargetEntity();
    request.accessMode = kAccessQuery;
    request.recordName = name;
    OpenRouteDialog(request);
}

CVcVlanIpTrafficPage::CVcVlanIpTrafficPage(QWidget* parent)
    : CVcVlanNamePage(kTemplateId, kProfileId, "CXdslIpTrafficProfileDlg", parent),
      ui_(std::make_unique<Ui::CVcVlanIpTrafficPage>())
{
    ui_->setupUi(this);
}

CVcVlanIpTrafficPage::~CVcVlanIpTrafficPage() = default;

CVcVlanNextHopPage::CVcVlanNextHopPage(QWidget* parent)
    : CVcVlanNamePage(kTemplateId, kNextHopId, "CIpoaNextHopDlg", parent),
      ui_(std::make_unique<Ui::CVcVlanNextHopPage>())
{
    ui_->setupUi(this);
}

CVcVlanNextHopPage::~CVcVlanNextHopPage() = default;
