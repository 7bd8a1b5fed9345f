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
#include "link/ems_msg.h"
#include "ui/shell/routing/route_dialogs.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>
#include <vector>

namespace {

// Access items and letters.
constexpr int kRightNe = 3;
constexpr int kRightAccount = 18;
constexpr int kRightLocation = 21;

// Texts.
constexpr uint32_t kStrNoPrivilege = 20071;
constexpr uint32_t kStrUnknownNe = 20074;
constexpr uint32_t kStrDataInUse = 20046;
constexpr uint32_t kStrAskDelete = 10026;
constexpr uint32_t kStrFailDelete = 10028;
// Deleting a location, an NE or a member reports the data deleted, not a file.
constexpr uint32_t kStrDeletedData = 29802;
constexpr uint32_t kStrFailQuery = 10128;
constexpr uint32_t kStrIgmpOff = 10253;

// Request codes.
constexpr uint16_t kReqDeleteAccount = 14;
constexpr uint16_t kReqDeleteLocation = 22;
constexpr uint16_t kReqQueryNes = 30;
constexpr uint16_t kReqDeleteNe = 32;
constexpr uint16_t kReqUpload = 50;
constexpr uint16_t kReqDownload = 51;
constexpr uint16_t kReqEntityStates = 323;
constexpr uint16_t kReqNeAlarms = 325;
constexpr uint16_t kReqAlarmSyncQuery = 327;
constexpr uint16_t kReqAlarmSyncAction = 332;
constexpr uint16_t kReqRebootNe = 340;
constexpr uint16_t kReqResetCard = 341;
constexpr uint16_t kReqResetPort = 342;
constexpr uint16_t kReqWriteFlash = 343;
constexpr uint16_t kReqEraseFlash = 347;
constexpr uint16_t kReqIgmpFunction = 495;

constexpr uint32_t kLocationRecordSize = 224;
constexpr uint32_t kNeRecordSize = 124;
constexpr uint32_t kAccountRecordSize = 216;
constexpr uint32_t kSyncRecordSize = 28;
constexpr uint32_t kIgmpRecordSize = 44;
constexpr size_t kCliPromptFieldOffset = 68;

void PutU32(uint8_t* at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<uint8_t>(value >> (8 * i));
}

uint32_t GetU32(const uint8_t* at)
{
    return static_cast<uint32_t>(at[0]) | static_cast<uint32_t>(at[1]) << 8 | static_cast<uint32_t>(at[2]) << 16 |
           static_cast<uint32_t>(at[3]) << 24;
}

// Copies at most `width` characters; the rest of the field (its terminator included) stays zero.
void PutText(uint8_t* at, std::string_view text, size_t width)
{
    const size_t n = std::min(text.size(), width);
    std::memcpy(at, text.data(), n);
}

bool IsUsableReply(const EmsMsg* reply, uint16_t code)
{
    return reply != nullptr && reply->operation == kEmsOpReply && reply->requestCode == code && reply->count > 0 &&
           reply->records != nullptr;
}

} // namespace

bool CCommandRouter::CheckRight(int function, char letter) const
{
    if (CheckUserRight(AppData().role, function, letter) != 0)
        return true;
    services_.status(kStrNoPrivilege);
    return false;
}

bool CCommandRouter::OneShot(uint32_t questionId, uint16_t code, const void* record, uint32_t size, uint32_t neId,
                             uint32_t failureId)
{
    if (services_.ask(questionId, kConfirmFlags) != kIdYes)
        return false;
    EmsMsg request;
    BuildEmsMsg(&request, kEmsOpModify, code, size, record, neId);
    EmsMsg* reply = nullptr;
    return services_.request(request, &reply, failureId, -2, true) == 0;
}

EmsMsg* CCommandRouter::Query(uint16_t code, uint32_t size, uint32_t neId, uint32_t failureId)
{
    std::vector<uint8_t> record(size, 0);
    EmsMsg request;
    BuildEmsMsg(&request, kEmsOpQuery, code, size, record.data(), neId);
    EmsMsg* reply = nullptr;
    if (services_.request(request, &reply, failureId, -2, true) != 0)
        return nullptr;
    return reply;
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
    if (!CheckRight(kRightNe, 'x'))
        return;
    const uint32_t neId = host_.CurrentNeId();
    if (AppData().nes.FindNeById(neId) == nullptr) {
        services_.status(kStrUnknownNe);
        return;
    }
    const CEntityIndex index = host_.CurrentEntityIndex();
    std::array<uint8_t, 4> packed{};
    PutU32(packed.data(), CEntityId(&index).id);
    const uint8_t zero = 0;
    struct Row {
        uint32_t question, failure, success;
        uint16_t code;
    };
    Row row{};
    const void* record = packed.data();
    uint32_t size = 4;
    switch (index.GetLevel()) {
    case 1:
    case 2: // a shelf reboots the NE
        row = {10136, 10139, 10142, kReqRebootNe};
        record = &zero;
        size = 1;
        break;
    case 3:
        row = {10135, 10138, 10141, kReqResetCard};
        break;
    case 4:
        row = {10137, 10140, 10143, kReqResetPort};
        break;
    default:
        return;
    }
    if (OneShot(row.question, row.code, record, size, neId, row.failure))
        services_.status(row.success);
}

void CCommandRouter::OnDownloadConfig()
{
    if (!CheckRight(kRightNe, 'x'))
        return;
    std::array<uint8_t, kSyncRecordSize> record{};
    PutU32(record.data(), 1);
    if (OneShot(10160, kReqDownload, record.data(), kSyncRecordSize, host_.CurrentNeId(), 10162))
        services_.status(10163);
}

void CCommandRouter::OnRetrieveConfig()
{
    if (!CheckRight(kRightNe, 'x'))
        return;
    const uint32_t neId = host_.CurrentNeId();
    std::array<uint8_t, kSyncRecordSize> record{};
    PutU32(record.data(), 1);
    if (!OneShot(10161, kReqUpload, record.data(), kSyncRecordSize, neId, 10162))
        return;
    if (CNeRecord* ne = AppData().nes.FindNeById(neId); ne != nullptr && ne->root != nullptr) {
        constexpr uint32_t kRootType = 1;
        ne->root->SetTypeById(EntityIdFromIndex(1, 0, 0, 0, 0), kRootType, 0x7FFFFFFE);
    }
    // Best-effort refreshes whose results nobody reads.
    const uint8_t zero = 0;
    const uint32_t zeroWord = 0;
    EmsMsg request;
    EmsMsg* reply = nullptr;
    BuildEmsMsg(&request, kEmsOpQuery, kReqQueryNes, 1, &zero, 0);
    services_.request(request, &reply, 0, static_cast<int32_t>(services_.driverTimeout()), true);
    BuildEmsMsg(&request, kEmsOpQuery, kReqEntityStates, 1, &zero, neId);
    services_.request(request, &reply, 0, 0, false);
    BuildEmsMsg(&request, kEmsOpQuery, kReqNeAlarms, 4, &zeroWord, neId);
    services_.request(request, &reply, 0, 0, false);
    services_.status(10164);
}

void CCommandRouter::OnSaveConfigToFlash()
{
    if (!CheckRight(kRightNe, 'x'))
        return;
    const uint8_t zero = 0;
    if (OneShot(10148, kReqWriteFlash, &zero, 1, host_.CurrentNeId(), 10149))
        services_.status(10150);
}

void CCommandRouter::OnEraseConfig()
{
    if (!CheckRight(kRightNe, 'x'))
        return;
    const uint8_t zero = 0;
    // A failed erase says so, not that writing failed.
    constexpr uint32_t kStrFailErase = 29803;
    if (OneShot(10300, kReqEraseFlash, &zero, 1, host_.CurrentNeId(), kStrFailErase))
        services_.status(10302);
}

void CCommandRouter::OnDeleteLocation()
{
    if (!CheckRight(kRightLocation, 'd'))
        return;
    const uint32_t locationId = host_.CurrentLocationId();
    std::array<uint8_t, kLocationRecordSize> record{};
    PutU32(record.data(), locationId);
    if (const CLocationNode* node = AppData().locations.FindLocation(locationId))
        PutText(record.data() + 4, node->name, CLocationNode::kNameMax);
    if (OneShot(kStrAskDelete, kReqDeleteLocation, record.data(), kLocationRecordSize, 0, kStrFailDelete))
        services_.status(kStrDeletedData);
}

void CCommandRouter::OnDeleteNe()
{
    if (!CheckRight(kRightNe, 'd'))
        return;
    const uint32_t neId = host_.CurrentNeId();
    std::array<uint8_t, kNeRecordSize> record{};
    PutU32(record.data(), neId);
    if (const CNeRecord* ne = AppData().nes.FindNeById(neId))
        PutText(record.data() + 8, ne->name, CNeRecord::kNameMax);
    if (OneShot(kStrAskDelete, kReqDeleteNe, record.data(), kNeRecordSize, neId, kStrFailDelete))
        services_.status(kStrDeletedData);
}

void CCommandRouter::OnDeleteMember()
{
    if (!CheckRight(kRightAccount, 'd'))
        return;
    const std::string name = host_.KeyText();
    if (services_.ask(kStrAskDelete, kConfirmFlags) != kIdYes)
        return;
    if (CompareNames(name, AppData().GetLoginUserName()) == 0) {
        services_.status(kStrDataInUse);
        return;
    }
    std::array<uint8_t, kAccountRecordSize> record{};
    PutText(record.data(), name, CUserAccount::kNameMax);
    EmsMsg request;
    BuildEmsMsg(&request, kEmsOpModify, kReqDeleteAccount, kAccountRecordSize, record.data(), 0);
    EmsMsg* reply = nullptr;
    if (services_.request(request, &reply, kStrFailDelete, -2, true) == 0)
        services_.status(kStrDeletedData);
}

void CCommandRouter::OnAlarmSync()
{
    constexpr uint32_t kFail = 10044;
    const uint32_t neId = host_.CurrentNeId();
    const uint8_t zero = 0;
    std::array<uint8_t, kNeRecordSize> query{};
    EmsMsg request;
    EmsMsg* reply = nullptr;
    BuildEmsMsg(&request, kEmsOpQuery, kReqAlarmSyncQuery, kNeRecordSize, query.data(), neId);
    if (services_.request(request, &reply, kFail, -2, true) != 0)
        return;
    BuildEmsMsg(&request, kEmsOpModify, kReqAlarmSyncAction, 1, &zero, neId);
    if (services_.request(request, &reply, kFail, -2, true) != 0)
        return;
    BuildEmsMsg(&request, kEmsOpQuery, kReqEntityStates, 1, &zero, neId);
    if (services_.request(request, &reply, kFail, -2, true) != 0)
        return;
    services_.status(10045);
}

void CCommandRouter::OnCliPromptSetting()
{
    // The prompt style asked about is the current NE's, not that of whichever NE the server lists first.
    const EmsMsg* reply = Query(kReqQueryNes, kNeRecordSize, host_.CurrentNeId(), kStrFailQuery);
    if (!IsUsableReply(reply, kReqQueryNes) || reply->recordSize < kCliPromptFieldOffset + 4)
        return;
    const auto* first = static_cast<const uint8_t*>(reply->records);
    const CommandRoute* route = FindCommandRoute(33217);
    DialogRequest request =
        MakeRequest(*route, GetU32(first + kCliPromptFieldOffset) == 2 ? kNeCliPromptDlg : kNeCliPromptDualDlg);
    OpenRouteDialog(request);
}

void CCommandRouter::OnMulticastCheck(const CommandRoute& route, const char* className)
{
    const EmsMsg* reply = Query(kReqIgmpFunction, kIgmpRecordSize, host_.CurrentNeId(), kStrFailQuery);
    if (!IsUsableReply(reply, kReqIgmpFunction) || reply->recordSize < 4)
        return;
    const uint32_t function = GetU32(static_cast<const uint8_t*>(reply->records));
    if (function != 1 && function != 2) {
        services_.status(kStrIgmpOff);
        return;
    }
    DialogRequest request = MakeRequest(route, className);
    OpenRouteDialog(request);
}

void CCommandRouter::OnMcChannelStatus()
{
    OnMulticastCheck(*FindCommandRoute(33118), kMulticastChannelStatusDlg);
}

void CCommandRouter::OnMcGroupMembership()
{
    OnMulticastCheck(*FindCommandRoute(33119), kMulticastGroupMemberDlg);
}
