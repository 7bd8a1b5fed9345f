#include "tests/ui/framework/framework_test_support.h"

#include "core/config/app_settings.h"
#include "platform/message_box_runner.h"
#include "platform/scripted_runners.h"
#include "ui/framework/dialogs/dialog_environment.h"
#include "ui/framework/messages/app_message_box_dlg.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <utility>

namespace {

class MessageBoxesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        LoadProgramStrings();
        AppSettings() = CAppSettings{};
    }
    void TearDown() override { EXPECT_FALSE(IsMessageBoxOpen()); }
};

struct ButtonRow {
    int type;
    std::vector<QString> captions; // of the used buttons, left to right
    std::vector<int> results;
    int focused; // index among the used buttons
};

QPushButton* Button(QDialog& box, int id)
{
    return FindControl(&box, id) ? qobject_cast<QPushButton*>(FindControl(&box, id)) : nullptr;
}

// The used buttons of a shown box, left to right.
std::vector<QPushButton*> UsedButtons(QDialog& box)
{
    std::vector<QPushButton*> used;
    for (int id : {CAppMessageBoxDlg::kButton1Id, CAppMessageBoxDlg::kButton2Id, CAppMessageBoxDlg::kButton3Id}) {
        QPushButton* button = Button(box, id);
        if (button && button->isVisible())
            used.push_back(button);
    }
    std::sort(used.begin(), used.end(), [](QPushButton* a, QPushButton* b) { return a->x() < b->x(); });
    return used;
}

class ButtonSets : public MessageBoxesTest, public ::testing::WithParamInterface<ButtonRow> {};

TEST_P(ButtonSets, ShowTheirCaptionsRightAlignedAndAnswerTheirResults)
{
    const ButtonRow& row = GetParam();
    for (size_t press = 0; press < row.results.size(); ++press) {
        ScriptedModalRunner runner;
        runner.Push([&](QDialog& box) {
            const std::vector<QPushButton*> used = UsedButtons(box);
            EXPECT_EQ(used.size(), row.captions.size());
            for (size_t i = 0; i < used.size() && i < row.captions.size(); ++i)
                EXPECT_EQ(used[i]->text(), row.captions[i]);
            // Right-aligned: the last used button sits where button 1056 was drawn.
            if (!used.empty()) {
                EXPECT_EQ(used.back()->geometry().right(), 347);
            }
            if (static_cast<size_t>(row.focused) < used.size()) {
                EXPECT_TRUE(used[static_cast<size_t>(row.focused)]->isDefault());
            }
            EXPECT_TRUE(IsMessageBoxOpen());
            if (press < used.size())
                used[press]->click();
            return -99;
        });
        EXPECT_EQ(ShowMessageText(QStringLiteral("Question"), row.type), row.results[press]) << row.type;
    }
    // Escape and the close box end every box with Cancel's result, whether or not it has a Cancel button.
    const std::vector<std::pair<const char*, std::function<void(QDialog&)>>> ends{
        {"escape",
         [](QDialog& box) {
             QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
             QApplication::sendEvent(&box, &escape);
         }},
        {"close box", [](QDialog& box) { box.close(); }}};
    for (const auto& [how, end] : ends) {
        ScriptedModalRunner runner;
        runner.Push([&end](QDialog& box) {
            end(box);
            return -99;
        });
        EXPECT_EQ(ShowMessageText(QStringLiteral("Question"), row.type), IDCANCEL) << row.type << " " << how;
        EXPECT_FALSE(IsMessageBoxOpen());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Types, ButtonSets,
    ::testing::Values(ButtonRow{0, {"&OK"}, {IDOK}, 0}, ButtonRow{1, {"&OK", "&Cancel"}, {IDOK, IDCANCEL}, 0},
                      ButtonRow{2, {"&Abort", "&Retry", "&Ignore"}, {IDABORT, IDRETRY, IDIGNORE}, 0},
                      ButtonRow{3, {"&Yes", "&No", "&Cancel"}, {IDYES, IDNO, IDCANCEL}, 0},
                      ButtonRow{4, {"&Yes", "&No"}, {IDYES, IDNO}, 0},
                      ButtonRow{5, {"&Retry", "&Cancel"}, {IDRETRY, IDCANCEL}, 0}, ButtonRow{6, {"&OK"}, {IDOK}, 0},
                      ButtonRow{15, {"&OK"}, {IDOK}, 0}, ButtonRow{0x134, {"&Yes", "&No"}, {IDYES, IDNO}, 1},
                      ButtonRow{0x203, {"&Yes", "&No", "&Cancel"}, {IDYES, IDNO, IDCANCEL}, 2},
                      ButtonRow{0x204, {"&Yes", "&No"}, {IDYES, IDNO}, 0}, ButtonRow{-1, {"&OK"}, {IDOK}, 0},
                      // 0x300 names neither the second nor the third button; 0x100 names a button not used.
                      ButtonRow{0x303, {"&Yes", "&No", "&Cancel"}, {IDYES, IDNO, IDCANCEL}, 0},
                      ButtonRow{0x100, {"&OK"}, {IDOK}, 0}));

TEST_F(MessageBoxesTest, TextFieldsLineBreaksAndTitle)
{
    AppSettings().appName = "Operator";
    ScriptedModalRunner runner;
    runner.Push([](QDialog& box) {
        auto* first = qobject_cast<QPlainTextEdit*>(FindControl(&box, CAppMessageBoxDlg::kFirstEditId));
        auto* second = qobject_cast<QPlainTextEdit*>(FindControl(&box, CAppMessageBoxDlg::kSecondEditId));
        EXPECT_TRUE(first->isVisible());
        EXPECT_FALSE(second->isVisible());
        EXPECT_EQ(first->document()->blockCount(), 2);
        EXPECT_EQ(first->toPlainText(), QStringLiteral("first line\nsecond line"));
        EXPECT_EQ(box.windowTitle(), QStringLiteral("Operator"));
        return IDOK;
    });
    runner.Push([](QDialog& box) {
        auto* second = qobject_cast<QPlainTextEdit*>(FindControl(&box, CAppMessageBoxDlg::kSecondEditId));
        EXPECT_TRUE(second->isVisible());
        EXPECT_FALSE(FindControl(&box, CAppMessageBoxDlg::kFirstEditId)->isVisible());
        EXPECT_EQ(second->toPlainText(), QStringLiteral("plain"));
        return IDOK;
    });
    ShowAppMessage(QStringLiteral("first line\r\nsecond line"), 0);
    ShowAppMessage(QStringLiteral("plain"), -1);
    EXPECT_EQ(CAppMessageBoxDlg::ToBoxText(QStringLiteral("a\nb\rc")), QStringLiteral("a\r\nbc"));
}

// The box keeps 1023 characters of its text and 127 of its title, and its icon area is 31 pixels square.
TEST_F(MessageBoxesTest, TextTitleAndIconKeepTheirSizes)
{
    AppSettings().appName = std::string(128, 'T');
    ScriptedModalRunner runner;
    for (const auto& [length, kept] : {std::pair{1023, 1023}, std::pair{1024, 1023}}) {
        runner.Push([&, kept = kept](QDialog& box) {
            auto* first = qobject_cast<QPlainTextEdit*>(FindControl(&box, CAppMessageBoxDlg::kFirstEditId));
            EXPECT_EQ(first->toPlainText().size(), kept);
            EXPECT_EQ(box.windowTitle(), QString(127, QLatin1Char('T')));
            EXPECT_EQ(FindControl(&box, CAppMessageBoxDlg::kIconControlId)->size(), QSize(31, 31));
            return IDOK;
        });
        ShowAppMessage(QString(length, QLatin1Char('x')), 0);
    }
}

// The PVC rule check's report: four lines, the first of them long.
const char* const kFourLines = "Error  1: Static-IP is invalid, reserved or conflicts with the following PVCs:\n"
                               "               Total conflict PVCs: 1\n"
                               "               line port 1-5, PVC 0/36\n";

TEST_F(MessageBoxesTest, AFourLineTextMakesTheBoxGrowInsteadOfScrolling)
{
    for (int type : {0, -1}) {
        ScriptedModalRunner runner;
        runner.Push([&](QDialog& box) {
            box.show();
            QCoreApplication::processEvents();
            const int id = type < 0 ? CAppMessageBoxDlg::kSecondEditId : CAppMessageBoxDlg::kFirstEditId;
            auto* edit = qobject_cast<QPlainTextEdit*>(FindControl(&box, id));
            EXPECT_TRUE(edit->isVisible());
            EXPECT_EQ(edit->verticalScrollBar()->maximum(), 0) << "type " << type;
            EXPECT_EQ(edit->horizontalScrollBar()->maximum(), 0) << "type " << type;
            // Each line of the text is one line on the box: none is wrapped.
            EXPECT_EQ(edit->document()->lineCount(), edit->document()->blockCount()) << "type " << type;
            const QRect buttons = Button(box, CAppMessageBoxDlg::kButton3Id)->geometry();
            EXPECT_GT(buttons.top(), edit->geometry().bottom()) << "the buttons stay below the text";
            EXPECT_LE(buttons.right(), box.width());
            return IDOK;
        });
        ShowAppMessage(QString::fromLatin1(kFourLines), type);
        EXPECT_EQ(runner.Runs().size(), 1);
    }
}

TEST_F(MessageBoxesTest, AYesNoBoxShowsTheWarningIconAndAnOkBoxTheInformationIcon)
{
    const auto iconShown = [](QDialog& box) {
        box.show();
        QCoreApplication::processEvents();
        const QWidget* area = FindControl(&box, CAppMessageBoxDlg::kIconControlId);
        return box.grab(QRect(area->mapTo(&box, QPoint(0, 0)), QSize(32, 32))).toImage();
    };
    const auto drawn = [](QDialog& box, QStyle::StandardPixmap which) {
        QImage picture(32, 32, QImage::Format_ARGB32_Premultiplied);
        picture.fill(box.palette().color(QPalette::Window));
        QPainter painter(&picture);
        painter.drawPixmap(0, 0, QApplication::style()->standardIcon(which).pixmap(32, 32));
        return picture;
    };
    struct Row {
        int type;
        QStyle::StandardPixmap icon;
    };
    for (const Row& row : {Row{0x134, QStyle::SP_MessageBoxWarning}, Row{MB_YESNOCANCEL, QStyle::SP_MessageBoxWarning},
                           Row{MB_OK, QStyle::SP_MessageBoxInformation}, Row{-1, QStyle::SP_MessageBoxInformation}}) {
        ScriptedModalRunner runner;
        runner.Push([&](QDialog& box) {
            const QImage shown = iconShown(box).convertToFormat(QImage::Format_ARGB32_Premultiplied);
            EXPECT_EQ(shown, drawn(box, row.icon)) << "type " << row.type;
            return IDOK;
        });
        ShowAppMessage(QStringLiteral("Delete it?"), row.type);
        EXPECT_EQ(runner.Runs().size(), 1);
    }
}

TEST_F(MessageBoxesTest, StatusMessageWithoutADialogOpensTheBoxWithOk)
{
    ScriptedModalRunner runner;
    runner.Push([](QDialog& box) {
        EXPECT_EQ(UsedButtons(box).size(), 1u);
        EXPECT_EQ(UsedButtons(box).front()->text(), QStringLiteral("&OK"));
        return IDOK;
    });
    EXPECT_EQ(ShowStatusMessageById(kStrUnknownNe), 1);
    EXPECT_EQ(runner.Runs().size(), 1);
}

TEST_F(MessageBoxesTest, StatusMessageGoesToTheCurrentDialogOnceShown)
{
    ScriptedModalRunner runner;
    CTestDlg dialog;
    // The data load runs once the window is on screen: its text goes to the dialog's own line, not into a box.
    dialog.onInitData = [](CTestDlg&) { ShowStatusMessage(QStringLiteral("Loaded")); };
    runner.Push([&](QDialog&) {
        EXPECT_TRUE(PumpUntil([&] { return dialog.IsFirstShowDone(); }));
        EXPECT_EQ(dialog.GetMessageText(), QStringLiteral("Loaded"));
        EXPECT_TRUE(PumpUntil([&] { return dialog.IsFirstShowDone(); }));
        dialog.ShowAlertText(QStringLiteral("old"));
        const COLORREF color = dialog.GetMessageTextColor();
        ShowStatusMessage(QStringLiteral("Done"));
        EXPECT_EQ(dialog.GetMessageText(), QStringLiteral("Done"));
        EXPECT_EQ(dialog.GetMessageTextColor(), color);
        return IDOK;
    });
    dialog.DoModal();
    EXPECT_EQ(runner.Runs().size(), 1);
}

TEST_F(MessageBoxesTest, BoxClearsTheLineAndFramesBelowButLeavesThatDialogCurrent)
{
    ScriptedModalRunner runner;
    CTestDlg dialog;
    runner.Push([&](QDialog&) {
        EXPECT_TRUE(PumpUntil([&] { return dialog.IsFirstShowDone(); }));
        dialog.ShowAlertText(QStringLiteral("Bad value"), kEdit1);
        EXPECT_EQ(ShowMessageText(QStringLiteral("Save anyway?"), 0x134), IDYES);
        EXPECT_EQ(dialog.GetMessageText(), QStringLiteral("Sent"));
        EXPECT_EQ(dialog.GetMarkedControl(1), 0);
        return IDOK;
    });
    runner.Push([&](QDialog&) {
        EXPECT_EQ(dialog.GetMessageText(), QString());
        EXPECT_EQ(dialog.GetMarkedControl(1), 0);
        // The box is not the current dialog: a status text sent meanwhile is shown in the dialog below.
        EXPECT_EQ(GetCurrentDialog(), &dialog);
        ShowStatusMessage(QStringLiteral("Sent"));
        EXPECT_EQ(dialog.GetMessageText(), QStringLiteral("Sent"));
        return IDYES;
    });
    dialog.DoModal();
}

TEST_F(MessageBoxesTest, OpenFlagIsClearedWhenAnInnerBoxReturns)
{
    ScriptedModalRunner runner;
    bool openInInner = false;
    bool openAfterInner = true;
    runner.Push([&](QDialog&) {
        ShowAppMessage(QStringLiteral("inner"), 0);
        openAfterInner = IsMessageBoxOpen();
        return IDOK;
    });
    runner.Push([&](QDialog&) {
        openInInner = IsMessageBoxOpen();
        return IDOK;
    });
    ShowAppMessage(QStringLiteral("outer"), 0);
    EXPECT_TRUE(openInInner);
    // Nesting is not counted.
    EXPECT_FALSE(openAfterInner);
    EXPECT_FALSE(IsMessageBoxOpen());
}

TEST_F(MessageBoxesTest, BusyWhileABoxIsOpenOrTheApplicationIsBusy)
{
    EXPECT_FALSE(IsUiBusy());
    SetAppBusy(true);
    EXPECT_TRUE(IsUiBusy());
    SetAppBusy(false);
    ScriptedMessageBoxes boxes;
    boxes.PushAnswer(IDRETRY);
    EXPECT_EQ(PlainMessageBoxById(kStrInternalError, 5), IDRETRY);
    EXPECT_EQ(boxes.Requests().size(), 1u);
    EXPECT_EQ(ShowPlainMessage(QStringLiteral("x")), IDOK);
}

} // namespace
