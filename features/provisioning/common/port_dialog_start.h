#pragma once
// The start of a dialog on one port: the right and the NE checked, the target a port (anything else is a fault of
// the caller: "internal error" and the dialog cancelled), the caption naming the NE and the location, and the port's
// location written in the dialog's label.

class CADialog;
class QLabel;

// False when the dialog is closing.
bool StartOnTargetPort(CADialog& dialog, int right, QLabel& location);
