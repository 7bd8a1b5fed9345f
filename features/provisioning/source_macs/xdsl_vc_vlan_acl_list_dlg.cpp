#include "features/provisioning/source_macs/xdsl_vc_vlan_acl_list_dlg.h"

#include "core/entity/entity_type_ids.h"
#include "core/tables/access_rights.h"
#include "core/util/mac_address.h"
#include "features/provisioning/source_macs/xdsl_acl_dlg.h"
#include "link/records/word_record.h"
#include "platform/list_control.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_xdsl_vc_vlan_acl_list_dlg.h"

namespace {

std::vector<ListColumn<AclEntryRec>> Columns()
{
    return {{.value = [](const AclEntryRec& entry) { return ListValue(FormatMacAddress(entry.mac)); },
             .order = ListOrder::kText}};
}

} // namespace

CXdslVcVlanAclListDlg::CXdslVcVlanAclListDlg(QWidget* parent)
    : CRecordListDlg(kTemplateId, {.rowCommands = {kRowDelete}, .right = kRightSourceMacAcl}, parent),
      ui_(std::make_unique<Ui::CXdslVcVlanAclListDlg>()), rows_(*this, Columns())
{
    ui_->setupUi(this);
    rows_.QueryOnFill([this] { return QueryEntries(); });
    rows_.SetIntake([this](AclEntryRec& entry) {
        if (entry.portId != pvc_.portId || entry.vpi != pvc_.vpi || entry.vci != pvc_.vci)
            return false;
        pvc_.controlState = entry.controlState;
        return true;
    });
    SetRecordList(rows_);
}

CXdslVcVlanAclListDlg::~CXdslVcVlanAclListDlg() = default;

void CXdslVcVlanAclListDlg::SetPvcKey(uint8_t vpi, uint16_t vci)
{
    pvc_.vpi = vpi;
    pvc_.vci = vci;
}

std::vector<AclEntryRec> CXdslVcVlanAclListDlg::Entries() const
{
    std::vector<AclEntryRec> entries;
    const CListControl list = List();
    for (int row = 0; list.IsValid() && row < list.GetItemCount(); ++row) {
        if (const AclEntryRec* entry = rows_.Find(list.GetItemData(row)))
            entries.push_back(*entry);
    }
    return entries;
}

void CXdslVcVlanAclListDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, kPvcId, pvcText_);
    DDX_Text(dx, kStateId, stateText_);
}

void CXdslVcVlanAclListDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightSourceMacAcl) != 0 || CheckTargetNeOrClose() != 0 ||
        CheckPortTargetOrClose() != 0)
        return;
    pvc_.portId = GetTargetEntity().id;
    pvcText_ = PvcText(GetNeId(), pvc_.portId, pvc_.vpi, pvc_.vci);
    UpdateCaption(kCaptionNe);
    InitListColumnsById(kStrColumnsPvcSourceMacs);
    Refresh();
}

RecordReply<AclEntryRec> CXdslVcVlanAclListDlg::QueryEntries()
{
    return CRecordRequests().Query(kReqAcl, static_cast<uint32_t>(GetNeId()), WordRecord{pvc_.portId},
                                   {.failureTextId = kStrFailToQuery});
}

void CXdslVcVlanAclListDlg::Refresh()
{
    pvc_.controlState = 0;
    RefillList();
    stateText_ = List().GetItemCount() > 0 ? LoadQString(AclStateTextId(pvc_.controlState)) : QString();
    UpdateData(false);
    EnableControl(kAddButtonId, List().GetItemCount() < static_cast<int>(kMaxSourceMacs));
}

void CXdslVcVlanAclListDlg::OnRefresh()
{
    Refresh();
}

void CXdslVcVlanAclListDlg::OnAddRecord(std::optional<uint32_t>)
{
    if (List().GetItemCount() >= static_cast<int>(kMaxSourceMacs))
        return;
    CXdslAclDlg dlg(this);
    const CEntityId port(pvc_.portId);
    dlg.SetTarget(GetNeId(), &port);
    dlg.SetPvc(pvc_.vpi, pvc_.vci, pvc_.controlState);
    if (dlg.DoModal() != IDOK)
        return;
    changed_ = true;
    Refresh();
}

void CXdslVcVlanAclListDlg::OnDeleteRecord(uint32_t key)
{
    const AclEntryRec* entry = rows_.Find(key);
    if (entry == nullptr || !ConfirmDelete())
        return;
    // The PVC's key and the MAC name the entry; its VLAN and state are the NE's and go as zero.
    AclEntryRec named;
    named.portId = entry->portId;
    named.vpi = entry->vpi;
    named.vci = entry->vci;
    named.mac = entry->mac;
    if (!CRecordRequests()
             .Delete(kReqAcl, static_cast<uint32_t>(GetNeId()), named, {.failureTextId = kStrFailToDelete})
             .Ok())
        return;
    rows_.Remove(key);
    changed_ = true;
    UpdateRowCommands();
    EnableControl(kAddButtonId, List().GetItemCount() < static_cast<int>(kMaxSourceMacs));
}
