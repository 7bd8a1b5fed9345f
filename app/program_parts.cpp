#include "app/program_parts.h"

#include "features/fault/alarm_summary/trap_sum_view.h"
#include "features/fault/fault_commands.h"
#include "features/fault/trap_log/trap_log_view.h"
#include "features/management/management_commands.h"
#include "features/management/ne/ne_list_dlg.h"
#include "features/performance/performance_commands.h"
#include "features/provisioning/provisioning_commands.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/shell/frame/main_menu_skeleton.h"
#include "ui/shell/map/geo_view.h"
#include "ui/shell/panel/frame_view.h"
#include "ui/shell/routing/shell_commands.h"
#include "ui/shell/tree/group_view.h"

namespace {

// The alarm summary's rows of NEs open the NE list of their connection state, across all locations; its alarm lists
// are still to come.
void OpenAlarmSummaryDetail(const TrapSumDetailRequest& request)
{
    if (request.dialogId != TrapSumDetailRequest::kNeList) {
        ShowPlainMessageById(kStrNotAvailableYet);
        return;
    }
    CNeListDlg dlg;
    dlg.SetLocationId(0);
    dlg.SetConnectionFilter(static_cast<uint8_t>(request.neStateFilter));
    dlg.DoModal();
}

} // namespace

void RegisterProgramParts()
{
    // The location tree and the fault views plug into the frame's panes.
    RegisterTrapLogView();
    RegisterTrapSumView();
    SetTrapSumDetailOpener(OpenAlarmSummaryDetail);
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
