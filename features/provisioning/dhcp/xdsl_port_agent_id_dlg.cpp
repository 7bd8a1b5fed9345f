#include "features/provisioning/dhcp/xdsl_port_agent_id_dlg.h"

#include "core/entity/entity_type_ids.h"
#include "core/tables/access_rights.h"
#include "core/tables/entity_labels.h"
#include "core/tables/ne_table.h"
#include "link/record_requests.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_xdsl_port_agent_id_dlg.h"

#include <QLineEdit>

#include <algorithm>

namespace {

constexpr int kCircuitIdChars = 80;
constexpr int kRemoteIdChars = 63;

} // namespace

CXdslPortAgentIdDlg::CXdslPortAgentIdDlg(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CXdslPortAgentIdDlg>())
{
    ui_->setupUi(this);
    SetAccessMode(kAccessModify);
}

CXdslPortAgentIdDlg::~CXdslPortAgentIdDlg() = default;

void CXdslPortAgentIdDlg::SetValues(const DhcpAgentIdRec& values)
{
    values_ = values;
    given_ = true;
}

void CXdslPortAgentIdDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, kCircuitId, values_.circuitId);
    DDX_Text(dx, kRemoteId, values_.remoteId);
}

void CXdslPortAgentIdDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightDhcp) != 0 || CheckTargetNeOrClose() != 0)
        return;
    const CEntityId& port = GetTargetEntity();
    if (port.index.GetLevel() != kEntityLevelPort) {
        ShowAlertTextById(kStrInternalError);
        EndDialog(IDCANCEL);
        return;
    }
    ui_->circuitEdit->setMaxLength(kCircuitIdChars);
    ui_->remoteEdit->setMaxLength(kRemoteIdChars);
    LimitTextToField(kCircuitId, kDhcpAgentCircuitIdWidth);
    LimitTextToField(kRemoteId, kDhcpAgentRemoteIdWidth);
    EnableControl(IDOK, GetAccessMode() != kAccessQuery);
    UpdateCaption(kCaptionNe | kCaptionLocation);
    ui_->port->setText(QString::fromStdString(
        FormatEntityLocation(FindNeById(static_cast<uint32_t>(GetNeId())), port.index, 0, true)));
    if (!given_) {
        DhcpAgentIdRec key;
        key.portId = port.id;
        const RecordReply<DhcpAgentIdRec> reply = CRecordRequests().Query(
            kReqDhcpAgentId, static_cast<uint32_t>(GetNeId()), key, {.failureTextId = kStrFailToQuery});
        if (!reply.Ok()) {
            EnableControl(IDOK, false);
            return;
        }
        const auto found = std::find_if(reply.records.begin(), reply.records.end(),
                                        [&](const DhcpAgentIdRec& rec) { return rec.portId == port.id; });
        if (found == reply.records.end()) {
            ShowAlertTextById(kStrNoData);
            EnableControl(IDOK, false);
            return;
        }
        values_ = *found;
    }
    UpdateData(false);
}

void CXdslPortAgentIdDlg::OnOK()
{
    if (CheckTargetNe() != 0 || !UpdateDialogData())
        return;
    DhcpAgentIdRec rec = values_;
    rec.portId = GetTargetEntity().id;
    if (!CRecordRequests()
             .Modify(kReqDhcpAgentId, static_cast<uint32_t>(GetNeId()), rec, {.failureTextId = kStrFailToUpdateData})
             .Ok())
        return;
    values_ = rec;
    EndDialog(IDOK);
}
