#include "ui/framework/link_ui/wait_dlg.h"

#include "core/config/app_settings.h"
#include "link/link_ui.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_wait_dlg.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include <algorithm>

CWaitDlg::CWaitDlg(QWidget* parent) : CDialog(0, parent), ui_(std::make_unique<Ui::CWaitDlg>())
{
    ui_->setupUi(this);
}

CWaitDlg::~CWaitDlg()
{
    if (wait_ != nullptr)
        wait_->SetFinishedNotice({});
}

int CWaitDlg::Run(CWaitContext& wait)
{
    wait_ = &wait;
    stopRequested_ = false;
    if (QWidget* stop = GetDlgItem(IDCANCEL))
        stop->setEnabled(true);
    const int result = DoModal();
    wait_ = nullptr;
    return result;
}

bool CWaitDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    setWindowTitle(QString::fromStdString(GetAppTitle(AppSettings())));
    // The waiting text is shown on two lines, split at its first line break.
    const QString text = LoadQString(kStrInCommunicatingWithServer);
    const qsizetype lineBreak = text.indexOf(QLatin1Char('\n'));
    if (auto* first = GetDlgItemAs<QLabel>(kFirstTextId))
        first->setText(lineBreak < 0 ? text : text.left(lineBreak));
    if (auto* second = GetDlgItemAs<QLabel>(kSecondTextId))
        second->setText(lineBreak < 0 ? QString() : text.mid(lineBreak + 1));
    if (auto* progress = GetDlgItemAs<QProgressBar>(kProgressId)) {
        progress->setRange(0, static_cast<int>(std::min<uint32_t>(wait_->TimeoutMs(), 0x7FFFFFFF)));
        progress->setValue(0);
    }
    SetTimer(kElapsedTimer, kElapsedMs);
    wait_->SetFinishedNotice([this] { PostCall([this] { Poll(); }); });
    Poll();
    return true;
}

void CWaitDlg::OnTimer(int id)
{
    if (id == kElapsedTimer)
        Poll();
}

void CWaitDlg::OnDestroy()
{
    if (wait_ != nullptr)
        wait_->SetFinishedNotice({});
    CDialog::OnDestroy();
}

void CWaitDlg::Poll()
{
    if (wait_ == nullptr || wait_->IsFinished()) {
        KillTimer(kElapsedTimer);
        EndDialog(stopRequested_ ? IDCANCEL : IDOK);
        return;
    }
    const uint32_t elapsed = wait_->ElapsedMs();
    if (auto* label = GetDlgItemAs<QLabel>(kElapsedId))
        label->setText(QString::number(elapsed / 1000.0, 'f', 3));
    if (auto* progress = GetDlgItemAs<QProgressBar>(kProgressId))
        progress->setValue(static_cast<int>(std::min<uint32_t>(elapsed, static_cast<uint32_t>(progress->maximum()))));
}

void CWaitDlg::OnCancel()
{
    if (!stopRequested_) {
        stopRequested_ = true;
        if (QWidget* stop = GetDlgItem(IDCANCEL))
            stop->setEnabled(false);
        wait_->Stop();
    }
    Poll();
}
