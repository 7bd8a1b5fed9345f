#pragma once
// The fault area's dialogs that routed commands open, registered by class name.

void RegisterFaultDialogs();
