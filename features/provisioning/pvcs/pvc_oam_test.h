#pragma once
// The VC OAM Test of a PVC's row (the VC-to-VLAN and multicast channel lists): after the list's right with 'x', the
// OAM loopback dialog opens on the PVC's port, NE and VPI/VCI.

#include <cstdint>

class CADialog;

void OpenPvcOamTest(CADialog& list, int right, uint32_t portId, uint32_t vpi, uint32_t vci);
