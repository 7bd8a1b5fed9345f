#include "features/management/subscribers/subscriber_list_dlg.h"

#include "core/tables/access_rights.h"
#include "core/tables/entity_labels.h"
#include "core/tables/ne_table.h"
#include "core/util/names.h"
#include "features/management/common/server_combos.h"
#include "features/management/subscribers/subscriber_data_dlg.h"
#include "features/management/subscribers/subscriber_fields.h"
#include "link/record_requests.h"
#include "ui/framework/lists/small_images.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_subscriber_list_dlg.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace {

using Column = ListColumn<SubscriberRecord>;

const CNeRecord* NeOf(const SubscriberRecord& rec)
{
    return FindNeById(rec.neId);
}

uint32_t PortOf(const SubscriberRecord& rec)
{
    return rec.entityId & ~kOutOfScopeMark;
}

// The NE's name without regard to case, then the stored entity id: the order of the NE and Slot-Port columns.
ListValue NeAndPortOrder(const SubscriberRecord& rec)
{
    const CNeRecord* ne = NeOf(rec);
    std::string name = ne != nullptr ? ne->name : std::string();
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
    char entity[16];
    std::snprintf(entity, sizeof entity, "%010u", static_cast<unsigned>(rec.entityId));
    return name + '\x01' + entity;
}

Column Text(std::string SubscriberRecord::*field)
{
    return {.value = field, .order = ListOrder::kNoCase};
}

// No., Subscriber ID, Subscriber Name, NE, Slot-Port, Class, Service, Telephone, Mobile, Email, Address.
std::vector<Column> SubscriberColumns()
{
    return {
        {.value = [](const SubscriberRecord& rec) { return ListValue(static_cast<int32_t>(rec.rowNumber)); },
         .order = ListOrder::kUnsigned},
        Text(&SubscriberRecord::subscriberId),
        Text(&SubscriberRecord::name),
        {.value = [](const SubscriberRecord& rec) { return ListValue(NeOf(rec) != nullptr ? NeOf(rec)->name : ""); },
         .order = ListOrder::kText,
         .sortValue = NeAndPortOrder},
        {.value =
             [](const SubscriberRecord& rec) { return ListValue(FormatEntityLocationById(NeOf(rec), PortOf(rec))); },
         .order = ListOrder::kText,
         .sortValue = NeAndPortOrder},
        {.value =
             [](const SubscriberRecord& rec) {
                 return ListValue(LoadString(rec.subscriberClass == kSubscriberEnterprise ? kStrSubscriberEnterprise
                                                                                          : kStrSubscriberHome));
             },
         .order = ListOrder::kUnsigned,
         .sortValue = &SubscriberRecord::subscriberClass,
         .image =
             [](const SubscriberRecord& rec) {
                 return rec.subscriberClass == kSubscriberEnterprise ? kImageEnterpriseUser : kImageHomeUser;
             }},
        {.value =
             [](const SubscriberRecord& rec) {
                 switch (rec.serviceType) {
                 case kServicePppoe:
                     return ListValue(LoadString(kStrServicePppoe));
                 case kServiceDhcp:
                     return ListValue(LoadString(kStrServiceDhcp));
                 default:
                     return ListValue(LoadString(kStrServiceFixedIp));
                 }
             },
         .order = ListOrder::kUnsigned,
         .sortValue = &SubscriberRecord::serviceType},
        Text(&SubscriberRecord::telephone),
        Text(&SubscriberRecord::mobile),
        Text(&SubscriberRecord::email),
        Text(&SubscriberRecord::address),
    };
}

} // namespace

CSubscriberListDlg::CSubscriberListDlg(QWidget* parent)
    : CRecordListDlg(kTemplateId,
                     {.popupName = "ADD_DEL_EDIT_LIST",
                      .rowCommands = {kRowModify, kRowDelete},
                      .activateCommand = kModifyButtonId,
                      .right = kRightSubscribers,
                      .dialogChecksRight = true,
                      .exportStem = "Subscrib"},
                     parent),
      ui_(std::make_unique<Ui::CSubscriberListDlg>()), pages_(*this), rows_(*this, SubscriberColumns())
{
    ui_->setupUi(this);
    pages_.SetQuery([this] { RefillList(); });
    rows_.QueryOnFill([this] {
        const PageRows rows = pages_.TakeWindow();
        SubscriberCriteria criteria;
        criteria.idPattern = idPattern_;
        criteria.namePattern = namePattern_;
        criteria.scopeEntityId = GetTargetEntity().id;
        criteria.firstRow = rows.first;
        criteria.rowCount = rows.count;
        return CRecordRequests().Query(kReqSubscriber, static_cast<uint32_t>(GetNeId()), criteria,
                                       {.failureTextId = kStrFailToQuery});
    });
    // Subscribers of NEs this workstation does not know are left out; those outside the scope are marked.
    rows_.SetIntake([](SubscriberRecord& rec) {
        const CNeRecord* ne = NeOf(rec);
        if (ne == nullptr)
            return false;
        if (ne->inScope == 0)
            rec.entityId |= kOutOfScopeMark;
        return true;
    });
    rows_.SetOnReply([this](const RequestOutcome& reply) { pages_.TakeTotal(reply); });
    rows_.SetMaxRows(kMaxPageRows);
    rows_.SetTies(ListTies::kArrival);
    SetRecordList(rows_);
}

CSubscriberListDlg::~CSubscriberListDlg() = default;

void CSubscriberListDlg::SetPatterns(const std::string& idPattern, const std::string& namePattern)
{
    idPattern_ = idPattern;
    namePattern_ = namePattern;
}

void CSubscriberListDlg::InitData()
{
    if (EndWithoutServer(*this))
        return;
    if (CheckAccessRightOrClose(kRightSubscribers) != 0)
        return;
    SetSmallImages();
    EnableSubItemImages();
    InitListColumnsById(kStrColumnsSubscribers);
    UpdateCaption(kCaptionLocation | kCaptionNe | kCaptionEntity);
    pages_.Show();
    FillList();
}

int CSubscriberListDlg::OnCommandHook(int id, int code)
{
    return pages_.OnCommand(id, code) ? 1 : 0;
}

int CSubscriberListDlg::OnNotifyHook(const NotifyHeader& header, int* /*result*/)
{
    return pages_.OnNotify(header) ? 1 : 0;
}

const SubscriberRecord* CSubscriberListDlg::ChangeableSubscriber(uint32_t row)
{
    const SubscriberRecord* rec = rows_.Find(row);
    if (rec == nullptr)
        return nullptr;
    if ((rec->entityId & kOutOfScopeMark) != 0) {
        ShowAlertTextById(kStrNoPrivilege);
        return nullptr;
    }
    if (NeOf(*rec) == nullptr) {
        ShowAlertTextById(kStrUnknownNe);
        return nullptr;
    }
    return rec;
}

void CSubscriberListDlg::OnModifyRecord(uint32_t row)
{
    const SubscriberRecord* rec = ChangeableSubscriber(row);
    if (rec == nullptr)
        return;
    const CEntityId port(rec->entityId);
    CSubscriberDataDlg dlg(this);
    dlg.SetTarget(static_cast<int>(rec->neId), &port);
    dlg.SetAccessMode(kAccessModify);
    if (dlg.DoModal() != IDOK)
        return;
    SubscriberRecord changed = dlg.GetResult();
    changed.rowNumber = rec->rowNumber;
    rows_.Replace(row, changed);
    SetChangeFlags(GetChangeFlags() | kChangeModified);
}

void CSubscriberListDlg::OnAddRecord(std::optional<uint32_t> selected)
{
    // A new subscriber starts from the selected one's port, when the operator may change it; else from the list's.
    const SubscriberRecord* startFrom = selected ? rows_.Find(*selected) : nullptr;
    CSubscriberDataDlg dlg(this);
    if (startFrom != nullptr && (startFrom->entityId & kOutOfScopeMark) == 0 && NeOf(*startFrom) != nullptr) {
        const CEntityId port(startFrom->entityId);
        dlg.SetTarget(static_cast<int>(startFrom->neId), &port);
    } else {
        dlg.SetTarget(GetNeId(), &GetTargetEntity());
    }
    dlg.SetAccessMode(kAccessCreate);
    if (dlg.DoModal() != IDOK)
        return;
    SubscriberRecord added = dlg.GetResult();
    if (NeOf(added) == nullptr)
        return;
    CPageWindow& window = pages_.Window();
    window.SetTotal(window.Total() + 1);
    added.rowNumber = static_cast<uint32_t>(window.Total());
    pages_.Show();
    ScrollToItemData(rows_.Append(added));
    SetChangeFlags(GetChangeFlags() | kChangeAdded);
}

void CSubscriberListDlg::OnDeleteRecord(uint32_t row)
{
    const SubscriberRecord* rec = ChangeableSubscriber(row);
    if (rec == nullptr || !ConfirmDelete())
        return;
    SubscriberRecord removed;
    removed.neId = rec->neId;
    removed.entityId = rec->entityId;
    removed.subscriberId = rec->subscriberId;
    removed.name = rec->name;
    if (!CRecordRequests().Delete(kReqSubscriber, rec->neId, removed, {.failureTextId = kStrFailToUpdateData}).Ok())
        return;
    rows_.Remove(row);
    SetChangeFlags(GetChangeFlags() | kChangeDeleted);
}

void CSubscriberListDlg::DrawExtras(Dc& dc)
{
    CRecordListDlg::DrawExtras(dc);
    DrawListIconOnControl(dc, *this, kEnterpriseLegendId, kImageEnterpriseUser);
    DrawListIconOnControl(dc, *this, kHomeLegendId, kImageHomeUser);
}
