#include "features/provisioning/boards/board_dlg_base.h"

#include "core/entity/entity_type_ids.h"
#include "core/tables/access_rights.h"
#include "core/tables/entity_node.h"
#include "core/tables/ne_table.h"
#include "features/provisioning/boards/board_values.h"
#include "link/pdu_log.h"
#include "link/record_requests.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"

#include <QComboBox>

CBoardDlgBase::CBoardDlgBase(int templateId, QWidget* parent) : CADialog(templateId, parent) {}

const CNeRecord* CBoardDlgBase::Ne() const
{
    return FindNeById(static_cast<uint32_t>(GetNeId()));
}

bool CBoardDlgBase::LoadBoard()
{
    if (CheckAccessRightOrClose(kRightBoardSettings) != 0 || CheckTargetNeOrClose() != 0)
        return false;
    const auto internalError = [this] {
        ShowAlertTextById(kStrInternalError);
        EndDialog(IDCANCEL);
        return false;
    };
    const uint32_t slotId = GetTargetEntity().id;
    if (GetTargetEntity().index.GetLevel() != kEntityLevelSlot)
        return internalError();
    const RecordReply<BoardSettingRec> boards = [this] {
        const CPduLogHold hold;
        return CRecordRequests().Query<BoardSettingRec>(kReqBoardSetting, static_cast<uint32_t>(GetNeId()),
                                                        {.failureTextId = kStrFailToQuery});
    }();
    const auto found = std::find_if(boards.records.begin(), boards.records.end(),
                                    [slotId](const BoardSettingRec& board) { return board.entityId == slotId; });
    const CNeRecord* ne = Ne();
    const CEntityNode* slot = ne != nullptr && ne->root != nullptr ? ne->root->FindById(slotId) : nullptr;
    if (found == boards.records.end() || slot == nullptr)
        return internalError();
    record_ = *found;

    const std::vector<PlannedTypeChoice> choices = PlannedTypeChoices(ne, slotId);
    if (choices.size() < 2) {
        EndDialog(IDCANCEL);
        return false;
    }
    auto* combo = GetDlgItemAs<QComboBox>(kPlannedTypeId);
    if (combo != nullptr) {
        combo->clear();
        for (const PlannedTypeChoice& choice : choices)
            combo->addItem(QString::fromStdString(choice.name), choice.typeId);
        const int planned = combo->findData(slot->GetPlannedType());
        combo->setCurrentIndex(planned >= 0 ? planned : 0);
    }
    UpdateCaption(kCaptionNe | kCaptionEntity | kCaptionLocation);
    const std::string online = BoardTypeName(slot->GetType());
    onlineType_ = online.empty() ? LoadQString(kStrNone) : QString::fromStdString(online);
    EnableControl(kPlannedTypeId, ne->planned == 0);
    EnableControl(IDOK, GetAccessMode() != kAccessQuery);
    return true;
}

uint32_t CBoardDlgBase::ChosenPlannedType() const
{
    const auto* combo = GetDlgItemAs<QComboBox>(kPlannedTypeId);
    return combo != nullptr && combo->currentIndex() >= 0 ? combo->currentData().toUInt() : 0;
}

void CBoardDlgBase::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, kOnlineTypeId, onlineType_);
}

uint32_t CBoardDlgBase::StartOk()
{
    if (CheckRight(kRightBoardSettings, 'm') != 0 || CheckTargetNe() != 0 || !UpdateDialogData())
        return 0;
    const uint32_t planned = ChosenPlannedType();
    if (planned == 0)
        ShowAlertTextById(kStrPleaseSelectOneItem, kPlannedTypeId);
    return planned;
}

bool CBoardDlgBase::WriteBoard(const BoardSettingRec& board)
{
    const CPduLogHold hold;
    const CRecordRequests requests;
    const uint32_t neId = static_cast<uint32_t>(GetNeId());
    if (!requests.Modify(kReqBoardSetting, neId, board, {.failureTextId = kStrFailToUpdateData}).Ok())
        return false;
    const CNeRecord* ne = Ne();
    if (ne != nullptr && ne->planned == 0)
        requests.Query(kReqEntityState, neId, {.failureTextId = 0, .waitDialog = false});
    record_ = board;
    return true;
}
