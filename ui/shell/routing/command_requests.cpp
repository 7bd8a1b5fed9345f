// The one-shot requests of the main window's commands and the checks that query before a dialog opens.
#include "ui/shell/routing/command_router.h"

#include "core/entity/entity_id.h"
#include "core/tables/access_rights.h"
#include "core/tables/app_data.h"
#include "core/tables/entity_node.h"
#include "core/tables/location_node.h"
#include "core/tables/ne_record.h"
#include "core/tables/user_account.h"
#include "core/util/names.h"
#include "link/record_requests.h"
#include "link/records/alarm_def_rec.h"
#include "link/records/igmp_setting_rec.h"
#include "link/records/location_record.h"
#include "link/records/ne_key_record.h"
#include "link/records/profile_sync_rec.h"
#include "link/records/user_account_record.h"
#include "link/records/word_record.h"
#include "ui/framework/dialogs/dialog_registry.h"
#include "ui/framework/messages/string_ids.h"

namespace {

// The NE model with one control module, whose CLI prompt has one text.
constexpr uint32_t kSingleControlModel = 2;

} // namespace

bool CCommandRouter::CheckRight(const CommandRight& right) const
{
    if (CheckUserRight(AppData().role, right.function, right.letter) != 0)
        return true;
    services_.status(kStrNoPrivilege);
    return false;
}

bool CCommandRouter::OneShot(uint32_t questionId, const std::function<RequestOutcome()>& request)
{
    if (services_.ask(questionId, kConfirmFlags) != kIdYes)
        return false;
    return request().Ok();
}

CRecordRequests CCommandRouter::Requests() const
{
    return CRecordRequests({services_.request, {}});
}

void CCommandRouter::RouteRequest(const CommandRoute& route)
{
    switch (route.id) {
    case 33085:
        OnResetEntity();
        break;
    case 33101:
        OnDownloadConfig();
        break;
    case 33102:
        OnRetrieveConfig();
        break;
    case 33088:
        OnSaveConfigToFlash();
        break;
    case 33204:
        OnEraseConfig();
        break;
    case 33009:
        OnDeleteLocation();
        break;
    case 33010:
        OnDeleteNe();
        break;
    case 33011:
        OnDeleteMember();
        break;
    case 33042:
        OnAlarmSync();
        break;
    default:
        break;
    }
}

void CCommandRouter::OnResetEntity()
{
    const uint32_t neId = host_.CurrentNeId();
    if (AppData().nes.FindNeById(neId) == nullptr) {
        services_.status(kStrUnknownNe);
        return;
    }
    const CEntityIndex index = host_.CurrentEntityIndex();
    struct Row {
        uint32_t question, failure, success;
        RequestCode<WordRecord> entityReset; // a card's or a port's; none for the NE, whose reboot carries no record
    };
    Row row{};
    switch (index.GetLevel()) {
    case 1:
    case 2: // a shelf reboots the NE
        row = {10136, 10139, 10142, {}};
        break;
    case 3:
        row = {10135, 10138, 10141, kReqCardReset};
        break;
    case 4:
        row = {10137, 10140, 10143, kReqPortReset};
        break;
    default:
        return;
    }
    const RequestOptions options{.failureTextId = row.failure};
    const bool done = OneShot(row.question, [&] {
        return row.entityReset == 0
                   ? Requests().Action(kReqNeReboot, neId, options)
                   : Requests().Action(row.entityReset, neId, WordRecord{CEntityId(&index).id}, options);
    });
    if (done)
        services_.status(row.success);
}

void CCommandRouter::OnDownloadConfig()
{
    const uint32_t neId = host_.CurrentNeId();
    if (OneShot(kStrSureToDownloadConfig, [&] {
            return Requests().Action(kReqConfigDownload, neId, ProfileSyncRec{.first = 1},
                                     {.failureTextId = kStrFailToSynchronizeConfig});
        }))
        services_.status(kStrCompleteSynchronizingConfigReset);
}

void CCommandRouter::OnRetrieveConfig()
{
    const uint32_t neId = host_.CurrentNeId();
    if (!OneShot(kStrSureToUploadConfig, [&] {
            return Requests().Action(kReqConfigUpload, neId, ProfileSyncRec{.first = 1},
                                     {.failureTextId = kStrFailToSynchronizeConfig});
        }))
        return;
    if (CNeRecord* ne = AppData().nes.FindNeById(neId); ne != nullptr && ne->root != nullptr) {
        constexpr uint32_t kRootType = 1;
        ne->root->SetTypeById(EntityIdFromIndex(1, 0, 0, 0, 0), kRootType, 0x7FFFFFFE);
    }
    // Best-effort refreshes whose results nobody reads.
    const CRecordRequests requests = Requests();
    requests.Query(kReqNeKey, 0, {.timeoutMs = static_cast<int32_t>(services_.driverTimeout())});
    requests.Query(kReqBoardSetting, neId, {.timeoutMs = 0, .waitDialog = false});
    requests.Query(kReqEntityState, neId, {.timeoutMs = 0, .waitDialog = false});
    services_.status(kStrCompleteSynchronizingConfig);
}

void CCommandRouter::OnSaveConfigToFlash()
{
    const uint32_t neId = host_.CurrentNeId();
    if (OneShot(kStrSureToWriteFlash,
                [&] { return Requests().Action(kReqFlashWrite, neId, {.failureTextId = kStrFailToWriteFlash}); }))
        services_.status(kStrCompleteWritingFlash);
}

void CCommandRouter::OnEraseConfig()
{
    // The erase is a write of the flash: its failure reads as one.
    const uint32_t neId = host_.CurrentNeId();
    if (OneShot(kStrSureToEraseConfig,
                [&] { return Requests().Action(kReqFlashErase, neId, {.failureTextId = kStrFailToWriteFlash}); }))
        services_.status(kStrCompleteErasingConfig);
}

void CCommandRouter::OnDeleteLocation()
{
    LocationRecord record;
    record.id = host_.CurrentLocationId();
    if (const CLocationNode* node = AppData().locations.FindLocation(record.id))
        record.name = node->name;
    if (OneShot(kStrSureToDeleteData,
                [&] { return Requests().Delete(kReqLocation, 0, record, {.failureTextId = kStrFailToDelete}); }))
        services_.status(kStrCompleteDeletingFile);
}

void CCommandRouter::OnDeleteNe()
{
    NeKeyRecord record;
    record.neId = host_.CurrentNeId();
    if (const CNeRecord* ne = AppData().nes.FindNeById(record.neId))
        record.neName = ne->name;
    if (OneShot(kStrSureToDeleteData,
                [&] { return Requests().Delete(kReqNeKey, record.neId, record, {.failureTextId = kStrFailToDelete}); }))
        services_.status(kStrCompleteDeletingFile);
}

void CCommandRouter::OnDeleteMember()
{
    const std::string name = host_.KeyText();
    if (services_.ask(kStrSureToDeleteData, kConfirmFlags) != kIdYes)
        return;
    if (CompareNames(name, AppData().GetLoginUserName()) == 0) {
        services_.status(kStrDataInUse);
        return;
    }
    UserAccountRecord record;
    record.name = name;
    if (Requests().Delete(kReqUserAccount, 0, record, {.failureTextId = kStrFailToDelete}).Ok())
        services_.status(kStrCompleteDeletingFile);
}

void CCommandRouter::OnAlarmSync()
{
    const uint32_t neId = host_.CurrentNeId();
    const RequestOptions options{.failureTextId = kStrFailedToSynchronizeNeAlarms};
    const CRecordRequests requests = Requests();
    if (!requests.Query(kReqAlarmDef, neId, AlarmDefRec{}, options).Ok() ||
        !requests.Action(kReqAlarmSync, neId, options).Ok() || !requests.Query(kReqBoardSetting, neId, options).Ok())
        return;
    services_.status(kStrCompleteSynchronizingNeAlarms);
}

void CCommandRouter::OnCliPromptSetting(const CommandRoute& route)
{
    // The prompt style asked about is the current NE's: asked of NE 0, the server lists every NE and the first
    // decides, so an NE with master and slave control modules would get the one-prompt dialog (or the reverse).
    const auto reply = Requests().Query<NeKeyRecord>(kReqNeKey, host_.CurrentNeId(), NeKeyRecord{},
                                                     {.failureTextId = kStrFailToQuery});
    if (!reply.Ok() || reply.records.empty())
        return;
    DialogRequest request =
        MakeRequest(route, reply.records[0].modelId == kSingleControlModel ? kNeCliPromptDlg : kNeCliPromptDualDlg);
    OpenRouteDialog(request);
}

void CCommandRouter::OnMulticastCheck(const CommandRoute& route, const char* className)
{
    const auto reply =
        Requests().Query<IgmpSettingRec>(kReqIgmpSetting, host_.CurrentNeId(), {.failureTextId = kStrFailToQuery});
    if (!reply.Ok() || reply.records.empty())
        return;
    const uint32_t mode = reply.records[0].mode;
    if (mode != kIgmpModeSnooping && mode != kIgmpModeProxy) {
        services_.status(kStrIgmpSnoopingAndProxyDisabled);
        return;
    }
    DialogRequest request = MakeRequest(route, className);
    OpenRouteDialog(request);
}

void CCommandRouter::OnMcChannelStatus(const CommandRoute& route)
{
    OnMulticastCheck(route, kMulticastChannelStatusDlg);
}

void CCommandRouter::OnMcGroupMembership(const CommandRoute& route)
{
    OnMulticastCheck(route, kMulticastGroupMemberDlg);
}
