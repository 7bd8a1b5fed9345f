#include "features/management/oplog/user_op_log_list_dlg.h"

#include "core/tables/access_rights.h"
#include "core/tables/ne_table.h"
#include "core/util/date_time_format.h"
#include "features/management/common/server_combos.h"
#include "features/management/oplog/op_log_text.h"
#include "link/record_requests.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_user_op_log_list_dlg.h"

namespace {

using Column = ListColumn<OpLogRecord>;

// The target NE's name; " <unknown>" for an NE the table does not hold, nothing for none.
ListValue TargetNe(const OpLogRecord& entry)
{
    if (entry.neId == 0)
        return std::string();
    const CNeRecord* ne = FindNeById(entry.neId);
    return ne != nullptr ? ne->name : LoadString(kStrUnknownNeName);
}

Column Part(size_t part)
{
    return {.value = [part](const OpLogRecord& entry) { return ListValue(SplitOpLogText(entry.operation)[part]); },
            .order = ListOrder::kText};
}

// No., User, Operation Time, Login Location, Target NE, Function, Action, Parameters.
std::vector<Column> EntryColumns()
{
    return {
        {.value = &OpLogRecord::recordNo, .order = ListOrder::kUnsigned},
        {.value = &OpLogRecord::operatorName, .order = ListOrder::kText},
        {.value = [](const OpLogRecord& entry) { return ListValue(FormatDateTime(entry.time)); },
         .order = ListOrder::kUnsigned,
         .sortValue = &OpLogRecord::time},
        {.value = [](const OpLogRecord& entry) { return ListValue(entry.fromIp); }, .order = ListOrder::kIpv4},
        {.value = TargetNe, .order = ListOrder::kText},
        Part(0),
        Part(1),
        Part(2),
    };
}

} // namespace

CUserOpLogListDlg::CUserOpLogListDlg(QWidget* parent)
    : CRecordListDlg(kTemplateId,
                     {.popupName = nullptr,
                      .rowCommands = {},
                      .activateCommand = 0,
                      .right = kRightOperationLog,
                      .exportStem = "UserLog"},
                     parent),
      ui_(std::make_unique<Ui::CUserOpLogListDlg>()), pages_(*this), rows_(*this, EntryColumns())
{
    ui_->setupUi(this);
    pages_.SetQuery([this] { RefillList(); });
    rows_.QueryOnFill([this] {
        const PageRows rows = pages_.TakeWindow();
        criteria_.firstRecord = rows.first;
        criteria_.recordCount = rows.count;
        return CRecordRequests().Query(kReqOpLog, neId_, criteria_, {.failureTextId = kStrFailToQuery});
    });
    rows_.SetOnReply([this](const RequestOutcome& reply) { pages_.TakeTotal(reply); });
    rows_.SetMaxRows(kMaxPageRows);
    rows_.SetTies(ListTies::kArrival);
    SetRecordList(rows_);
}

CUserOpLogListDlg::~CUserOpLogListDlg() = default;

void CUserOpLogListDlg::SetCriteria(const std::string& operatorName, uint32_t neId, uint32_t startTime,
                                    uint32_t stopTime)
{
    criteria_.operatorName = operatorName;
    criteria_.startTime = startTime;
    criteria_.stopTime = stopTime;
    neId_ = neId;
    SetTarget(static_cast<int>(neId), nullptr);
}

void CUserOpLogListDlg::InitData()
{
    if (EndWithoutServer(*this))
        return;
    if (CheckAccessRightOrClose(kRightOperationLog) != 0)
        return;
    UpdateCaption(kCaptionNe);
    InitListColumnsById(kStrColumnsOpLog);
    pages_.Show();
    FillList();
}

int CUserOpLogListDlg::OnCommandHook(int id, int code)
{
    return pages_.OnCommand(id, code) ? 1 : 0;
}

int CUserOpLogListDlg::OnNotifyHook(const NotifyHeader& header, int* /*result*/)
{
    return pages_.OnNotify(header) ? 1 : 0;
}
