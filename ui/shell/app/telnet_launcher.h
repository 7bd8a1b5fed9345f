#pragma once
// Starting the external telnet program for an NE: SYSTEM/TELNETEXE ("telnet" when empty) with the NE's address and
// SYSTEM/TELNETPORT as two arguments. The configured text may carry leading arguments of its own (for example a
// terminal that runs telnet); it is split like a command line but never handed to a shell.

#include "core/util/ip_address.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <string>

struct TelnetCommand {
    QString program;
    QStringList arguments; // the configured leading arguments, then address and port; none of these without an NE
};

// The command for an address, or for none (the NE is not in the table): then without address and port.
TelnetCommand BuildTelnetCommand(const std::string& telnetExe, uint16_t telnetPort, const IpAddress* address);

// Starts a program detached from this one; empty when it started, else why it did not, as the end of a sentence
// ("it was not found in the folders of PATH").
using ProgramLauncher = std::function<QString(const QString& program, const QStringList& arguments)>;

// The launcher in use: a detached QProcess unless a test put another in place (an empty one restores it).
ProgramLauncher CurrentProgramLauncher();
void SetProgramLauncher(ProgramLauncher launcher);
