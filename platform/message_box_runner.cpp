#include "platform/message_box_runner.h"

#include "platform/notify_codes.h"

#include <QMessageBox>
#include <QPushButton>

#include <map>

QList<int> MessageBoxButtons(unsigned type)
{
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE:
        return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL:
        return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO:
        return {IDYES, IDNO};
    case MB_RETRYCANCEL:
        return {IDRETRY, IDCANCEL};
    default:
        return {IDOK};
    }
}

int DefaultMessageBoxResult(unsigned type)
{
    const QList<int> buttons = MessageBoxButtons(type);
    const qsizetype index = static_cast<qsizetype>((type & MB_DEFMASK) >> 8);
    return index < buttons.size() ? buttons[index] : buttons.front();
}

namespace {

QMessageBox::StandardButton StandardButtonOf(int result)
{
    switch (result) {
    case IDOK:
        return QMessageBox::Ok;
    case IDCANCEL:
        return QMessageBox::Cancel;
    case IDABORT:
        return QMessageBox::Abort;
    case IDRETRY:
        return QMessageBox::Retry;
    case IDIGNORE:
        return QMessageBox::Ignore;
    case IDYES:
        return QMessageBox::Yes;
    case IDNO:
        return QMessageBox::No;
    default:
        return QMessageBox::NoButton;
    }
}

QMessageBox::Icon IconOf(unsigned type)
{
    switch (type & MB_ICONMASK) {
    case MB_ICONHAND:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONEXCLAMATION:
        return QMessageBox::Warning;
    case MB_ICONASTERISK:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

class QtMessageBoxRunner : public MessageBoxRunner {
public:
    int ShowMessageBox(const MessageBoxRequest& request) override
    {
        QMessageBox box(IconOf(request.type), request.caption, request.text, QMessageBox::NoButton, request.parent);
        std::map<QAbstractButton*, int> results;
        const QList<int> buttons = MessageBoxButtons(request.type);
        for (int result : buttons)
            results[box.addButton(StandardButtonOf(result))] = result;
        box.setDefaultButton(
            static_cast<QPushButton*>(box.button(StandardButtonOf(DefaultMessageBoxResult(request.type)))));
        // Escape answers Cancel where the set has it, and OK on a box with OK alone.
        if (buttons.contains(IDCANCEL))
            box.setEscapeButton(box.button(QMessageBox::Cancel));
        else if (buttons.size() == 1)
            box.setEscapeButton(box.button(QMessageBox::Ok));
        box.exec();
        auto found = results.find(box.clickedButton());
        return found != results.end() ? found->second : IDCANCEL;
    }
};

QtMessageBoxRunner defaultRunner;
MessageBoxRunner* installed = nullptr;

} // namespace

MessageBoxRunner& CurrentMessageBoxRunner()
{
    return installed ? *installed : defaultRunner;
}

MessageBoxRunner* SetMessageBoxRunner(MessageBoxRunner* runner)
{
    MessageBoxRunner* previous = installed;
    installed = runner;
    return previous;
}

int RunMessageBox(const MessageBoxRequest& request)
{
    return CurrentMessageBoxRunner().ShowMessageBox(request);
}
