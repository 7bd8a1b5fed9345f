// The main frame as the operator sees it at 1280 x 800, with the sample icons: saved as main_frame_screenshot.png in
// the folder the test runs in (the build folder), and checked for its bars, panes and icons.

#include "tests/ui/shell/frame/main_frame_test_support.h"

#include "ui/shell/frame/location_indicator_dlg.h"
#include "ui/shell/frame/main_frame.h"

#include <QApplication>
#include <QDirIterator>
#include <QPainter>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace frame_test;

namespace {

// The sample icons as a working folder holds them: ".\Icon\toolbar\...", ".\Icon\list\...".
void CopyIcons(const ScopedWorkDir& work)
{
    const QDir source(QString::fromStdString(kResources + "/icons"));
    QDirIterator it(source.path(), {QStringLiteral("*.png")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = QString::fromStdString(work.Path("Icon/")) + source.relativeFilePath(file);
        QDir().mkpath(QFileInfo(target).path());
        QFile::copy(file, target);
    }
}

TEST(MainFrameScreenshotTest, ServerModeFrameAt1280x800)
{
    const QString buildFolder = QDir::currentPath();
    const std::string icons = ReadText(kResources + "/icons/icons.ini");
    ScopedModels models;
    ScopedWorkDir work(icons + "\n[SYSTEM]\nLOCINDICATOR=1\n");
    CopyIcons(work);
    AppSettings().flash.level = 2;
    AppSettings().beep.level = 3;
    AppSettings().serverIp = {127, 0, 0, 1};
    AddTestNe({.id = 1, .name = "Harbour-DSLAM-01"});

    FakeFrameHost host;
    host.address = "127.0.0.1";
    host.connected = true;
    CMainFrame frame(host);
    frame.setWindowState(Qt::WindowNoState);
    frame.resize(1280, 800);
    frame.show();
    QApplication::processEvents();
    const CEntityIndex port = CEntityIndex::FromLevels(1, 1, 1, 2);
    frame.SetCurrentEntity(1, &port);
    frame.SelectView(4, kSelectFirstTab);
    frame.OnTimer(kFrameTimer);
    frame.UpdateLocationIndicator(24.9384, 60.1699, 100);
    frame.SetCurrentEntity(1, &port);
    QApplication::processEvents();

    // The toolbar takes the icon size of its configuration, its buttons the size around them.
    EXPECT_EQ(frame.ToolbarIconSize(), QSize(24, 24));
    const QList<QToolButton*> buttons = frame.findChildren<QToolButton*>();
    const std::vector<int> toolIds = frame.ToolbarCommandIds();
    ASSERT_FALSE(buttons.isEmpty());
    EXPECT_EQ(std::count_if(buttons.begin(), buttons.end(),
                            [](const QToolButton* button) { return button->size() == QSize(32, 31); }),
              std::count_if(toolIds.begin(), toolIds.end(), [](int id) { return id != 0; }));
    EXPECT_FALSE(frame.VisibleToolbarCommandIds().empty());
    ASSERT_NE(frame.GetLocationIndicator(), nullptr);
    EXPECT_TRUE(frame.GetLocationIndicator()->isVisible());

    // The frame with the Location Indicator where it floats over it.
    QImage shot = frame.grab().toImage().convertToFormat(QImage::Format_RGB32);
    CLocationIndicatorDlg* indicator = frame.GetLocationIndicator();
    {
        // The panel is a window of its own: drawn over the frame with a thin outline in place of its title bar.
        QPainter painter(&shot);
        const QPoint at = frame.mapFromGlobal(indicator->pos());
        painter.drawPixmap(at, indicator->grab());
        painter.setPen(QColor(150, 156, 164));
        painter.drawRect(QRect(at, indicator->size()).adjusted(-1, -1, 0, 0));
    }
    EXPECT_EQ(shot.size(), QSize(1280, 800));
    const QString path = buildFolder + QStringLiteral("/main_frame_screenshot.png");
    EXPECT_TRUE(shot.save(path)) << path.toStdString();
}

} // namespace
