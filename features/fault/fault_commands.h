#pragma once
// The fault area's commands: the alarm lists, queries and statistics, the alarm definitions, the NE alarm inputs
// and outputs, hardware monitoring and the notification triggers.

void DeclareFaultCommands();
