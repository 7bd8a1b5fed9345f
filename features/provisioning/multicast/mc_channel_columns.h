#pragma once
// The columns of the multicast channel list: the row's number, the port's place ("1-5"), VPI, VCI, VLAN, the service
// profile and, hidden, the port's packed id. The port's place sorts by port, then VPI, VCI and VLAN; the VPI, VCI
// and VLAN by VPI, VCI, VLAN and port; the service profile by its name, then the port and the rest.

#include "core/tables/ne_table.h"
#include "link/records/mc_channel_rec.h"
#include "ui/framework/lists/list_columns.h"

#include <functional>
#include <vector>

std::vector<ListColumn<McChannelRec>> McChannelColumns(std::function<const CNeRecord*()> ne);
