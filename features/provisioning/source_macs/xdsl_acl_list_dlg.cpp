#include "features/provisioning/source_macs/xdsl_acl_list_dlg.h"

#include "core/entity/entity_model_set.h"
#include "core/tables/access_rights.h"
#include "core/tables/entity_labels.h"
#include "core/tables/ne_table.h"
#include "core/util/mac_address.h"
#include "features/provisioning/source_macs/source_mac_verdict.h"
#include "features/provisioning/source_macs/xdsl_vc_vlan_acl_list_dlg.h"
#include "link/records/word_record.h"
#include "platform/list_control.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_xdsl_acl_list_dlg.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// The model flag of NEs whose PVCs carry no VLAN of their own here.
constexpr uint8_t kModelWithoutVlanColumn = 0x08;

std::string KeyOrder(const AclEntryRec& entry)
{
    char key[32];
    std::snprintf(key, sizeof key, "%010u%03u%05u", entry.portId, entry.vpi, entry.vci);
    return key;
}

// The number a cell's text starts with, as the list compares it: "deny" and "permit" hold none and compare as 0,
// a MAC address as the decimal digits of its first byte.
ListValue NumberOfText(const std::string& text)
{
    return ListValue(static_cast<int64_t>(std::strtol(text.c_str(), nullptr, 10)));
}

bool SamePvc(const AclEntryRec& a, const AclEntryRec& b)
{
    return a.portId == b.portId && a.vpi == b.vpi && a.vci == b.vci;
}

} // namespace

uint32_t AclListStateTextId(uint32_t controlState)
{
    return controlState == kAclStateDeny ? kStrAclDeny : kStrAclPermit;
}

CXdslAclListDlg::CXdslAclListDlg(QWidget* parent)
    : CRecordListDlg(kTemplateId,
                     {.popupName = "EDIT_LIST",
                      .rowCommands = {kRowModify},
                      .activateCommand = kModifyButtonId,
                      .right = kRightSourceMacAcl,
                      .exportStem = "xDslAcl"},
                     parent),
      ui_(std::make_unique<Ui::CXdslAclListDlg>()),
      rows_(*this,
            {
                {.order = ListOrder::kArrival},
                {.value =
                     [this](const AclEntryRec& entry) {
                         return ListValue(FormatEntityLocationById(FindNeById(static_cast<uint32_t>(GetNeId())),
                                                                   entry.portId, false));
                     },
                 .order = ListOrder::kText,
                 .sortValue = [](const AclEntryRec& entry) { return ListValue(KeyOrder(entry)); }},
                {.value = &AclEntryRec::vpi, .order = ListOrder::kUnsigned},
                {.value = &AclEntryRec::vci, .order = ListOrder::kUnsigned},
                {.value =
                     [](const AclEntryRec& entry) {
                         return ListValue(LoadString(AclListStateTextId(entry.controlState)));
                     },
                 .order = ListOrder::kSigned,
                 .sortValue =
                     [](const AclEntryRec& entry) {
                         return NumberOfText(LoadString(AclListStateTextId(entry.controlState)));
                     }},
                {.value = [](const AclEntryRec& entry) { return ListValue(FormatMacAddress(entry.mac)); },
                 .order = ListOrder::kSigned,
                 .sortValue = [](const AclEntryRec& entry) { return NumberOfText(FormatMacAddress(entry.mac)); }},
                {.value =
                     [](const AclEntryRec& entry) {
                         return entry.vlanId == 0 ? ListValue(std::string()) : ListValue(entry.vlanId);
                     },
                 .order = ListOrder::kUnsigned,
                 .sortValue = [](const AclEntryRec& entry) { return ListValue(entry.vlanId); }},
                {.value = &AclEntryRec::portId, .order = ListOrder::kUnsigned},
            })
{
    ui_->setupUi(this);
    rows_.QueryOnFill([this] {
        return CRecordRequests().Query(kReqAcl, static_cast<uint32_t>(GetNeId()), WordRecord{GetTargetEntity().id},
                                       {.failureTextId = kStrFailToQuery});
    });
    rows_.SetIntake([this](AclEntryRec& entry) {
        const CEntityId& target = GetTargetEntity();
        return entry.portId == target.id || target.IsAncestorOf(entry.portId);
    });
    rows_.SetTies(ListTies::kArrival);
    SetRecordList(rows_);
}

CXdslAclListDlg::~CXdslAclListDlg() = default;

void CXdslAclListDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightSourceMacAcl) != 0 || CheckTargetNeOrClose() != 0)
        return;
    UpdateCaption(kCaptionNe | kCaptionEntity | kCaptionLocation);
    InitListColumnsById(kStrColumnsSourceMacAcl);
    const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
    const CEntityType* model = ne != nullptr ? FindEntityModel(ne->neModelId) : nullptr;
    if (model != nullptr && (model->GetFlags() & kModelWithoutVlanColumn) != 0)
        SetColumnHidden(kVlanColumn, true);
    FillList();
}

void CXdslAclListDlg::OnModifyRecord(uint32_t key)
{
    const AclEntryRec* row = rows_.Find(key);
    if (row == nullptr)
        return;
    const AclEntryRec pvc = *row;
    CXdslVcVlanAclListDlg dlg(this);
    const CEntityId port(pvc.portId);
    dlg.SetTarget(GetNeId(), &port);
    dlg.SetPvcKey(pvc.vpi, pvc.vci);
    dlg.DoModal();
    if (!dlg.IsChanged())
        return;
    CListControl list = List();
    for (int i = list.GetItemCount() - 1; i >= 0; --i) {
        const uint32_t shown = list.GetItemData(i);
        if (const AclEntryRec* entry = rows_.Find(shown); entry != nullptr && SamePvc(*entry, pvc))
            rows_.Remove(shown);
    }
    std::vector<uint32_t> added;
    for (const AclEntryRec& entry : dlg.Entries())
        added.push_back(rows_.Append(entry));
    for (const uint32_t appended : added)
        list.SetItemSelected(list.FindItemByData(appended), true);
    UpdateRowCommands();
}
