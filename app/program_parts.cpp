#include "app/program_parts.h"

#include "features/fault/alarm_summary/trap_sum_view.h"
#include "features/fault/fault_dialogs.h"
#include "features/fault/trap_log/trap_log_view.h"
#include "ui/shell/locations/location_dialogs.h"
#include "ui/shell/tree/group_view.h"

void RegisterProgramParts()
{
    // The location tree and the fault views plug into the frame's panes.
    RegisterTrapLogView();
    RegisterTrapSumView();
    RegisterGroupView();
    // The dialogs that the shell's and the areas' commands open.
    RegisterLocationDialogs();
    RegisterFaultDialogs();
}
