#include "features/provisioning/common/port_list_actions.h"

#include "core/tables/access_rights.h"
#include "link/record_requests.h"
#include "link/records/word_record.h"
#include "ui/framework/dialogs/dialog_registry.h"
#include "ui/framework/dialogs/record_list.h"
#include "ui/framework/lists/small_images.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"

namespace {

constexpr int kEnabledLegendId = 1153;
constexpr int kDisabledLegendId = 1134;
constexpr int kLinkUpLegendId = 1364;
constexpr int kLinkDownLegendId = 1144;
constexpr int kConfirmFlags = 0x134; // Yes/No, exclamation, No default
constexpr char kPortSelectionDlg[] = "CXdslPortSelDlg";
constexpr char kProfileListDlg[] = "CProfileListDlg";
constexpr char kVcVlanListDlg[] = "CXdslVcVlanListDlg";
constexpr char kLongTermPmDlg[] = "CXdslLongTermPmListDlg";
constexpr int kPortSelCurrentPm = 1;
constexpr int kPortSelHistoryPm = 2;
constexpr int kPortSelRateStatus = 3;
// The xDSL port commands: button, context menu entry.
constexpr int kVcVlanButtonId = 1164, kPopupVcVlan = 33022;
constexpr int kRateStatusButtonId = 1382, kPopupRateStatus = 33124;
constexpr int kCurrentPmButtonId = 1270, kPopupCurrentPm = 33076;
constexpr int kHistoryPmButtonId = 1271, kPopupHistoryPm = 33078;
constexpr int kLongTermPmButtonId = 1272, kPopupLongTermPm = 33077;
constexpr int kProfileButtonId = 1281, kPopupProfile = 33080;
constexpr int kResetButtonId = 1308, kPopupReset = 33085;

} // namespace

void DrawPortStateLegend(Dc& dc, const CRecordListDlg& list)
{
    DrawListIconOnControl(dc, list, kEnabledLegendId, kImageEnabled);
    DrawListIconOnControl(dc, list, kDisabledLegendId, kImageDisabled);
    DrawListIconOnControl(dc, list, kLinkUpLegendId, kImageLinkUp);
    DrawListIconOnControl(dc, list, kLinkDownLegendId, kImageLinkDown);
}

int OpenOnSelectedPort(CRecordListDlg& list, const char* className, int portSelMode, uint8_t accessMode)
{
    DialogRequest request = PortDialogRequest(list, className, portSelMode, accessMode);
    return OpenRouteDialog(request);
}

DialogRequest PortDialogRequest(const CRecordListDlg& list, const char* className, int portSelMode,
                                uint8_t accessMode)
{
    const std::optional<uint32_t> selected = list.SelectedItemData();
    DialogRequest request;
    request.className = selected || portSelMode == 0 ? className : kPortSelectionDlg;
    request.portSelMode = selected || portSelMode == 0 ? -1 : portSelMode;
    request.hasTarget = true;
    request.neId = static_cast<uint32_t>(list.GetNeId());
    request.hasEntity = true;
    request.entity = selected ? CEntityId(*selected) : list.GetTargetEntity();
    request.accessMode = accessMode;
    if (list.GetLocationId() != 0) {
        request.hasLocation = true;
        request.locationId = static_cast<uint32_t>(list.GetLocationId());
    }
    return request;
}

void OpenPortProfiles(CRecordListDlg& list, int profileGroup)
{
    DialogRequest request;
    request.className = kProfileListDlg;
    request.hasTarget = true;
    request.neId = static_cast<uint32_t>(list.GetNeId());
    request.templateMode = 0;
    request.profileGroup = profileGroup;
    OpenRouteDialog(request);
}

void ResetSelectedLinePort(CRecordListDlg& list)
{
    if (list.CheckTargetNe() != 0 || list.CheckRight(kRightNeOperations, 'x') != 0)
        return;
    const std::optional<uint32_t> port = list.RequireSelectedItemData();
    if (!port || ShowMessageById(kStrSureToResetLinePort, kConfirmFlags) != IDYES)
        return;
    if (CRecordRequests()
            .Action(kReqPortReset, static_cast<uint32_t>(list.GetNeId()), WordRecord{*port},
                    {.failureTextId = kStrFailToResetLinePort})
            .Ok())
        list.ShowInfoTextById(kStrCompleteResettingLinePort);
}

bool RunXdslPortCommand(CRecordListDlg& list, const XdslPortDialogs& dialogs, int id)
{
    switch (id) {
    case kVcVlanButtonId:
    case kPopupVcVlan:
        OpenOnSelectedPort(list, kVcVlanListDlg);
        return true;
    case kRateStatusButtonId:
    case kPopupRateStatus:
        OpenOnSelectedPort(list, dialogs.rateStatus, kPortSelRateStatus);
        return true;
    case kCurrentPmButtonId:
    case kPopupCurrentPm:
        OpenOnSelectedPort(list, dialogs.currentPm, kPortSelCurrentPm);
        return true;
    case kHistoryPmButtonId:
    case kPopupHistoryPm:
        OpenOnSelectedPort(list, dialogs.historyPm, kPortSelHistoryPm);
        return true;
    case kLongTermPmButtonId:
    case kPopupLongTermPm:
        OpenOnSelectedPort(list, kLongTermPmDlg);
        return true;
    case kProfileButtonId:
    case kPopupProfile:
        OpenPortProfiles(list, dialogs.profileGroup);
        return true;
    case kResetButtonId:
    case kPopupReset:
        ResetSelectedLinePort(list);
        return true;
    default:
        return false;
    }
}
