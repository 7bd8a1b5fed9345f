#include "features/performance/long_term/xdsl_long_term_pm_list_dlg.h"

#include "core/tables/access_rights.h"
#include "core/tables/entity_labels.h"
#include "core/tables/ne_table.h"
#include "core/util/date_time_format.h"
#include "features/performance/long_term/xdsl_long_term_pm_add_dlg.h"
#include "features/performance/long_term/xdsl_long_term_pm_interval_dlg.h"
#include "platform/list_control.h"
#include "ui/framework/lists/record_table_model.h"
#include "ui/framework/lists/small_images.h"
#include "ui_xdsl_long_term_pm_list_dlg.h"

#include <ctime>

namespace {

using R = LongTermPmItemRec;

std::string HourText(int32_t time)
{
    return FormatDateHour(static_cast<uint32_t>(time));
}

} // namespace

CXdslLongTermPmListDlg::CXdslLongTermPmListDlg(QWidget* parent)
    : CRecordListDlg(kTemplateId,
                     {.popupName = "SHOW_ADD_DEL_LIST",
                      .rowCommands = {kRowShow, kRowDelete},
                      .activateCommand = kShowButtonId,
                      .right = kRightLongTermPm,
                      // Query and Add open dialogs that check the right themselves; Delete checks 'd'.
                      .dialogChecksRight = true,
                      .targetNeFirst = true,
                      .exportStem = "xDslPmFl"},
                     parent),
      ui_(std::make_unique<Ui::CXdslLongTermPmListDlg>()),
      rows_(*this,
            {{.order = ListOrder::kArrival,
              .image =
                  [](const R& item) {
                      return item.start <= static_cast<int64_t>(std::time(nullptr)) ? kImageStarted : -1;
                  }},
             {.value =
                  [this](const R& item) {
                      return ListValue(
                          FormatEntityLocationById(FindNeById(static_cast<uint32_t>(GetNeId())), item.entityId));
                  },
              .order = ListOrder::kUnsigned,
              .sortValue = [](const R& item) { return ListValue(item.entityId); }},
             {.value = [](const R& item) { return ListValue(HourText(item.start)); },
              .order = ListOrder::kSigned,
              .sortValue = [](const R& item) { return ListValue(item.start); }},
             {.value = [](const R& item) { return ListValue(HourText(item.stop)); },
              .order = ListOrder::kSigned,
              .sortValue = [](const R& item) { return ListValue(item.stop); }},
             {.value = &R::entityId, .order = ListOrder::kUnsigned}},
            &R::entityId)
{
    ui_->setupUi(this);
    rows_.QueryOnFill(kReqLongTermPmItem, kStrFailToQuery);
    rows_.SetFilter([](const R& item) { return item.state == kItemCollecting; });
    rows_.SetTies(ListTies::kKey);
    SetRecordList(rows_);
}

CXdslLongTermPmListDlg::~CXdslLongTermPmListDlg() = default;

void CXdslLongTermPmListDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightLongTermPm) != 0 || CheckTargetNeOrClose() != 0)
        return;
    UpdateCaption(kCaptionNe | kCaptionLocation);
    SetSmallImages();
    InitListColumnsById(kStrColumnsLongTermPmItems);
    FillList();
    // The row of the target port, or of a port below the target.
    const CEntityId& target = GetTargetEntity();
    for (const uint32_t port : rows_.Model().Keys()) {
        if (port == target.id || target.IsAncestorOf(port)) {
            SelectRowByItemData(port);
            break;
        }
    }
}

void CXdslLongTermPmListDlg::OnShowRecord(uint32_t port)
{
    const LongTermPmItemRec* item = rows_.Find(port);
    const CEntityId entity(port);
    CXdslLongTermPmIntervalDlg query(this);
    query.SetTarget(GetNeId(), &entity);
    query.SetRange(item->start, item->stop);
    query.DoModal();
}

void CXdslLongTermPmListDlg::OnAddRecord(std::optional<uint32_t> selected)
{
    const CEntityId entity = selected ? CEntityId(*selected) : GetTargetEntity();
    CXdslLongTermPmAddDlg add(this);
    add.SetTarget(GetNeId(), &entity);
    if (add.DoModal() != IDOK)
        return;
    rows_.Put(add.GetItem());
    // In view, not chosen: the selection stays the operator's.
    CListControl list = List();
    if (const int row = list.IsValid() ? list.FindItemByData(add.GetItem().entityId) : -1; row >= 0)
        list.EnsureVisible(row);
}

void CXdslLongTermPmListDlg::OnDeleteRecord(uint32_t port)
{
    if (!ConfirmDelete())
        return;
    const CRecordRequests requests;
    const RecordReply<LongTermPmItemRec> reply =
        requests.Delete(kReqLongTermPmItem, static_cast<uint32_t>(GetNeId()),
                        LongTermPmItemRec{port, kItemCollecting, 0, 0}, {.failureTextId = kStrFailToDelete});
    if (reply.Ok())
        rows_.Remove(port);
}
