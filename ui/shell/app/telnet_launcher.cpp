#include "ui/shell/app/telnet_launcher.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <utility>

TelnetCommand BuildTelnetCommand(const std::string& telnetExe, uint16_t telnetPort, const IpAddress* address)
{
    TelnetCommand command;
    // The whole text names the program: a path may hold blanks.
    command.program = QString::fromStdString(telnetExe).trimmed();
    if (command.program.isEmpty())
        command.program = QStringLiteral("telnet");
    if (address != nullptr) {
        command.arguments << QString::fromStdString(FormatIpAddress(*address)) << QString::number(telnetPort);
    }
    return command;
}

namespace {

// The common causes in plain words; anything else in the system's.
QString WhyNotStarted(const QString& program, const QString& systemError)
{
    const bool searched = !program.contains(QLatin1Char('/'));
    const QFileInfo file(searched ? QStandardPaths::findExecutable(program) : program);
    if (file.filePath().isEmpty() || !file.exists())
        return searched ? QStringLiteral("it was not found in the folders of PATH")
                        : QStringLiteral("it was not found");
    if (file.isDir() || !file.isExecutable())
        return QStringLiteral("it is not a program that can be run");
    return systemError;
}

QString StartDetached(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    if (process.startDetached())
        return {};
    return WhyNotStarted(program, process.errorString());
}

ProgramLauncher& InstalledLauncher()
{
    static ProgramLauncher launcher;
    return launcher;
}

} // namespace

ProgramLauncher CurrentProgramLauncher()
{
    if (InstalledLauncher())
        return InstalledLauncher();
    return StartDetached;
}

void SetProgramLauncher(ProgramLauncher launcher)
{
    InstalledLauncher() = std::move(launcher);
}
