#include "features/provisioning/link_agg/lacp_pages.h"

#include "ui/framework/dialogs/number_edit.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_lacp_activity_page.h"
#include "ui_lacp_group_page.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

constexpr uint32_t kMostPriority = 65535;

} // namespace

CLacpActivityPage::CLacpActivityPage(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CLacpActivityPage>())
{
    ui_->setupUi(this);
}

CLacpActivityPage::~CLacpActivityPage() = default;

void CLacpActivityPage::DoDataExchange(CDataExchange& dx)
{
    DDX_Radio(dx, {kActiveRadioId, kPassiveRadioId}, activityRadio);
    DDX_Radio(dx, {kLongRadioId, kShortRadioId}, timeoutRadio);
}

void CLacpActivityPage::ApplyEnablingRules(bool lacp)
{
    EnableControls({kActiveRadioId, kPassiveRadioId, kLongRadioId, kShortRadioId}, lacp);
}

CLacpGroupPage::CLacpGroupPage(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CLacpGroupPage>())
{
    ui_->setupUi(this);
}

CLacpGroupPage::~CLacpGroupPage() = default;

void CLacpGroupPage::SetGroupCount(int count)
{
    auto* combo = GetDlgItemAs<QComboBox>(kGroupComboId);
    combo->clear();
    for (int group = 1; group <= count; ++group)
        combo->addItem(LoadQString(kStrGroupPage).arg(group));
}

void CLacpGroupPage::DoDataExchange(CDataExchange& dx)
{
    DDX_CBIndex(dx, kGroupComboId, groupIndex);
    DDX_TextInRange(dx, *this, kPriorityId, priority, 0, kMostPriority);
}

int CLacpGroupPage::OnNotifyHook(const NotifyHeader& header, int* result)
{
    if (header.code == UDN_DELTAPOS && header.idFrom == kPrioritySpinId) {
        StepNumberEdit(GetDlgItemAs<QLineEdit>(kPriorityId), header.delta, 0, kMostPriority);
        return 1;
    }
    return CADialog::OnNotifyHook(header, result);
}

void CLacpGroupPage::ApplyEnablingRules(bool lacp)
{
    EnableControls({kPrioritySpinId, kGroupComboId}, lacp);
    SetControlReadOnly(kPriorityId, !lacp);
}
