#include "platform/data_exchange.h"

#include "platform/dialog.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

void CDataExchange::Fail(int controlId)
{
    failed_ = true;
    if (QWidget* control = dialog_.GetDlgItem(controlId))
        control->setFocus();
}

void DDX_Text(CDataExchange& dx, int id, QString& value)
{
    QWidget* control = dx.Dialog().GetDlgItem(id);
    if (control == nullptr)
        return;
    if (auto* line = qobject_cast<QLineEdit*>(control)) {
        if (dx.IsSaving())
            value = line->text();
        else
            line->setText(value);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(control)) {
        if (dx.IsSaving())
            value = plain->toPlainText();
        else
            plain->setPlainText(value);
    } else if (auto* rich = qobject_cast<QTextEdit*>(control)) {
        if (dx.IsSaving())
            value = rich->toPlainText();
        else
            rich->setPlainText(value);
    } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
        if (dx.IsSaving())
            value = combo->currentText();
        else if (combo->isEditable())
            combo->setEditText(value);
        else
            combo->setCurrentIndex(combo->findText(value));
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
        if (dx.IsSaving())
            value = label->text();
        else
            label->setText(value);
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        if (dx.IsSaving())
            value = button->text();
        else
            button->setText(value);
    }
}

void DDX_Text(CDataExchange& dx, int id, std::string& value)
{
    QString text = QString::fromStdString(value);
    DDX_Text(dx, id, text);
    if (dx.IsSaving())
        value = text.toStdString();
}

void DDX_Check(CDataExchange& dx, int id, int& value)
{
    auto* button = qobject_cast<QAbstractButton*>(dx.Dialog().GetDlgItem(id));
    if (button == nullptr)
        return;
    auto* box = qobject_cast<QCheckBox*>(button);
    if (dx.IsSaving()) {
        if (box && box->checkState() == Qt::PartiallyChecked)
            value = 2;
        else
            value = button->isChecked() ? 1 : 0;
        return;
    }
    if (box && value == 2) {
        box->setTristate(true);
        box->setCheckState(Qt::PartiallyChecked);
    } else {
        button->setChecked(value == 1);
    }
}

void DDX_CBIndex(CDataExchange& dx, int id, int& index)
{
    auto* combo = qobject_cast<QComboBox*>(dx.Dialog().GetDlgItem(id));
    if (combo == nullptr)
        return;
    if (dx.IsSaving())
        index = combo->currentIndex();
    else
        combo->setCurrentIndex(index);
}

void DDX_Radio(CDataExchange& dx, std::initializer_list<int> ids, int& index)
{
    int position = 0;
    if (dx.IsSaving()) {
        index = -1;
        for (int id : ids) {
            const auto* button = qobject_cast<QAbstractButton*>(dx.Dialog().GetDlgItem(id));
            if (button != nullptr && button->isChecked())
                index = position;
            ++position;
        }
        return;
    }
    for (int id : ids) {
        auto* button = qobject_cast<QAbstractButton*>(dx.Dialog().GetDlgItem(id));
        if (button == nullptr) {
            ++position;
            continue;
        }
        // An exclusive group keeps one button checked: it lets go while none is to be.
        QButtonGroup* group = button->group();
        const bool exclusive = group != nullptr && group->exclusive();
        if (exclusive)
            group->setExclusive(false);
        const bool autoExclusive = button->autoExclusive();
        button->setAutoExclusive(false);
        button->setChecked(position == index);
        button->setAutoExclusive(autoExclusive);
        if (exclusive)
            group->setExclusive(true);
        ++position;
    }
}
