#include "features/provisioning/pvcs/vc_vlan_priority_pages.h"

#include "core/util/vlan_id.h"
#include "ui/framework/dialogs/number_edit.h"
#include "ui_vc_vlan_id_page.h"
#include "ui_vc_vlan_priority_page.h"

#include <QLineEdit>

namespace {

constexpr uint32_t kMaxPriority = 7;

} // namespace

CVcVlanPriorityPage::CVcVlanPriorityPage(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CVcVlanPriorityPage>())
{
    ui_->setupUi(this);
}

CVcVlanPriorityPage::CVcVlanPriorityPage(int templateId, QWidget* parent) : CADialog(templateId, parent) {}

CVcVlanPriorityPage::~CVcVlanPriorityPage() = default;

void CVcVlanPriorityPage::DoDataExchange(CDataExchange& dx)
{
    DDX_TextInRange(dx, *this, kPriorityId, priority_, 0, kMaxPriority);
}

bool CVcVlanPriorityPage::OnNotify(const NotifyHeader& header, int* result)
{
    if (header.idFrom == kPrioritySpinId && header.code == UDN_DELTAPOS) {
        StepNumberEdit(GetDlgItemAs<QLineEdit>(kPriorityId), header.delta, 0, kMaxPriority);
        return true;
    }
    return CADialog::OnNotify(header, result);
}

CVcVlanIdPage::CVcVlanIdPage(QWidget* parent)
    : CVcVlanPriorityPage(kTemplateId, parent), ui_(std::make_unique<Ui::CVcVlanIdPage>())
{
    ui_->setupUi(this);
}

CVcVlanIdPage::~CVcVlanIdPage() = default;

void CVcVlanIdPage::DoDataExchange(CDataExchange& dx)
{
    DDX_TextInRange(dx, *this, kVlanId, vlan_, kFirstVlanId, kLastVlanId);
    CVcVlanPriorityPage::DoDataExchange(dx);
}

bool CVcVlanIdPage::OnNotify(const NotifyHeader& header, int* result)
{
    if (header.idFrom == kVlanSpinId && header.code == UDN_DELTAPOS) {
        StepNumberEdit(GetDlgItemAs<QLineEdit>(kVlanId), header.delta, kFirstVlanId, kLastVlanId);
        return true;
    }
    return CVcVlanPriorityPage::OnNotify(header, result);
}
