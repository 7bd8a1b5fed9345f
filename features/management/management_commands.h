#pragma once
// The management area's commands: the server's management, the NE settings, firmware and configuration files,
// NEs and user accounts.

void DeclareManagementCommands();
