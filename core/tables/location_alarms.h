#pragma once
// The alarms of the locations: each location in the operator's scope takes the gravest alarm severity and secondary
// status over its sub-locations in scope and its NEs in scope that are not planned, into its gravestSeverity and
// gravestSecondaryStatus. The location tree colours and flashes its location items by them and the location list
// shows them in its row images; both roll them up here.

#include "core/tables/location_tree.h"
#include "core/tables/ne_table.h"

#include <cstdint>

struct AlarmRollUp {
    uint32_t severity = 0;
    uint32_t secondaryStatus = 0;
};

// The location the operator's part of the tree hangs from: the superior of the scope location, or the root when
// there is no scope (or the scope or its superior is not known).
CLocationNode& ScopeTopLocation(CLocationTree& locations, uint32_t scopeLocationId);

// Clears every location, then rolls the alarms up the locations in scope below `top`. Returns the values over the
// whole part of the tree: its locations and the NEs that hang from `top` itself (those of `top`, of no location or of
// a location not known), which `top` takes too unless it is the root.
AlarmRollUp RollUpLocationAlarms(CLocationTree& locations, const CNeTable& nes, CLocationNode& top);
// The same on the application's tables, below the top of the operator's scope.
AlarmRollUp RollUpLocationAlarms();
