#pragma once
// The mouse routing of a view's one list: a double-click opens the detail of the selected row, a right-click the
// list's context menu.

#include "platform/notify_codes.h"

// Runs openDetail or openMenu for a click notification of the list listId; 1 when one ran, 0 for anything else.
template <class OpenDetail, class OpenMenu>
int RouteListClicks(const NotifyHeader& header, int listId, OpenDetail openDetail, OpenMenu openMenu)
{
    if (header.idFrom != listId)
        return 0;
    if (header.code == NM_DBLCLK) {
        openDetail();
        return 1;
    }
    if (header.code == NM_RCLICK) {
        openMenu();
        return 1;
    }
    return 0;
}
