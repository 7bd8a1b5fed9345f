#include "features/provisioning/multicast/mc_channel_pages.h"

#include "features/provisioning/multicast/mc_channel_rules.h"
#include "ui/framework/dialogs/number_edit.h"
#include "ui_mc_channel_limit_page.h"
#include "ui_mc_profile_page.h"

#include <QLineEdit>

CMcProfilePage::CMcProfilePage(QWidget* parent)
    : CVcVlanNamePage(kTemplateId, kProfileId, "CXdslMcServiceProfileDlg", parent),
      ui_(std::make_unique<Ui::CMcProfilePage>())
{
    ui_->setupUi(this);
}

CMcProfilePage::~CMcProfilePage() = default;

CMcChannelLimitPage::CMcChannelLimitPage(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CMcChannelLimitPage>())
{
    ui_->setupUi(this);
}

CMcChannelLimitPage::~CMcChannelLimitPage() = default;

void CMcChannelLimitPage::DoDataExchange(CDataExchange& dx)
{
    DDX_TextInRange(dx, *this, kLimitId, limit_, kMinChannelLimit, kMaxChannelLimit);
}

bool CMcChannelLimitPage::OnNotify(const NotifyHeader& header, int* result)
{
    if (header.idFrom == kLimitSpinId && header.code == UDN_DELTAPOS) {
        StepNumberEdit(GetDlgItemAs<QLineEdit>(kLimitId), header.delta, kMinChannelLimit, kMaxChannelLimit);
        return true;
    }
    return CADialog::OnNotify(header, result);
}
