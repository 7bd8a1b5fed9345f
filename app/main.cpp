// The program: the application object's start-up, the main loop while the main frame is open, and its shutdown.

#include "app/program_parts.h"
#include "ui/shell/app/ems_app.h"
#include "ui/shell/frame/app_frame_host.h"
#include "ui/shell/frame/frame_resources.h"

#include <QApplication>
#include <QIcon>
#include <QtGlobal>

#include <cstdio>
#include <string>

namespace {

// A window system to open windows on: an X display, a Wayland display, or a platform named explicitly.
bool HasDisplay()
{
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

} // namespace

int main(int argc, char** argv)
{
    if (!HasDisplay()) {
        std::fprintf(stderr, "tarvik: no display to open the program's windows on (DISPLAY is not set).\n"
                             "Start it from a desktop session, or under a virtual display: xvfb-run tarvik\n");
        return 1;
    }
    QApplication application(argc, argv);
    // The application object ends the loop when its main frame closes; hidden helper windows never do.
    QApplication::setQuitOnLastWindowClosed(false);
    // Every window of the program, the login dialog included, shows the program's icon.
    if (const std::string icon = FindFrameResource(kAppIconFile); !icon.empty())
        QApplication::setWindowIcon(QIcon(QString::fromStdString(icon)));
    RegisterProgramParts();
    CEmsApp app;
    app.SetMainFrameFactory(CreateAppMainFrame);
    if (app.InitInstance())
        QApplication::exec();
    return app.ExitInstance();
}
