#include "ui/shell/routing/command_router.h"

#include "core/config/app_settings.h"
#include "core/config/ini_readers.h"
#include "core/config/ini_writers.h"
#include "core/tables/app_data.h"
#include "core/tables/entity_node.h"
#include "core/tables/ne_record.h"
#include "link/driver_mode.h"
#include "link/net_drv.h"
#include "link/record_requests.h"
#include "ui/framework/dialogs/dialog_registry.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/shell/app/ems_app.h"

#include <cstring>

namespace {

constexpr int kPortLevel = 4;
constexpr uint32_t kNeItselfEntityId = 1;
constexpr int kCmdLocationHistoryAlarm = 33035;

} // namespace

RouteServices DefaultRouteServices()
{
    RouteServices services;
    services.request = CurrentDriverChannel().request;
    services.driverTimeout = [] { return GetCurrentDriver().GetTimeout(); };
    services.cancelRequest = [] { GetCurrentDriver().CancelRequest(); };
    services.ask = [](uint32_t stringId, int type) { return ShowMessageById(stringId, type); };
    services.status = [](uint32_t stringId) { ShowStatusMessageById(stringId); };
    services.telnet = [](uint32_t neId) {
        if (CEmsApp* app = GetEmsApp())
            app->TelnetToNeById(neId);
    };
    services.openHelp = [](const QString& helpFile) {
        if (CEmsApp* app = GetEmsApp())
            app->OpenHelpFile(helpFile);
    };
    return services;
}

CCommandRouter::CCommandRouter(ICommandRouteHost& host, RouteServices services)
    : host_(host), services_(std::move(services))
{
}

bool CCommandRouter::Route(int commandId)
{
    const CommandRoute* route = FindCommandRoute(commandId);
    if (route == nullptr)
        return false;
    if (route->right.IsSet() && !CheckRight(route->right))
        return true;
    switch (route->kind) {
    case RouteKind::Dialog:
        RouteDialog(*route);
        break;
    case RouteKind::Port:
        RoutePort(*route);
        break;
    case RouteKind::Slot:
        RouteSlot(*route);
        break;
    case RouteKind::Mode:
        RouteByMode(*route);
        break;
    case RouteKind::Check:
        RouteCheck(*route);
        break;
    case RouteKind::Request:
        RouteRequest(*route);
        break;
    case RouteKind::Toggle:
        host_.ToggleViewOption(commandId);
        break;
    case RouteKind::Window:
        OnShowPduLog();
        break;
    case RouteKind::Stop:
        OnStopTransaction();
        break;
    case RouteKind::Outside:
        RouteOutside(*route);
        break;
    case RouteKind::None:
        break;
    }
    return true;
}

uint32_t CCommandRouter::LocationOrScope() const
{
    const uint32_t current = host_.CurrentLocationId();
    return current != 0 ? current : AppData().scopeLocationId;
}

void CCommandRouter::SetTarget(DialogRequest& request, uint8_t form) const
{
    if (form == kTargetNone)
        return;
    request.hasTarget = true;
    request.neId = host_.CurrentNeId();
    const CEntityIndex index = host_.CurrentEntityIndex();
    CEntityId entity(&index);
    switch (form) {
    case kTargetNeEntity:
        request.hasEntity = true;
        request.entity = entity.id != 0 ? entity : CEntityId(kNeItselfEntityId);
        break;
    case kTargetNeSelection:
        request.hasEntity = true;
        request.entity = entity;
        break;
    default:
        break;
    }
}

DialogRequest CCommandRouter::MakeRequest(const CommandRoute& route, const std::string& className) const
{
    DialogRequest request;
    request.className = className;
    request.commandId = route.id;
    SetTarget(request, route.targetForm);
    if (route.location) {
        request.hasLocation = true;
        request.locationId = LocationOrScope();
    }
    if (route.member) {
        request.hasUserName = true;
        request.userName = host_.KeyText();
    }
    request.accessMode = route.accessMode;
    request.templateMode = route.templateMode;
    request.profileGroup = route.profileGroup;
    return request;
}

void CCommandRouter::RouteDialog(const CommandRoute& route)
{
    // The trunk port dialog works on one trunk port only.
    if (route.id == 33164 && host_.CurrentEntityIndex().GetLevel() != kPortLevel)
        return;
    DialogRequest request = MakeRequest(route, route.target);
    // Location Alarm > History Alarm: the criteria of the history.
    if (route.id == kCmdLocationHistoryAlarm)
        request.activeHistory = 0;
    OpenRouteDialog(request);
}

void CCommandRouter::RoutePort(const CommandRoute& route)
{
    if (host_.CurrentEntityIndex().GetLevel() == kPortLevel) {
        DialogRequest request = MakeRequest(route, route.target);
        OpenRouteDialog(request);
        return;
    }
    DialogRequest request = MakeRequest(route, kPortSelectionDlg);
    request.portSelMode = route.portSelMode;
    OpenRouteDialog(request);
}

void CCommandRouter::RouteSlot(const CommandRoute& route)
{
    CEntityIndex index = host_.CurrentEntityIndex();
    if (index.Slot() == 0) {
        DialogRequest selection = MakeRequest(route, kSlotSelectionDlg);
        selection.accessMode = 0;
        SetTarget(selection, kTargetNeSelection);
        if (OpenRouteDialog(selection) != kIdOk)
            return;
        index = selection.chosenIndex;
    }
    DialogRequest request = MakeRequest(route, route.target);
    request.hasTarget = true;
    request.neId = host_.CurrentNeId();
    request.hasEntity = true;
    request.entity = CEntityId(&index);
    OpenRouteDialog(request);
}

void CCommandRouter::RouteByMode(const CommandRoute& route)
{
    const bool direct = host_.IsDirectMode();
    DialogRequest request;
    switch (route.id) {
    case 33034:
        if (direct) {
            request = MakeRequest(route, kHistoryAlarmListDlg);
        } else {
            request = MakeRequest(route, kAlarmCriteriaDlg);
            request.activeHistory = 0;
        }
        break;
    case 33001:
        request = MakeRequest(route, direct ? route.target : kNeConfigBackupListDlg);
        break;
    default: // 33044, 33197: the batch dialog serves both in server mode
        request = MakeRequest(route, direct ? route.target : kNeFwUpgradeDlg);
        break;
    }
    OpenRouteDialog(request);
}

void CCommandRouter::RouteCheck(const CommandRoute& route)
{
    switch (route.id) {
    case 33030: {
        DialogRequest request = MakeRequest(route, kAlarmCriteriaDlg);
        request.activeHistory = 1;
        request.hasTarget = false;
        request.neId = 0;
        const CNeRecord* ne = AppData().nes.FindNeById(host_.CurrentNeId());
        // The NE becomes the target only when it is reachable and as planned.
        if (ne != nullptr && ne->planned == 0 && ne->root != nullptr && ne->root->IsConnected() &&
            ne->root->GetPlanState() == 0) {
            request.hasTarget = true;
            request.neId = ne->neId;
        }
        OpenRouteDialog(request);
        break;
    }
    case 33217:
        OnCliPromptSetting(route);
        break;
    case 33118:
        OnMcChannelStatus(route);
        break;
    case 33119:
        OnMcGroupMembership(route);
        break;
    default:
        break;
    }
}

void CCommandRouter::RouteOutside(const CommandRoute& route)
{
    if (route.id == 33050)
        OnHelpContents();
    else
        OnTelnetToNe();
}

void CCommandRouter::OnStopTransaction()
{
    services_.cancelRequest();
}

void CCommandRouter::OnShowPduLog()
{
    CAppSettings& settings = AppSettings();
    if (!settings.pduLogWin) {
        settings.pduLogWin = true;
        WriteIniBool("PDULOG", "PDULOGWIN", true, ConfigFilePath());
    }
    host_.RaisePduLogWindow();
}

void CCommandRouter::OnHelpContents()
{
    const std::string file = ReadIniString("SYSTEM", "HELPFILE", "Help/TarvikClient.chm", ConfigFilePath());
    services_.openHelp(QString::fromStdString(file));
}

void CCommandRouter::OnTelnetToNe()
{
    services_.telnet(host_.CurrentNeId());
}
