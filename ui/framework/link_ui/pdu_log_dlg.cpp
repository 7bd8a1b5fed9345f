#include "ui/framework/link_ui/pdu_log_dlg.h"

#include "ui_pdu_log_dlg.h"

#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QScrollBar>

CPduLogDlg::CPduLogDlg(QWidget* parent) : CDialog(kTemplateId, parent), ui_(std::make_unique<Ui::CPduLogDlg>())
{
    ui_->setupUi(this);
    if (QPlainTextEdit* log = LogText()) {
        log->setMaximumBlockCount(kMaxLines);
        log->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    }
}

CPduLogDlg::~CPduLogDlg() = default;

QPlainTextEdit* CPduLogDlg::LogText() const
{
    return GetDlgItemAs<QPlainTextEdit>(kLogTextId);
}

void CPduLogDlg::AppendLines(const std::vector<std::string>& lines)
{
    if (lines.empty())
        return;
    for (const std::string& line : lines)
        lines_.push_back(QString::fromStdString(line));
    while (lines_.size() > static_cast<size_t>(kMaxLines))
        lines_.pop_front();

    QPlainTextEdit* log = LogText();
    if (log == nullptr || !isVisible()) {
        textCurrent_ = false;
        return;
    }
    if (!textCurrent_ || lines.size() >= static_cast<size_t>(kMaxLines)) {
        ShowBuffer();
        return;
    }
    // The view follows the newest line unless the operator has scrolled back.
    QScrollBar* bar = log->verticalScrollBar();
    const bool atEnd = bar->value() == bar->maximum();
    QStringList added;
    added.reserve(static_cast<qsizetype>(lines.size()));
    for (auto it = lines_.end() - static_cast<std::ptrdiff_t>(lines.size()); it != lines_.end(); ++it)
        added.push_back(*it);
    log->appendPlainText(added.join(QLatin1Char('\n')));
    if (atEnd)
        bar->setValue(bar->maximum());
}

void CPduLogDlg::ShowBuffer()
{
    QPlainTextEdit* log = LogText();
    if (log == nullptr)
        return;
    const QStringList all(lines_.begin(), lines_.end());
    log->setPlainText(all.join(QLatin1Char('\n')));
    log->verticalScrollBar()->setValue(log->verticalScrollBar()->maximum());
    textCurrent_ = true;
}

void CPduLogDlg::showEvent(QShowEvent* event)
{
    CDialog::showEvent(event);
    if (!textCurrent_)
        ShowBuffer();
}

void CPduLogDlg::ClearLog()
{
    lines_.clear();
    if (QPlainTextEdit* log = LogText())
        log->clear();
    textCurrent_ = true;
}

QStringList CPduLogDlg::Lines() const
{
    return {lines_.begin(), lines_.end()};
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
