#pragma once
// The provisioning area's commands: ports, profiles and templates, VLANs, multicast, DHCP and PPPoE, filters,
// the trunk settings and status.

void DeclareProvisioningCommands();
