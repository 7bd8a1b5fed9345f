// The shell in the running program: the splash picture at start-up.

#include "tests/e2e/support/e2e_harness.h"

#include "ui/framework/skin_dlg.h"
#include "ui/shell/app/ems_app.h"

#include <QSplashScreen>

#include <gtest/gtest.h>

namespace {

// Notes the picture of every splash window shown while it lives.
class SplashWatcher : public QObject {
public:
    SplashWatcher() { QCoreApplication::instance()->installEventFilter(this); }
    ~SplashWatcher() override { QCoreApplication::instance()->removeEventFilter(this); }

    QPixmap shown;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            if (auto* splash = qobject_cast<QSplashScreen*>(watched))
                shown = splash->pixmap();
        }
        return QObject::eventFilter(watched, event);
    }
};

TEST(ShellE2eTest, StartUpShowsTheSplashPictureThatShipsWithTheProgram)
{
    SplashWatcher watcher;
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer());
    ASSERT_TRUE(program.Login("admin", "admin"));
    EXPECT_FALSE(watcher.shown.isNull());
    EXPECT_FALSE(program.App().GetSkinDlg()->IsSplashShown());
}

} // namespace
