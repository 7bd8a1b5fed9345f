#include "features/management/operators/instant_mail_dlg.h"

#include "core/tables/access_rights.h"
#include "core/tables/app_data.h"
#include "core/util/utf8_text.h"
#include "features/management/common/server_combos.h"
#include "link/record_requests.h"
#include "link/records/operator_mail_record.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_instant_mail_dlg.h"

#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextCursor>

namespace {

// The bytes of text a mail carries: its field less the terminating zero.
constexpr size_t kMessageBytes = kOperatorMailTextWidth - 1;

} // namespace

QString QuotedReply(const QString& received)
{
    return LoadQString(kStrMailReplyQuote).replace(QStringLiteral("%s"), received);
}

CInstantMailDlg::CInstantMailDlg(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CInstantMailDlg>())
{
    ui_->setupUi(this);
}

CInstantMailDlg::~CInstantMailDlg() = default;

void CInstantMailDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, kToId, to_);
    DDX_Text(dx, kMessageId, message_);
}

void CInstantMailDlg::InitData()
{
    if (EndWithoutServer(*this))
        return;
    if (CheckRightOrClose(kRightOnlineUsers, 'x') != 0)
        return;
    LimitTextToField(kToId, kOperatorMailNameWidth);
    UpdateData(false);
    LimitMessage();
    // The text is ready to be added to: no selection, the caret at its end and in view.
    if (auto* edit = GetDlgItemAs<QPlainTextEdit>(kMessageId)) {
        edit->moveCursor(QTextCursor::End);
        edit->ensureCursorVisible();
        edit->setFocus();
    }
}

void CInstantMailDlg::LimitMessage()
{
    auto* edit = GetDlgItemAs<QPlainTextEdit>(kMessageId);
    if (edit == nullptr)
        return;
    const std::string text = edit->toPlainText().toStdString();
    if (text.size() <= kMessageBytes)
        return;
    const QSignalBlocker blocker(edit);
    edit->setPlainText(QString::fromStdString(std::string(Utf8WholePrefix(text, kMessageBytes))));
    edit->moveCursor(QTextCursor::End);
}

int CInstantMailDlg::OnCommandHook(int id, int code)
{
    if (id == kMessageId && code == EN_CHANGE) {
        LimitMessage();
        return 1;
    }
    return 0;
}

void CInstantMailDlg::OnOK()
{
    if (!UpdateDialogData())
        return;
    const QString message = message_.trimmed();
    if (message.isEmpty()) {
        ShowAlertTextById(kStrDataIsBlank, kMessageId);
        return;
    }
    OperatorMailRecord mail;
    mail.sender = AppData().GetLoginUserName();
    mail.addressee = to_.toStdString();
    mail.text = message.toStdString();
    if (!CRecordRequests().Action(kReqOperatorMail, 0, mail, {.failureTextId = kStrFailToUpdateData}).Ok())
        return;
    EndDialog(IDOK);
}
