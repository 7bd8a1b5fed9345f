#include "platform/scripted_runners.h"
#include "tests/platform/qt_test_app.h"
#include "ui/framework/skin/skin_dlg.h"
#include "ui/framework/skin/skin_glue.h"

#include <QDir>
#include <QImage>
#include <QPushButton>
#include <QSplashScreen>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Collects the warnings the code under test writes to the log.
class WarningLog {
public:
    WarningLog() : previous_(qInstallMessageHandler(&WarningLog::Handle)) { lines().clear(); }
    ~WarningLog() { qInstallMessageHandler(previous_); }
    static QStringList& lines()
    {
        static QStringList collected;
        return collected;
    }

private:
    static void Handle(QtMsgType type, const QMessageLogContext&, const QString& text)
    {
        if (type == QtWarningMsg)
            lines().append(text);
    }
    QtMessageHandler previous_;
};

TEST(SkinDialog, CreatedHiddenWithoutASkin)
{
    CSkinDlg dlg;
    EXPECT_TRUE(dlg.Create());
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_FALSE(IsSkinLoaded()); // the template's skin control offers no skin here
    EXPECT_FALSE(IsSkinnedWindow(&dlg));
}

class SplashTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("Logo")));
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::darkBlue);
        // The splash file keeps its own name; what it holds is a picture.
        ASSERT_TRUE(picture.save(dir_.filePath(QStringLiteral("Logo/Logo.dat")), "PNG"));
    }
    QTemporaryDir dir_;
};

TEST_F(SplashTest, ShowsThePictureOfAConfiguredPath)
{
    CSkinDlg dlg;
    dlg.Create();
    // Written the Windows way and in another case, as configuration files have it.
    dlg.ShowSplash(QDir::toNativeSeparators(dir_.path()) + QStringLiteral("\\LOGO\\logo.dat"));
    ASSERT_TRUE(dlg.IsSplashShown());
    ASSERT_NE(dlg.Splash(), nullptr);
    EXPECT_TRUE(dlg.Splash()->isVisible());
    EXPECT_EQ(dlg.Splash()->pixmap().size(), QSize(40, 30));

    dlg.CloseSplash();
    EXPECT_FALSE(dlg.IsSplashShown());
    EXPECT_EQ(dlg.Splash(), nullptr);
    dlg.CloseSplash(); // twice is harmless
    EXPECT_FALSE(dlg.IsSplashShown());
}

TEST_F(SplashTest, NoPathClosesTheShownSplashAndShowsNothing)
{
    CSkinDlg dlg;
    dlg.ShowSplash(dir_.filePath(QStringLiteral("Logo/Logo.dat")));
    ASSERT_TRUE(dlg.IsSplashShown());
    dlg.ShowSplash(QString());
    EXPECT_FALSE(dlg.IsSplashShown());
    EXPECT_EQ(dlg.Splash(), nullptr);
}

TEST_F(SplashTest, UnreadablePictureShowsNothingAndIsLogged)
{
    QFile broken(dir_.filePath(QStringLiteral("Logo/Broken.dat")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a picture");
    broken.close();

    WarningLog log;
    CSkinDlg dlg;
    dlg.ShowSplash(dir_.filePath(QStringLiteral("Logo/Missing.dat")));
    EXPECT_FALSE(dlg.IsSplashShown());
    dlg.ShowSplash(broken.fileName());
    EXPECT_FALSE(dlg.IsSplashShown());
    ASSERT_EQ(WarningLog::lines().size(), 2);
    EXPECT_TRUE(WarningLog::lines()[0].contains(QStringLiteral("Missing.dat")));
    EXPECT_TRUE(WarningLog::lines()[1].contains(QStringLiteral("Broken.dat")));
}

TEST_F(SplashTest, DestroyingTheWindowClosesTheSplash)
{
    CSkinDlg dlg;
    dlg.Create();
    dlg.ShowSplash(dir_.filePath(QStringLiteral("Logo/Logo.dat")));
    ASSERT_TRUE(dlg.IsSplashShown());
    dlg.DestroyWindow();
    EXPECT_FALSE(dlg.IsSplashShown());
}

} // namespace
