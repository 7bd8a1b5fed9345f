#include "features/provisioning/dhcp/xdsl_port_agent_id_list_dlg.h"

#include "core/tables/access_rights.h"
#include "core/tables/entity_labels.h"
#include "core/tables/entity_node.h"
#include "core/tables/ne_table.h"
#include "features/provisioning/dhcp/xdsl_port_agent_id_dlg.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_xdsl_port_agent_id_list_dlg.h"

CXdslPortAgentIdListDlg::CXdslPortAgentIdListDlg(QWidget* parent)
    : CRecordListDlg(kTemplateId,
                     {.popupName = nullptr,
                      .rowCommands = {kRowModify},
                      .activateCommand = kModifyButtonId,
                      .right = kRightDhcp,
                      .exportStem = "AgentId"},
                     parent),
      ui_(std::make_unique<Ui::CXdslPortAgentIdListDlg>()),
      rows_(*this, Columns(), [](const DhcpAgentIdRec& rec) { return rec.portId; })
{
    ui_->setupUi(this);
    rows_.QueryOnFill([this] {
        DhcpAgentIdRec key;
        key.portId = GetTargetEntity().id;
        return CRecordRequests().Query(kReqDhcpAgentId, static_cast<uint32_t>(GetNeId()), key,
                                       {.failureTextId = kStrFailToQuery});
    });
    SetRecordList(rows_);
}

CXdslPortAgentIdListDlg::~CXdslPortAgentIdListDlg() = default;

// No., Slot-Port, Agent Circuit ID, Agent Remote ID.
std::vector<ListColumn<DhcpAgentIdRec>> CXdslPortAgentIdListDlg::Columns()
{
    return {
        {.order = ListOrder::kArrival},
        {.value =
             [this](const DhcpAgentIdRec& rec) {
                 return ListValue(FormatEntityLocationById(FindNeById(static_cast<uint32_t>(GetNeId())), rec.portId));
             },
         .order = ListOrder::kArrival},
        {.value = &DhcpAgentIdRec::circuitId, .order = ListOrder::kNoCase},
        {.value = &DhcpAgentIdRec::remoteId, .order = ListOrder::kNoCase},
    };
}

void CXdslPortAgentIdListDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightDhcp) != 0 || CheckTargetNeOrClose() != 0)
        return;
    UpdateCaption(kCaptionNe | kCaptionEntity | kCaptionLocation);
    SetSmallImages();
    InitListColumnsById(kStrColumnsPortAgentIds);
    FillList();
}

bool CXdslPortAgentIdListDlg::IsRowCommandOn(const RowCommand& command, std::optional<uint32_t> selected) const
{
    // A port's IDs change only on an NE in service.
    const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
    const bool inService =
        ne != nullptr && ne->root != nullptr && ne->root->IsConnected() && ne->root->GetPlanState() == 0;
    return inService && CRecordListDlg::IsRowCommandOn(command, selected);
}

void CXdslPortAgentIdListDlg::OnModifyRecord(uint32_t portId)
{
    const DhcpAgentIdRec* rec = rows_.Find(portId);
    if (rec == nullptr)
        return;
    CEntityId port(portId);
    CXdslPortAgentIdDlg dlg(this);
    dlg.SetTarget(GetNeId(), &port);
    dlg.SetValues(*rec);
    if (dlg.DoModal() == IDOK)
        rows_.Put(dlg.Values());
}
