#include "app/program_parts.h"

#include "features/fault/alarm_sound/alarm_sound.h"
#include "features/fault/alarm_summary/alarm_summary_detail.h"
#include "features/fault/alarm_summary/trap_sum_view.h"
#include "features/fault/fault_commands.h"
#include "features/fault/trap_log/trap_log_view.h"
#include "features/management/management_commands.h"
#include "features/management/ne/ne_list_dlg.h"
#include "features/management/operators/incoming_mail_dlg.h"
#include "features/performance/performance_commands.h"
#include "features/provisioning/provisioning_commands.h"
#include "ui/shell/app/app_dispatch_ui.h"
#include "ui/shell/app/sound_thread_host.h"
#include "ui/shell/frame/main_menu_skeleton.h"
#include "ui/shell/map/geo_view.h"
#include "ui/shell/panel/frame_view.h"
#include "ui/shell/routing/shell_commands.h"
#include "ui/shell/tree/group_view.h"

#include <cstdint>
#include <memory>

namespace {

// The alarm summary's rows of NEs open the NE list of their connection state, across all locations; its rows of
// alarms open the fault area's lists.
void OpenSummaryDetail(const TrapSumDetailRequest& request)
{
    if (request.dialogId != TrapSumDetailRequest::kNeList) {
        OpenAlarmSummaryDetail(request);
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
    SetTrapSumDetailOpener(OpenSummaryDetail);
    RegisterGroupView();
    RegisterFrameView();
    RegisterGeoView();
    // Each mail the server delivers opens an Incoming Mail window.
    SetIncomingMailHandler(ShowIncomingMail);
    DeclareProgramCommands();
    SetAlarmSoundThreadBody([](CSoundThread& thread) {
        const std::unique_ptr<IAlarmSoundHost> host = MakeProgramAlarmSoundHost(
            [&thread](uint32_t ms) { return thread.Sleep(ms); }, [&thread] { return thread.QuitRequested(); });
        RunAlarmSoundLoop(*host);
    });
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
