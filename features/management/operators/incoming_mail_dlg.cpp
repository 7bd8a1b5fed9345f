#include "features/management/operators/incoming_mail_dlg.h"

#include "features/management/operators/instant_mail_dlg.h"
#include "link/dispatch_effects.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_incoming_mail_dlg.h"

#include <QDateEdit>
#include <QDateTime>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTimeEdit>

namespace {

const QDateTime kEarliest(QDate(1970, 1, 2), QTime(0, 0, 0));
const QDateTime kLatest(QDate(2037, 12, 31), QTime(23, 59, 59));

} // namespace

CIncomingMailDlg::CIncomingMailDlg(const OperatorMailNotice& mail, QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CIncomingMailDlg>()),
      from_(QString::fromStdString(mail.sender)), ip_(QString::fromStdString(mail.senderIp)),
      message_(mail.forcedLogout ? LoadQString(kStrLoggedOutInTenSeconds) : QString::fromStdString(mail.text))
{
    ui_->setupUi(this);
    // A window beside the others: it takes no part in their message lines.
    SetOwnsMessageLine(false);
}

CIncomingMailDlg::~CIncomingMailDlg() = default;

void CIncomingMailDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, kFromId, from_);
    DDX_Text(dx, kIpId, ip_);
    DDX_Text(dx, kMessageId, message_);
}

bool CIncomingMailDlg::OnInitDialog()
{
    // The window shows when the mail came: its pickers are set before it is first drawn.
    const QDateTime now = QDateTime::currentDateTime();
    if (auto* date = GetDlgItemAs<QDateEdit>(kDateId)) {
        date->setDateRange(kEarliest.date(), kLatest.date());
        date->setDate(now.date());
    }
    if (auto* time = GetDlgItemAs<QTimeEdit>(kTimeId))
        time->setTime(now.time());
    return CADialog::OnInitDialog();
}

void CIncomingMailDlg::InitData()
{
    if (auto* edit = GetDlgItemAs<QPlainTextEdit>(kMessageId)) {
        edit->moveCursor(QTextCursor::End);
        edit->ensureCursorVisible();
    }
}

void CIncomingMailDlg::OnOK()
{
    CInstantMailDlg reply(this);
    reply.SetAddressee(from_.toStdString());
    reply.SetMessage(QuotedReply(message_));
    reply.DoModal();
    EndDialog(IDCANCEL);
}

void ShowIncomingMail(const OperatorMailNotice& mail)
{
    auto* window = new CIncomingMailDlg(mail);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setModal(false);
    window->Create();
    window->show();
}
