#pragma once
// The check the link aggregation and spanning tree dialogs make before they turn their function on: trunk port 2
// must not be a subtend port (request 717). On a subtending port the message line says that the two exclude each
// other (the refusal's text), at the control given; a failed query has shown its failure box.

#include <cstdint>

class CADialog;

// True when the function may go on.
bool CheckNotSubtending(CADialog& dialog, uint32_t refusalTextId, int controlId);
