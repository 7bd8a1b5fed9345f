// Renders a sample dialog built on the base to a PNG in the build folder, for a person to look at: a list with
// severity-coloured rows, images and a selected row, and the message line with an alert and a red-framed control.
#include "tests/platform/pixel_probe.h"
#include "tests/ui/framework/framework_test_support.h"

#include "core/config/app_settings.h"
#include "core/shape/shape_parser.h"
#include "platform/list_control.h"
#include "platform/scripted_runners.h"
#include "ui/framework/dialogs/dialog_environment.h"
#include "ui/framework/lists/small_images.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

TEST(DialogScreenshot, SampleDialogRendersListMessageLineAndFrame)
{
    LoadProgramStrings();
    AppSettings() = CAppSettings{};
    ShapeRecord mark;
    ASSERT_EQ(ParseShape("RL,@L,@R,@T,@B,0x0000FF,0,2,0,0", mark), 0);
    SetSelectedMarkShape(mark);

    ScriptedModalRunner runner;
    CTestDlg dialog;
    dialog.setWindowTitle(QStringLiteral("Alarm List"));
    dialog.onInitData = [](CTestDlg& self) {
        self.UpdateCaption(kCaptionLocation);
        self.SetSmallImages();
        self.InitListColumns("<Severity|#<Entity|>Count");
        // Rows coloured by their severity in the item data, as the alarm lists do.
        self.SetRowColorMode(kRowColorsByData);
        self.SetRowColors({{1, 0x000000, 0x2020FF},
                           {2, 0x000000, 0x2080FF},
                           {3, 0x000000, 0x20FFFF},
                           {4, 0x000000, 0xFFFFE0},
                           {5, 0x000000, 0xFFFFFF}});
        CListControl list(self.list);
        const char* names[] = {"Critical", "Major", "Minor", "Warning", "Info"};
        for (int severity = 1; severity <= 5; ++severity) {
            const int row = list.InsertItem(list.GetItemCount(), QString::fromLatin1(names[severity - 1]));
            list.SetItemData(row, static_cast<uint32_t>(severity));
            list.SetItemText(row, 1, QStringLiteral("Shelf-1, Slot-%1").arg(severity));
            list.SetItemText(row, 2, QString::number(severity * 7));
            self.SetRowImage(row, kImageSeverityCritical + severity - 1);
        }
        list.SetItemSelected(3, true);
    };
    QImage picture;
    runner.Push([&](QDialog&) {
        EXPECT_TRUE(PumpUntil([&] { return dialog.IsFirstShowDone(); }));
        dialog.edit1->setText(QStringLiteral("300"));
        dialog.ShowAlertText(QStringLiteral("The count must be 1 to 255."), kEdit1);
        QCoreApplication::processEvents();
        picture = dialog.grab().toImage();
        return IDOK;
    });
    dialog.DoModal();
    ClearSelectedMarkShape();
    ASSERT_FALSE(picture.isNull());

    const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/screenshots");
    QDir().mkpath(folder);
    const QString path = folder + QStringLiteral("/framework_sample_dialog.png");
    ASSERT_TRUE(picture.save(path)) << path.toStdString();

    // The frame of the marked edit: three pixels from dark red outside to light red on the edit's edge.
    const QRect edit = dialog.edit1->geometry();
    EXPECT_EQ(PixelOf(picture, edit.center().x(), edit.top() - 2), 0x303080u);
    EXPECT_EQ(PixelOf(picture, edit.center().x(), edit.top()), 0x6060FFu);
    EXPECT_EQ(PixelOf(picture, edit.left(), edit.center().y()), 0x6060FFu);
    // The message line carries the alert colours.
    const QRect line = dialog.MessageLineRect();
    EXPECT_EQ(PixelOf(picture, line.right() - 4, line.center().y()), AppSettings().errMsgBkColor);
    // Rows show their severity colours.
    const QPoint listOrigin = dialog.list->viewport()->mapTo(&dialog, QPoint(0, 0));
    const QRect firstRow = dialog.list->visualRect(dialog.list->model()->index(0, 2));
    EXPECT_EQ(PixelOf(picture, listOrigin.x() + firstRow.left() + 3, listOrigin.y() + firstRow.center().y()),
              0x2020FFu);
}

} // namespace
