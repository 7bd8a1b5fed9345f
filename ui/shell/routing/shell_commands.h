#pragma once
// The shell's commands: the frame's own (logout, exit, about, the view options, the PDU log window, help, telnet,
// Stop), the location dialogs and the one-shot requests.

void DeclareShellCommands();
