#include "features/provisioning/static_macs/xdsl_fdb_config_list_dlg.h"

#include "core/entity/entity_model_set.h"
#include "core/entity/entity_type.h"
#include "core/tables/access_rights.h"
#include "core/tables/entity_labels.h"
#include "core/tables/ne_table.h"
#include "core/util/mac_address.h"
#include "features/provisioning/static_macs/xdsl_static_mac_dlg.h"
#include "link/record_requests.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_xdsl_fdb_config_list_dlg.h"

namespace {

constexpr uint8_t kModelWithoutVlanColumn = 0x08;

uint32_t StatusTextId(uint32_t status)
{
    switch (status) {
    case 1:
        return kStrFdbLearnedUnique;
    case 2:
        return kStrFdbLearnedSpoofedActive;
    case 3:
        return kStrFdbLearnedSpoofedInactive;
    case 4:
        return kStrFdbAclDeny;
    case 5:
        return kStrFdbAclPermit;
    case 6:
        return kStrFdbVirtualMac;
    case 7:
        return kStrFdbStatic;
    case 8:
        return kStrFdbLearnedUniqueNonAged;
    default:
        return 0;
    }
}

std::vector<ListColumn<FdbEntryRec>> FdbColumns(const CXdslFdbConfigListDlg& dialog)
{
    return {
        {.order = ListOrder::kArrival},
        {.value =
             [&dialog](const FdbEntryRec& entry) {
                 return ListValue(
                     FormatEntityLocationById(FindNeById(static_cast<uint32_t>(dialog.GetNeId())), entry.portId));
             },
         .order = ListOrder::kText},
        {.value = [](const FdbEntryRec& entry) { return ListValue(entry.vpi); }, .order = ListOrder::kUnsigned},
        {.value = [](const FdbEntryRec& entry) { return ListValue(entry.vci); }, .order = ListOrder::kUnsigned},
        {.value = [](const FdbEntryRec& entry) { return ListValue(FormatMacAddress(entry.mac)); },
         .order = ListOrder::kText},
        {.value =
             [](const FdbEntryRec& entry) {
                 return entry.vlanId == 0 ? ListValue("-") : ListValue(static_cast<uint32_t>(entry.vlanId));
             },
         .order = ListOrder::kUnsigned,
         .sortValue = [](const FdbEntryRec& entry) { return ListValue(static_cast<uint32_t>(entry.vlanId)); }},
        {.value = &FdbEntryRec::portId, .order = ListOrder::kUnsigned},
        {.value =
             [](const FdbEntryRec& entry) {
                 const uint32_t id = StatusTextId(entry.status);
                 return ListValue(id == 0 ? std::string() : LoadString(id));
             },
         .order = ListOrder::kText},
    };
}

} // namespace

CXdslFdbConfigListDlg::CXdslFdbConfigListDlg(QWidget* parent)
    : CRecordListDlg(kTemplateId,
                     {.popupName = "ADD_DEL_REFRESH_LIST2",
                      .rowCommands = {kRowDelete},
                      .right = kRightFilteringDatabase,
                      .dialogChecksRight = true,
                      .targetNeFirst = true,
                      .exportStem = "xDslFdbConfig"},
                     parent),
      ui_(std::make_unique<Ui::CXdslFdbConfigListDlg>()), rows_(*this, FdbColumns(*this))
{
    ui_->setupUi(this);
    rows_.QueryOnFill([this] {
        FdbQueryRec query;
        query.entityId = GetTargetEntity().id;
        return CRecordRequests().Query(kReqStaticFdb, static_cast<uint32_t>(GetNeId()), query,
                                       {.failureTextId = kStrFailToQuery});
    });
    rows_.SetTies(ListTies::kArrival);
    SetRecordList(rows_);
}

CXdslFdbConfigListDlg::~CXdslFdbConfigListDlg() = default;

void CXdslFdbConfigListDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightFilteringDatabase) != 0 || CheckTargetNeOrClose() != 0)
        return;
    UpdateCaption(kCaptionNe | kCaptionEntity | kCaptionLocation);
    SetSmallImages();
    InitListColumnsById(kStrColumnsStaticFdb);
    const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
    const CEntityType* model = ne != nullptr ? FindEntityModel(ne->neModelId) : nullptr;
    if (model != nullptr && (model->GetFlags() & kModelWithoutVlanColumn) != 0)
        SetColumnHidden(kVlanColumn, true);
    FillList();
}

void CXdslFdbConfigListDlg::OnAddRecord(std::optional<uint32_t> selected)
{
    const FdbEntryRec* row = selected ? rows_.Find(*selected) : nullptr;
    CXdslStaticMacDlg dlg(this);
    if (row != nullptr) {
        const CEntityId port(row->portId);
        dlg.SetTarget(GetNeId(), &port);
        dlg.SetEntry(*row);
    } else {
        // The list's target, which the dialog takes only when it is a port.
        dlg.SetTarget(GetNeId(), &GetTargetEntity());
    }
    if (dlg.DoModal() != IDOK)
        return;
    rows_.Append(dlg.GetEntry());
    RefillList();
}

void CXdslFdbConfigListDlg::OnDeleteRecord(uint32_t row)
{
    const FdbEntryRec* entry = rows_.Find(row);
    if (entry == nullptr || !ConfirmDelete())
        return;
    FdbEntryRec key;
    key.portId = entry->portId;
    key.vpi = entry->vpi;
    key.vci = entry->vci;
    key.mac = entry->mac;
    if (CRecordRequests()
            .Delete(kReqStaticFdb, static_cast<uint32_t>(GetNeId()), key, {.failureTextId = kStrFailToUpdateData})
            .Ok())
        rows_.Remove(row);
}
