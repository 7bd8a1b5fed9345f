#include "features/management/server/svr_opt_mail_page.h"

#include "features/management/server/server_option_rules.h"
#include "ui_svr_opt_mail_page.h"

CSvrOptMailPage::CSvrOptMailPage(ServerOptionValues& values, QWidget* parent)
    : CADialog(kTemplateId, parent), values_(values), ui_(std::make_unique<Ui::CSvrOptMailPage>())
{
    ui_->setupUi(this);
}

CSvrOptMailPage::~CSvrOptMailPage() = default;

bool CSvrOptMailPage::OnInitDialog()
{
    CADialog::OnInitDialog();
    LimitTextToField(kSmtpServerId, kServerOptionMailTextWidth);
    LimitTextToField(kSenderId, kServerOptionMailTextWidth);
    return true;
}

void CSvrOptMailPage::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, kSmtpServerId, values_.smtpServer);
    DDX_Text(dx, kSenderId, values_.senderEmail);
}
