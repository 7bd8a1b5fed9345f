#include "platform/notify_codes.h"
#include "platform/scripted_runners.h"
#include "tests/platform/qt_test_app.h"

#include <QAction>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

struct ButtonRow {
    unsigned type;
    QList<int> buttons;
    int defaultResult;
};

TEST(MessageBoxTypes, ButtonSetsAndDefaultButtons)
{
    const ButtonRow rows[] = {
        {MB_OK, {IDOK}, IDOK},
        {MB_OKCANCEL, {IDOK, IDCANCEL}, IDOK},
        {MB_OKCANCEL | MB_DEFBUTTON2, {IDOK, IDCANCEL}, IDCANCEL},
        {MB_ABORTRETRYIGNORE | MB_DEFBUTTON3, {IDABORT, IDRETRY, IDIGNORE}, IDIGNORE},
        {MB_YESNOCANCEL | MB_ICONQUESTION, {IDYES, IDNO, IDCANCEL}, IDYES},
        {MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2, {IDYES, IDNO}, IDNO},
        {MB_RETRYCANCEL, {IDRETRY, IDCANCEL}, IDRETRY},
        {MB_OK | MB_DEFBUTTON3, {IDOK}, IDOK}, // a default beyond the set falls back to the first
        {0xE, {IDOK}, IDOK},                   // an unknown set is a plain OK box
    };
    for (const ButtonRow& row : rows) {
        EXPECT_EQ(MessageBoxButtons(row.type), row.buttons) << std::hex << row.type;
        EXPECT_EQ(DefaultMessageBoxResult(row.type), row.defaultResult) << std::hex << row.type;
    }
}

TEST(DefaultMessageBox, PressedButtonsGiveTheirResults)
{
    auto press = [](const QString& buttonText) {
        QTimer::singleShot(0, [buttonText] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            for (QAbstractButton* button : box->buttons()) {
                if (button->text().remove(u'&') == buttonText)
                    button->click();
            }
        });
    };
    press(QStringLiteral("No"));
    EXPECT_EQ(
        RunMessageBox({.text = QStringLiteral("Delete?"), .caption = QStringLiteral("Tarvik"), .type = MB_YESNOCANCEL}),
        IDNO);
    press(QStringLiteral("Retry"));
    EXPECT_EQ(RunMessageBox({.text = QStringLiteral("Failed"), .type = MB_ABORTRETRYIGNORE | MB_ICONHAND}), IDRETRY);

    QTimer::singleShot(0, [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape); });
    EXPECT_EQ(RunMessageBox({.text = QStringLiteral("Go on?"), .type = MB_OKCANCEL}), IDCANCEL);
}

TEST(ModalRunners, DefaultRunsTheDialogsOwnLoopAndScriptsNest)
{
    QDialog dialog;
    QTimer::singleShot(0, &dialog, [&] { dialog.done(5); });
    EXPECT_EQ(CurrentModalRunner().RunModal(dialog), 5);

    ScriptedModalRunner outer;
    {
        ScriptedModalRunner inner;
        inner.PushResult(IDOK);
        EXPECT_EQ(CurrentModalRunner().RunModal(dialog), IDOK);
        EXPECT_EQ(inner.Runs().size(), 1);
    }
    EXPECT_EQ(&CurrentModalRunner(), &outer);
    EXPECT_EQ(CurrentModalRunner().RunModal(dialog), IDCANCEL); // no script: cancelled
    EXPECT_FALSE(dialog.isVisible());
}

QAction* AddCommand(QMenu& menu, const QString& text, int id, bool enabled = true)
{
    QAction* action = menu.addAction(text);
    action->setData(id);
    action->setEnabled(enabled);
    return action;
}

TEST(PopupMenus, DefaultRunnerReturnsTheChosenCommand)
{
    QMenu menu;
    AddCommand(menu, QStringLiteral("Show"), 1291);
    QAction* modify = AddCommand(menu, QStringLiteral("Modify"), 1150);
    QTimer::singleShot(0, &menu, [&] {
        menu.setActiveAction(modify);
        QTest::keyClick(&menu, Qt::Key_Return);
    });
    EXPECT_EQ(TrackPopupMenu(menu, QPoint(10, 10)), 1150);
}

} // namespace
