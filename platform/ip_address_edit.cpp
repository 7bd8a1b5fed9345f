#include "platform/ip_address_edit.h"

#include <QFocusEvent>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

IpAddressEdit::IpAddressEdit(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (int i = 0; i < 4; ++i) {
        auto* field = new QLineEdit(this);
        field->setMaxLength(3);
        field->setAlignment(Qt::AlignCenter);
        field->setValidator(new QIntValidator(0, 999, field));
        field->installEventFilter(this);
        connect(field, &QLineEdit::textEdited, this, [this, i] { OnFieldEdited(i); });
        connect(field, &QLineEdit::textChanged, this, &IpAddressEdit::addressChanged);
        fields_[static_cast<size_t>(i)] = field;
        layout->addWidget(field);
        if (i < 3)
            layout->addWidget(new QLabel(QStringLiteral("."), this));
    }
    setFocusProxy(fields_[0]);
}

bool IpAddressEdit::IsBlank() const
{
    for (int i = 0; i < 4; ++i) {
        if (!IsFieldBlank(i))
            return false;
    }
    return true;
}

bool IpAddressEdit::IsFieldBlank(int field) const
{
    return field < 0 || field > 3 || fields_[static_cast<size_t>(field)]->text().isEmpty();
}

int IpAddressEdit::GetAddress(std::array<uint8_t, 4>& address) const
{
    int filled = 0;
    for (size_t i = 0; i < 4; ++i) {
        const QString text = fields_[i]->text();
        address[i] = static_cast<uint8_t>(std::min(text.toInt(), 255));
        if (!text.isEmpty())
            ++filled;
    }
    return filled;
}

void IpAddressEdit::SetAddress(const std::array<uint8_t, 4>& address)
{
    {
        // One change signal for the whole address.
        QSignalBlocker blockers[] = {QSignalBlocker(fields_[0]), QSignalBlocker(fields_[1]), QSignalBlocker(fields_[2]),
                                     QSignalBlocker(fields_[3])};
        for (size_t i = 0; i < 4; ++i)
            fields_[i]->setText(QString::number(address[i]));
    }
    emit addressChanged();
}

void IpAddressEdit::ClearAddress()
{
    {
        QSignalBlocker blockers[] = {QSignalBlocker(fields_[0]), QSignalBlocker(fields_[1]), QSignalBlocker(fields_[2]),
                                     QSignalBlocker(fields_[3])};
        for (QLineEdit* field : fields_)
            field->clear();
    }
    emit addressChanged();
}

void IpAddressEdit::SetReadOnly(bool readOnly)
{
    readOnly_ = readOnly;
    for (QLineEdit* field : fields_)
        field->setReadOnly(readOnly);
}

bool IpAddressEdit::IsReadOnly() const
{
    return readOnly_;
}

void IpAddressEdit::OnFieldEdited(int field)
{
    QLineEdit* edit = fields_[static_cast<size_t>(field)];
    if (edit == advancedInto_)
        advancedInto_ = nullptr;
    QString text = edit->text();
    // A digit typed beside a 0 replaces it: "01" reads 1, and the field still takes three digits.
    while (text.size() > 1 && text.front() == QLatin1Char('0'))
        text.remove(0, 1);
    if (text != edit->text())
        edit->setText(text);
    if (text.toInt() > 255)
        edit->setText(QStringLiteral("255"));
    if (text.size() == 3 && field < 3) {
        QLineEdit* next = fields_[static_cast<size_t>(field + 1)];
        next->setFocus();
        next->selectAll();
        advancedInto_ = next;
    }
}

bool IpAddressEdit::eventFilter(QObject* watched, QEvent* event)
{
    // A click that gives a field the focus selects its number, as Tab does: the focus comes before the press, which
    // would put the caret beside the number, and typing would add to it.
    if (event->type() == QEvent::FocusIn) {
        clickedInto_ = static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason
                           ? qobject_cast<QLineEdit*>(watched)
                           : nullptr;
    } else if (event->type() == QEvent::FocusOut && watched == advancedInto_) {
        advancedInto_ = nullptr;
    } else if (event->type() == QEvent::MouseButtonPress && watched == clickedInto_) {
        clickedInto_->selectAll();
        clickedInto_ = nullptr;
        return true;
    }
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    for (int i = 0; i < 4; ++i) {
        QLineEdit* edit = fields_[static_cast<size_t>(i)];
        if (edit != watched)
            continue;
        if (key->text() == QStringLiteral(".") && edit == advancedInto_) {
            advancedInto_ = nullptr;
            return true;
        }
        if (key->text() == QStringLiteral(".") && i < 3) {
            if (!edit->text().isEmpty()) {
                fields_[static_cast<size_t>(i + 1)]->setFocus();
                fields_[static_cast<size_t>(i + 1)]->selectAll();
            }
            return true;
        }
        if (key->key() == Qt::Key_Backspace && edit->text().isEmpty() && i > 0) {
            QLineEdit* previous = fields_[static_cast<size_t>(i - 1)];
            previous->setFocus();
            previous->end(false);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
