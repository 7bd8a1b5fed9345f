#include "app/program_parts.h"

#include "features/fault/alarm_summary/trap_sum_view.h"
#include "features/fault/fault_commands.h"
#include "features/fault/trap_log/trap_log_view.h"
#include "features/management/management_commands.h"
#include "features/performance/performance_commands.h"
#include "features/provisioning/provisioning_commands.h"
#include "ui/shell/frame/main_menu_skeleton.h"
#include "ui/shell/map/geo_view.h"
#include "ui/shell/panel/frame_view.h"
#include "ui/shell/routing/shell_commands.h"
#include "ui/shell/tree/group_view.h"

void RegisterProgramParts()
{
    // The location tree and the fault views plug into the frame's panes.
    RegisterTrapLogView();
    RegisterTrapSumView();
    RegisterGroupView();
    RegisterFrameView();
    RegisterGeoView();
    DeclareProgramCommands();
}

void DeclareProgramCommands()
{
    DeclareMainMenuSkeleton();
    DeclareShellCommands();
    DeclareFaultCommands();
    DeclarePerformanceCommands();
    DeclareProvisioningCommands();
    DeclareManagementCommands();
}
