#include "features/provisioning/boards/board_setting_list_dlg.h"

#include "core/tables/access_rights.h"
#include "core/tables/entity_labels.h"
#include "core/tables/entity_node.h"
#include "core/tables/ne_table.h"
#include "features/provisioning/boards/board_setting_dlg.h"
#include "features/provisioning/boards/board_values.h"
#include "features/provisioning/boards/set_board_type_dlg.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_board_setting_list_dlg.h"

#include <functional>

namespace {

constexpr uint16_t kRunTimeEnabled = 1;
constexpr uint16_t kRunTimeDisabled = 2;

const CNeRecord* NeOf(const CADialog& dialog)
{
    return FindNeById(static_cast<uint32_t>(dialog.GetNeId()));
}

bool Connected(const CNeRecord* ne, uint32_t slotId)
{
    return ne != nullptr && ne->root != nullptr && ne->root->IsConnectedById(slotId);
}

std::string EnabledText(bool on)
{
    return LoadString(on ? kStrStateEnabled : kStrStateDisabled);
}

std::string TaggedText(uint32_t mode)
{
    return LoadString(mode == 1 ? kStrTaggedOnly : kStrUntaggedOnly);
}

// A setting's cell: shown for the kinds that take it, and only while the board's planned type has a model.
using Shown = std::function<std::string(const CNeRecord*, const BoardSettingRec&, BoardKind)>;

ListColumn<BoardSettingRec> SettingColumn(const CADialog& dialog, Shown shown)
{
    return {.value =
                [&dialog, shown](const BoardSettingRec& board) {
                    const CNeRecord* ne = NeOf(dialog);
                    if (BoardTypeName(board.plannedType).empty())
                        return ListValue(std::string());
                    return ListValue(shown(ne, board, BoardKindOf(ne, board.entityId)));
                },
            .order = ListOrder::kNoCase80};
}

std::vector<ListColumn<BoardSettingRec>> Columns(const CADialog& dialog)
{
    const auto xdsl = [](BoardKind kind) { return kind == BoardKind::kXdslWithPvcs; };
    const auto tagged = [](BoardKind kind) {
        return kind == BoardKind::kXdslWithPvcs || kind == BoardKind::kTrunkCard;
    };
    return {
        {.order = ListOrder::kArrival},
        {.value =
             [&dialog](const BoardSettingRec& board) {
                 return ListValue(FormatEntityLocationById(NeOf(dialog), board.entityId, false));
             },
         .order = ListOrder::kUnsigned,
         .sortValue = [](const BoardSettingRec& board) { return ListValue(board.entityId); }},
        {.value = [](const BoardSettingRec& board) { return ListValue(BoardTypeName(board.plannedType)); },
         .order = ListOrder::kNoCase80},
        {.value = [](const BoardSettingRec& board) { return ListValue(BoardTypeName(board.onlineType)); },
         .order = ListOrder::kNoCase80},
        SettingColumn(dialog,
                      [xdsl](const CNeRecord*, const BoardSettingRec& board, BoardKind kind) {
                          return xdsl(kind) ? LoadString(board.aal5Encapsulation == 1 ? kStrAal5Llc : kStrAal5VcMux)
                                            : std::string();
                      }),
        SettingColumn(dialog,
                      [xdsl](const CNeRecord*, const BoardSettingRec& board, BoardKind kind) {
                          return xdsl(kind) ? EnabledText(board.vlanTagPassThrough == 1) : std::string();
                      }),
        SettingColumn(dialog,
                      [xdsl](const CNeRecord* ne, const BoardSettingRec& board, BoardKind kind) {
                          if (!xdsl(kind) || !Connected(ne, board.entityId))
                              return std::string();
                          return board.runtimeVlanTagPassThrough == kRunTimeEnabled    ? EnabledText(true)
                                 : board.runtimeVlanTagPassThrough == kRunTimeDisabled ? EnabledText(false)
                                                                                       : std::string();
                      }),
        SettingColumn(dialog,
                      [xdsl](const CNeRecord*, const BoardSettingRec& board, BoardKind kind) {
                          return xdsl(kind) ? EnabledText(board.serviceTypeControl == 1) : std::string();
                      }),
        {.value =
             [&dialog, xdsl](const BoardSettingRec& board) {
                 return ListValue(xdsl(BoardKindOf(NeOf(dialog), board.entityId)) ? "1" : "");
             },
         .order = ListOrder::kUnsigned,
         .sortValue = [](const BoardSettingRec& board) { return ListValue(board.entityId); }},
        SettingColumn(dialog,
                      [tagged](const CNeRecord*, const BoardSettingRec& board, BoardKind kind) {
                          return tagged(kind) ? TaggedText(board.taggedMode) : std::string();
                      }),
        SettingColumn(dialog,
                      [tagged](const CNeRecord* ne, const BoardSettingRec& board, BoardKind kind) {
                          const bool shown = kind == BoardKind::kTrunkCard ||
                                             (kind == BoardKind::kXdslWithPvcs && Connected(ne, board.entityId));
                          return tagged(kind) && shown ? TaggedText(board.runtimeTaggedMode) : std::string();
                      }),
    };
}

} // namespace

CBoardSettingListDlg::CBoardSettingListDlg(QWidget* parent)
    : CRecordListDlg(kTemplateId,
                     {.popupName = "EDIT_LIST",
                      .rowCommands = {kRowModify},
                      .activateCommand = kModifyButtonId,
                      .right = kRightBoardSettings,
                      .dialogChecksRight = true,
                      .exportStem = "BoardSet"},
                     parent),
      ui_(std::make_unique<Ui::CBoardSettingListDlg>()),
      rows_(*this, Columns(*this), [](const BoardSettingRec& board) { return board.entityId; })
{
    ui_->setupUi(this);
    rows_.QueryOnFill(kReqBoardSetting, kStrFailToQuery);
    rows_.SetFilter([this](const BoardSettingRec& board) {
        return board.entityId == scope_.id || scope_.IsAncestorOf(board.entityId);
    });
    rows_.SetTies(ListTies::kArrival);
    SetRecordList(rows_);
}

CBoardSettingListDlg::~CBoardSettingListDlg() = default;

void CBoardSettingListDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightBoardSettings) != 0 || CheckTargetNeOrClose() != 0)
        return;
    const CEntityIndex& target = GetTargetEntity().index;
    scope_.SetLevels(target.Ne() != 0 ? target.Ne() : 1, target.Shelf(), target.Slot(), 0, 0);
    UpdateCaption(kCaptionNe | kCaptionEntity | kCaptionLocation);
    SetSmallImages();
    InitListColumnsById(kStrColumnsBoardSettings);
    FillList();
}

void CBoardSettingListDlg::OnModifyRecord(uint32_t key)
{
    const BoardSettingRec* board = rows_.Find(key);
    if (board == nullptr)
        return;
    const CEntityId slot(board->entityId);
    const auto run = [&](CBoardDlgBase& dlg) {
        dlg.SetTarget(GetNeId(), &slot);
        dlg.SetAccessMode(kAccessModify);
        if (dlg.DoModal() == IDOK)
            rows_.Put(dlg.GetRecord());
    };
    if (BoardKindOf(NeOf(*this), board->entityId) == BoardKind::kXdslWithPvcs) {
        CBoardSettingDlg dlg(this);
        run(dlg);
    } else {
        CSetBoardTypeDlg dlg(this);
        run(dlg);
    }
}
