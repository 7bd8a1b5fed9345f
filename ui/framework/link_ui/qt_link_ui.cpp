#include "ui/framework/link_ui/qt_link_ui.h"

#include "link/driver_result.h"
#include "platform/message_box_runner.h"
#include "ui/framework/dialogs/ca_dialog.h"
#include "ui/framework/link_ui/pdu_log_dlg.h"
#include "ui/framework/link_ui/wait_dlg.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_table.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMainWindow>
#include <QStatusTipEvent>
#include <QThread>

namespace {

bool OnUiThread()
{
    return QCoreApplication::instance() != nullptr &&
           QThread::currentThread() == QCoreApplication::instance()->thread();
}

} // namespace

CQtLinkUi::CQtLinkUi() = default;

CQtLinkUi::~CQtLinkUi()
{
    DestroyPduLogWindow();
}

void CQtLinkUi::RunWaitDialog(CWaitContext& wait)
{
    if (!OnUiThread()) {
        while (!wait.WaitFinished(50)) {
        }
        return;
    }
    if (waitDlg_ == nullptr)
        waitDlg_ = std::make_unique<CWaitDlg>();
    if (!waitDlg_->IsCreated()) {
        waitDlg_->Run(wait);
    } else {
        // A wait inside another's dialog (another driver's request from its loop) gets a dialog of its own.
        CWaitDlg nested;
        nested.Run(wait);
    }
    // A runner that ended the dialog early (a scripted one) still leaves only when the request has.
    while (!wait.WaitFinished(10))
        QCoreApplication::processEvents();
}

void CQtLinkUi::ShowFailureMessage(uint32_t failureTextId, int code, const std::string& errorText)
{
    const QString text = QString::fromStdString(ComposeFailureMessage(LoadString(failureTextId), code, errorText));
    constexpr int kFlags = static_cast<int>(MB_OK | MB_ICONEXCLAMATION);
    if (OnUiThread()) {
        ShowAppMessage(text, kFlags);
        return;
    }
    // A request made away from the UI thread: the box shows once that thread gets to it.
    if (QCoreApplication* app = QCoreApplication::instance())
        QMetaObject::invokeMethod(
            app, [text] { ShowAppMessage(text, kFlags); }, Qt::QueuedConnection);
}

void CQtLinkUi::AppendPduLogLines(const std::vector<std::string>& lines)
{
    PduLogWindow().AppendLines(lines);
}

void CQtLinkUi::ShowLinkStatus(const std::string& text)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr)
        return;
    QMetaObject::invokeMethod(
        app, [message = QString::fromStdString(text)] { ShowLinkStatusOnUiThread(message); }, Qt::QueuedConnection);
}

void ShowLinkStatusOnUiThread(const QString& text)
{
    // A message line, never a box: a notice that comes again while a box is open would stack boxes.
    CADialog* current = GetCurrentDialog();
    if (current != nullptr && current->IsFirstShowDone()) {
        current->SetStatusText(text);
        return;
    }
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (qobject_cast<QMainWindow*>(window) != nullptr && window->isVisible()) {
            QStatusTipEvent tip(text);
            QCoreApplication::sendEvent(window, &tip);
            return;
        }
    }
}

CPduLogDlg& CQtLinkUi::PduLogWindow()
{
    if (pduLog_ == nullptr) {
        pduLog_ = std::make_unique<CPduLogDlg>();
        pduLog_->Create();
    }
    return *pduLog_;
}

void CQtLinkUi::DestroyPduLogWindow()
{
    if (pduLog_ != nullptr) {
        pduLog_->DestroyWindow();
        pduLog_.reset();
    }
}
