#pragma once
// The performance area's commands: the xDSL and trunk PM, the port status and line tests, the connection checks.

void DeclarePerformanceCommands();
