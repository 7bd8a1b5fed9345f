#include "ui/shell/app/app_dispatch_ui.h"

#include "core/config/app_settings.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui/shell/app/app_frame.h"

#include <QMessageBox>

#include <utility>

namespace {

IncomingMailHandler& InstalledHandler()
{
    static IncomingMailHandler handler;
    return handler;
}

// A window of its own that the operator closes; it never blocks the dispatcher.
void ShowMailWindow(const OperatorMailNotice& mail)
{
    auto* box = new QMessageBox(QMessageBox::Information, QString::fromStdString(GetAppTitle(AppSettings())),
                                IncomingMailText(mail), QMessageBox::Ok);
    box->setInformativeText(QString::fromStdString(mail.sender + " (" + mail.senderIp + ")"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->show();
}

} // namespace

void SetIncomingMailHandler(IncomingMailHandler handler)
{
    InstalledHandler() = std::move(handler);
}

QString IncomingMailText(const OperatorMailNotice& mail)
{
    return mail.forcedLogout ? LoadQString(kStrLoggedOutInTenSeconds) : QString::fromStdString(mail.text);
}

CAppDispatchUi::CAppDispatchUi(std::function<IAppFrame*()> frame) : frame_(std::move(frame)) {}

void CAppDispatchUi::ShowOperatorMail(const OperatorMailNotice& mail)
{
    if (InstalledHandler())
        InstalledHandler()(mail);
    else
        ShowMailWindow(mail);
}

void CAppDispatchUi::StartLogoutTimer(uint32_t periodMs)
{
    if (IAppFrame* frame = frame_())
        frame->StartLogoutTimer(periodMs);
}

int CAppDispatchUi::AddTrapLogRecords(uint32_t neId, const uint8_t* records, uint32_t count)
{
    IAppFrame* frame = frame_();
    return frame != nullptr ? frame->AddTrapLogRecords(neId, records, count) : 0;
}
