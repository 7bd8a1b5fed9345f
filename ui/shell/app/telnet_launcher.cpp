#include "ui/shell/app/telnet_launcher.h"

#include <QProcess>

#include <utility>

TelnetCommand BuildTelnetCommand(const std::string& telnetExe, uint16_t telnetPort, const IpAddress* address)
{
    TelnetCommand command;
    QStringList words = QProcess::splitCommand(QString::fromStdString(telnetExe).trimmed());
    if (words.isEmpty()) {
        command.program = QStringLiteral("telnet");
    } else {
        command.program = words.takeFirst();
        command.arguments = words;
    }
    if (address != nullptr) {
        command.arguments << QString::fromStdString(FormatIpAddress(*address)) << QString::number(telnetPort);
    }
    return command;
}

namespace {

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
    return [](const QString& program, const QStringList& arguments) {
        return QProcess::startDetached(program, arguments);
    };
}

void SetProgramLauncher(ProgramLauncher launcher)
{
    InstalledLauncher() = std::move(launcher);
}
