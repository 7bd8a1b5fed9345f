#include "platform/file_chooser.h"
#include "platform/notify_codes.h"
#include "platform/scripted_runners.h"
#include "tests/platform/qt_test_app.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

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

// The platform's chooser, answered by a person who types a name and presses Open, then gives up when the chooser
// stays (any box it raises is closed).
TEST(FileChooserRunner, AnOpenChooserTakesANewNameOnlyWhereAllowedAndInAFolderThatExists)
{
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("tarvik-chooser-" + std::to_string(QCoreApplication::applicationPid()));
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "there.cfg") << "x";
    const QString dir = QString::fromStdString(folder.string());
    const struct {
        const char* name;
        bool mayBeNew;
        QString typed;
        bool taken;
    } cases[] = {
        {"a file there", false, dir + "/there.cfg", true},
        {"a new name, not allowed", false, dir + "/new.cfg", false},
        {"a new name, allowed", true, dir + "/new.cfg", true},
        {"a file there, a new one allowed", true, dir + "/there.cfg", true},
        {"a new name in a missing folder", true, dir + "/none/new.cfg", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        int tries = 0;
        QTimer answer;
        answer.setInterval(20);
        QObject::connect(&answer, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                box->reject();
            } else if (auto* chooser = qobject_cast<QFileDialog*>(modal)) {
                if (tries++ == 0) {
                    // Typed into the chooser's name field, as a person does.
                    auto* name = chooser->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                    ASSERT_NE(name, nullptr);
                    name->setCompleter(nullptr);
                    name->setText(c.typed);
                    // Pressing Open, after this tick: a box it raises runs a loop of its own that this timer must reach.
                    QTimer::singleShot(0, chooser, [chooser] { static_cast<QDialog*>(chooser)->accept(); });
                } else {
                    chooser->reject();
                }
            }
        });
        answer.start();
        const std::optional<QString> chosen = ChooseFile({.directory = dir, .filter = "(*.*)", .mayBeNew = c.mayBeNew});
        answer.stop();
        EXPECT_EQ(chosen.has_value(), c.taken);
        if (chosen && c.taken) {
            EXPECT_EQ(QDir::cleanPath(*chosen), QDir::cleanPath(c.typed));
        }
    }
    std::filesystem::remove_all(folder);
}

} // namespace
