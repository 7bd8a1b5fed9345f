#include "tests/e2e/support/operator_actions.h"

#include "platform/control_id.h"
#include "platform/dialog.h"
#include "platform/ip_address_edit.h"
#include "platform/list_control.h"
#include "ui/framework/dialogs/ca_dialog.h"
#include "ui/framework/messages/app_message_box_dlg.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QRegion>
#include <QTest>
#include <QTextEdit>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace e2e {

namespace {

// "<dialog> control <id>: <what>", for a failure.
std::string Fault(const CDialog& dialog, int id, const std::string& what)
{
    return DescribeWindow(dialog).toStdString() + " control " + std::to_string(id) + ": " + what;
}

// The control as the kind the action takes; a failure naming the dialog and the id when it is of another kind (a
// missing one the dialog's lookup has reported already).
template <class T> T* ControlAs(CDialog& dialog, int id, const char* kind)
{
    QWidget* control = dialog.GetDlgItem(id);
    auto* typed = qobject_cast<T*>(control);
    if (control != nullptr && typed == nullptr)
        ADD_FAILURE() << Fault(dialog, id, std::string("a ") + control->metaObject()->className() + ", not a " + kind);
    return typed;
}

// Where typing goes: the edit itself, or the edit of an editable combo; null (and a failure) for any other control.
QWidget* TypingTarget(CDialog& dialog, int id)
{
    QWidget* control = dialog.GetDlgItem(id);
    if (control == nullptr)
        return nullptr;
    if (auto* combo = qobject_cast<QComboBox*>(control); combo != nullptr && combo->lineEdit() != nullptr)
        return combo->lineEdit();
    if (qobject_cast<QLineEdit*>(control) || qobject_cast<QPlainTextEdit*>(control) ||
        qobject_cast<QTextEdit*>(control) || qobject_cast<QAbstractSpinBox*>(control))
        return control;
    ADD_FAILURE() << Fault(dialog, id, std::string("a ") + control->metaObject()->className() + ", not an edit");
    return nullptr;
}

bool IsReadOnly(const QWidget& control)
{
    if (const auto* line = qobject_cast<const QLineEdit*>(&control))
        return line->isReadOnly();
    if (const auto* plain = qobject_cast<const QPlainTextEdit*>(&control))
        return plain->isReadOnly();
    if (const auto* rich = qobject_cast<const QTextEdit*>(&control))
        return rich->isReadOnly();
    if (const auto* spin = qobject_cast<const QAbstractSpinBox*>(&control))
        return spin->isReadOnly();
    return false;
}

void PressKey(QWidget& widget, Qt::Key key, const QString& text = {}, Qt::KeyboardModifiers modifiers = {})
{
    QTest::sendKeyEvent(QTest::Click, &widget, key, text, modifiers);
}

// A key for each character, with the character as its text (line breaks as Return).
void TypeText(QWidget& widget, const QString& text)
{
    for (const QChar character : text) {
        if (character == QLatin1Char('\n'))
            PressKey(widget, Qt::Key_Return, QStringLiteral("\r"));
        else if (character.unicode() < 0x80)
            PressKey(widget, QTest::asciiToKey(static_cast<char>(character.unicode())), QString(character));
        else
            PressKey(widget, Qt::Key_unknown, QString(character));
    }
}

} // namespace

void Click(CDialog& dialog, int id)
{
    if (auto* button = ControlAs<QAbstractButton>(dialog, id, "button"))
        button->click();
}

// The four number fields of an IP address control, in their order.
QList<QLineEdit*> AddressFields(IpAddressEdit& address)
{
    return address.findChildren<QLineEdit*>(Qt::FindDirectChildrenOnly);
}

void Type(CDialog& dialog, int id, const QString& text)
{
    if (auto* address = qobject_cast<IpAddressEdit*>(dialog.GetDlgItem(id))) {
        if (!address->isEnabled() || !address->isVisible() || address->IsReadOnly()) {
            ADD_FAILURE() << Fault(dialog, id, "disabled, hidden or read-only: it takes no typing");
            return;
        }
        // Each number into its field, as the operator moves from one to the next; an empty text blanks them all.
        const QStringList parts = text.split(QLatin1Char('.'));
        const QList<QLineEdit*> fields = AddressFields(*address);
        for (int i = 0; i < fields.size(); ++i) {
            PressKey(*fields[i], Qt::Key_A, QStringLiteral("a"), Qt::ControlModifier);
            PressKey(*fields[i], Qt::Key_Backspace);
            if (i < parts.size())
                TypeText(*fields[i], parts[i]);
        }
        return;
    }
    QWidget* target = TypingTarget(dialog, id);
    if (target == nullptr)
        return;
    if (!target->isEnabled() || !target->isVisible() || IsReadOnly(*target)) {
        ADD_FAILURE() << Fault(dialog, id, "disabled, hidden or read-only: it takes no typing");
        return;
    }
    PressKey(*target, Qt::Key_A, QStringLiteral("a"), Qt::ControlModifier);
    PressKey(*target, Qt::Key_Backspace);
    TypeText(*target, text);
}

bool Choose(CDialog& dialog, int id, const QString& text)
{
    auto* combo = ControlAs<QComboBox>(dialog, id, "combo box");
    if (combo == nullptr)
        return false;
    if (!combo->isEnabled() || !combo->isVisible()) {
        ADD_FAILURE() << Fault(dialog, id, "disabled or hidden: nothing can be chosen");
        return false;
    }
    const int wanted = combo->findText(text, Qt::MatchExactly);
    const std::string entry = "the entry \"" + text.toStdString() + "\"";
    if (wanted < 0) {
        ADD_FAILURE() << Fault(dialog, id, entry + " is not offered");
        return false;
    }
    if (!combo->model()->index(wanted, combo->modelColumn()).flags().testFlag(Qt::ItemIsEnabled)) {
        ADD_FAILURE() << Fault(dialog, id, entry + " is disabled");
        return false;
    }
    // Home goes to the first entry a person can choose, each Down to the next one.
    PressKey(*combo, Qt::Key_Home);
    for (int step = 0; combo->currentIndex() < wanted && step < combo->count(); ++step)
        PressKey(*combo, Qt::Key_Down);
    return combo->currentIndex() == wanted;
}

void Check(CDialog& dialog, int id, bool on)
{
    auto* button = ControlAs<QAbstractButton>(dialog, id, "check box");
    if (button == nullptr)
        return;
    if (!button->isCheckable()) {
        ADD_FAILURE() << Fault(dialog, id, "a button that takes no tick");
        return;
    }
    if (button->isChecked() != on)
        button->click();
}

bool IsChecked(CDialog& dialog, int id)
{
    const auto* button = ControlAs<QAbstractButton>(dialog, id, "check box");
    return button != nullptr && button->isChecked();
}

QString Field(CDialog& dialog, int id)
{
    QWidget* control = dialog.GetDlgItem(id);
    if (auto* address = qobject_cast<IpAddressEdit*>(control)) {
        QStringList parts;
        for (const QLineEdit* field : AddressFields(*address))
            parts.push_back(field->text());
        return address->IsBlank() ? QString() : parts.join(QLatin1Char('.'));
    }
    if (const auto* combo = qobject_cast<QComboBox*>(control))
        return combo->currentText();
    if (const auto* line = qobject_cast<QLineEdit*>(control))
        return line->text();
    if (const auto* plain = qobject_cast<QPlainTextEdit*>(control))
        return plain->toPlainText();
    if (const auto* rich = qobject_cast<QTextEdit*>(control))
        return rich->toPlainText();
    if (const auto* spin = qobject_cast<QAbstractSpinBox*>(control))
        return spin->text();
    if (const auto* label = qobject_cast<QLabel*>(control))
        return label->text();
    if (const auto* button = qobject_cast<QAbstractButton*>(control))
        return button->text();
    if (control != nullptr)
        ADD_FAILURE() << Fault(dialog, id, std::string("a ") + control->metaObject()->className() + " shows no text");
    return {};
}

QString ComboTexts(CDialog& dialog, int id)
{
    QStringList texts;
    if (const auto* combo = ControlAs<QComboBox>(dialog, id, "combo box")) {
        for (int i = 0; i < combo->count(); ++i)
            texts.push_back(combo->itemText(i));
    }
    return texts.join(QLatin1Char(','));
}

QString MessageLine(const CADialog& dialog)
{
    return dialog.GetMessageText();
}

bool ShowsWhole(const QWidget& widget)
{
    return widget.isVisible() && widget.visibleRegion() == QRegion(widget.rect());
}

bool ClickTreeItem(CDialog& dialog, int id, const QString& text)
{
    auto* tree = ControlAs<QTreeWidget>(dialog, id, "tree");
    if (tree == nullptr)
        return false;
    const QList<QTreeWidgetItem*> found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    if (found.isEmpty())
        return false;
    tree->scrollToItem(found.front());
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(found.front()).center());
    return tree->currentItem() == found.front();
}

QStringList ListColumn(const QTreeView& list, int column)
{
    const CListControl rows(const_cast<QTreeView*>(&list));
    QStringList texts;
    for (int row = 0; row < rows.GetItemCount(); ++row)
        texts.push_back(rows.GetItemText(row, column));
    return texts;
}

QStringList ListColumn(CADialog& dialog, int column)
{
    return ListColumn(*dialog.FindList(kListControlId), column);
}

QStringList ListTitles(const QTreeView& list)
{
    QStringList titles;
    if (list.model() == nullptr)
        return titles;
    for (int column = 0; column < list.model()->columnCount(); ++column)
        titles.push_back(list.model()->headerData(column, Qt::Horizontal).toString());
    return titles;
}

int RowOf(const QTreeView& list, int column, const QString& text)
{
    return static_cast<int>(ListColumn(list, column).indexOf(text));
}

int CellImage(const QTreeView& list, int row, int column)
{
    const QVariant image = list.model()->index(row, column).data(kListImageRole);
    return image.isValid() ? image.toInt() : -1;
}

void TickRows(QTreeView& list, const QStringList& texts, int column)
{
    QAbstractItemModel& model = *list.model();
    std::vector<int> rows;
    for (int row = 0; row < model.rowCount(); ++row) {
        if (texts.contains(model.index(row, column).data().toString()))
            rows.push_back(row);
    }
    TickRowsAt(list, rows);
}

void TickRowsAt(QTreeView& list, const std::vector<int>& rows)
{
    QAbstractItemModel& model = *list.model();
    for (int row = 0; row < model.rowCount(); ++row) {
        const QModelIndex index = model.index(row, 0);
        const bool wanted = std::find(rows.begin(), rows.end(), row) != rows.end();
        if ((index.data(Qt::CheckStateRole).toInt() == Qt::Checked) == wanted)
            continue;
        list.scrollTo(index);
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualRect(index).center());
        // A list whose row ticks on a click needs no key.
        if ((model.index(row, 0).data(Qt::CheckStateRole).toInt() == Qt::Checked) != wanted)
            PressKey(list, Qt::Key_Space, QStringLiteral(" "));
        if ((model.index(row, 0).data(Qt::CheckStateRole).toInt() == Qt::Checked) != wanted)
            ADD_FAILURE() << "the box of row " << row << " (" << index.data().toString().toStdString()
                          << ") did not change";
    }
}

bool BoxShowsIcon(QDialog& box, QStyle::StandardPixmap which)
{
    QCoreApplication::processEvents();
    const QWidget* area = FindControl(&box, CAppMessageBoxDlg::kIconControlId);
    if (area == nullptr)
        return false;
    const QImage shown = box.grab(QRect(area->mapTo(&box, QPoint(0, 0)), QSize(32, 32)))
                             .toImage()
                             .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage expected(32, 32, QImage::Format_ARGB32_Premultiplied);
    expected.fill(box.palette().color(QPalette::Window));
    QPainter painter(&expected);
    painter.drawPixmap(0, 0, QApplication::style()->standardIcon(which).pixmap(32, 32));
    painter.end();
    return shown == expected;
}

} // namespace e2e

void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
