#pragma once
// Starting the external telnet program for an NE: SYSTEM/TELNETEXE trimmed ("telnet" when empty), the whole text as
// the program (a path may hold blanks), with the NE's address and SYSTEM/TELNETPORT as two arguments. Nothing is
// handed to a shell.

#include "core/util/ip_address.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <string>

struct TelnetCommand {
    QString program;
    QStringList arguments; // address and port; none without an NE
};

// The command for an address, or for none (the NE is not in the table): then without address and port.
TelnetCommand BuildTelnetCommand(const std::string& telnetExe, uint16_t telnetPort, const IpAddress* address);

// Starts a program detached from this one; empty when it started, else why it did not, as the end of a sentence
// ("it was not found in the folders of PATH").
using ProgramLauncher = std::function<QString(const QString& program, const QStringList& arguments)>;

// The launcher in use: a detached QProcess unless a test put another in place (an empty one restores it).
ProgramLauncher CurrentProgramLauncher();
void SetProgramLauncher(ProgramLauncher launcher);
