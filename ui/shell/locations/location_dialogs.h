#pragma once
// The location dialogs for the command routing: Add Sub-location, Modify Location and Show Location open the
// Location dialog, Location Management and Location List the location list.

void RegisterLocationDialogs();
