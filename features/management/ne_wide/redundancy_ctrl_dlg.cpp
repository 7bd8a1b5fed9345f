#include "features/management/ne_wide/redundancy_ctrl_dlg.h"

#include "core/entity/entity_index.h"
#include "core/entity/entity_type_ids.h"
#include "core/tables/access_rights.h"
#include "core/tables/entity_node.h"
#include "core/tables/ne_table.h"
#include "link/record_requests.h"
#include "link/records/request_codes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_redundancy_ctrl_dlg.h"

namespace {

// Both control-module slots of the NE hold the module planned there.
bool BothControlModulesInUse(const CNeRecord* ne)
{
    if (ne == nullptr || ne->root == nullptr)
        return false;
    for (int module : {1, 2}) {
        const CEntityIndex index = CwmModuleIndex(module, ne->neModelId);
        const CEntityNode* node = index.IsEmpty() ? nullptr : ne->root->FindChild(index);
        if (node == nullptr || node->GetPlannedType() == kEntityTypeEmpty ||
            node->GetPlannedType() == kEntityTypeUnknown || node->GetPlanState() != kPlanStateAsPlanned)
            return false;
    }
    return true;
}

} // namespace

CRedundancyCtrlDlg::CRedundancyCtrlDlg(QWidget* parent)
    : CStatePeriodDlg(kTemplateId,
                      {.right = kRightRedundancy,
                       .code = kReqRedundancySync,
                       .minimum = kMinSeconds,
                       .maximum = kMaxSeconds,
                       .lockWhileDisabled = true,
                       .skipUnchanged = true},
                      parent),
      ui_(std::make_unique<Ui::CRedundancyCtrlDlg>())
{
    ui_->setupUi(this);
}

CRedundancyCtrlDlg::~CRedundancyCtrlDlg() = default;

void CRedundancyCtrlDlg::InitData()
{
    EnableControl(kSyncNowButtonId, BothControlModulesInUse(FindNeById(static_cast<uint32_t>(GetNeId()))));
    CStatePeriodDlg::InitData();
}

void CRedundancyCtrlDlg::SyncNow()
{
    // Synchronising changes the standby module's configuration: an operator who may only look does not.
    if (CheckTargetNe() != 0 || CheckRight(kRightRedundancy, 'm') != 0)
        return;
    if (CRecordRequests()
            .Action(kReqRedundancySyncNow, static_cast<uint32_t>(GetNeId()),
                    {.failureTextId = kStrFailToSynchronizeConfig})
            .Ok())
        ShowInfoTextById(kStrCompleteSynchronizingConfig);
}

int CRedundancyCtrlDlg::OnCommandHook(int id, int code)
{
    if (id == kSyncNowButtonId && code == BN_CLICKED) {
        SyncNow();
        return 1;
    }
    return CStatePeriodDlg::OnCommandHook(id, code);
}
