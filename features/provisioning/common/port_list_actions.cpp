#include "features/provisioning/common/port_list_actions.h"

#include "core/tables/access_rights.h"
#include "core/tables/app_data.h"
#include "core/tables/ne_record.h"
#include "core/tables/ne_table.h"
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
    return OpenRouteDialog(request);
}

void OpenPortProfiles(CRecordListDlg& list, int profileGroup, bool templates)
{
    DialogRequest request;
    request.className = kProfileListDlg;
    request.hasTarget = true;
    request.neId = static_cast<uint32_t>(list.GetNeId());
    request.templateMode = templates ? 1 : 0;
    request.profileGroup = profileGroup;
    if (templates) {
        // The templates are downloaded to the NEs of a location: the NE's own, else the operator's.
        const CNeRecord* ne = FindNeById(request.neId);
        request.hasLocation = true;
        request.locationId = ne != nullptr && ne->locationId != 0 ? ne->locationId : AppData().scopeLocationId;
    }
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
