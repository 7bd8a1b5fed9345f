#include "ui/framework/pdu_log_dlg.h"

#include "ui_pdu_log_dlg.h"

#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QScrollBar>

CPduLogDlg::CPduLogDlg(QWidget* parent) : CDialog(kTemplateId, parent), ui_(std::make_unique<Ui::CPduLogDlg>())
{
    ui_->setupUi(this);
    if (auto* log = GetDlgItemAs<QPlainTextEdit>(kLogTextId)) {
        log->setMaximumBlockCount(kMaxLines);
        log->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    }
}

CPduLogDlg::~CPduLogDlg() = default;

void CPduLogDlg::AppendLines(const std::vector<std::string>& lines)
{
    auto* log = GetDlgItemAs<QPlainTextEdit>(kLogTextId);
    if (log == nullptr || lines.empty())
        return;
    QScrollBar* bar = log->verticalScrollBar();
    const bool atEnd = bar->value() == bar->maximum();
    for (const std::string& line : lines)
        log->appendPlainText(QString::fromStdString(line));
    if (atEnd)
        bar->setValue(bar->maximum());
}

void CPduLogDlg::ClearLog()
{
    if (auto* log = GetDlgItemAs<QPlainTextEdit>(kLogTextId))
        log->clear();
}

QStringList CPduLogDlg::Lines() const
{
    const auto* log = GetDlgItemAs<QPlainTextEdit>(kLogTextId);
    if (log == nullptr || log->document()->isEmpty())
        return {};
    return log->toPlainText().split(QLatin1Char('\n'));
}

bool CPduLogDlg::OnCommand(int id, int code)
{
    if (id == kClearButtonId && code == BN_CLICKED) {
        ClearLog();
        return true;
    }
    return CDialog::OnCommand(id, code);
}

void CPduLogDlg::OnCancel()
{
    hide();
}
