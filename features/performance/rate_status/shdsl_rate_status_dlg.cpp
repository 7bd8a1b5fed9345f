#include "features/performance/rate_status/shdsl_rate_status_dlg.h"

#include "core/tables/access_rights.h"
#include "core/tables/entity_labels.h"
#include "core/tables/entity_node.h"
#include "core/tables/ne_record.h"
#include "core/tables/ne_table.h"
#include "features/performance/pm/pm_port_target.h"
#include "features/performance/rate_status/card_port_pager.h"
#include "link/record_requests.h"
#include "link/records/word_record.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_shdsl_rate_status_dlg.h"

#include <QLineEdit>

CShdslRateStatusDlg::CShdslRateStatusDlg(QWidget* parent)
    : CRecordListDlg(kTemplateId, {.popupName = "REFRESH_LIST", .rowCommands = {}, .exportStem = "ShdslRateStatus"},
                     parent),
      ui_(std::make_unique<Ui::CShdslRateStatusDlg>()),
      rows_(*this, ShdslRateStatusColumns(), [](const ShdslRateStatusRow& row) { return row.number; })
{
    ui_->setupUi(this);
    SetRecordList(rows_);
    SetNoSort(true);
}

CShdslRateStatusDlg::~CShdslRateStatusDlg() = default;

void CShdslRateStatusDlg::InitData()
{
    if (!CheckPmPortTargetOrClose(*this, kRightRateStatus, kShdslPortClass))
        return;
    UpdateCaption(kCaptionNe | kCaptionLocation);
    SetSmallImages();
    InitListColumnsById(kStrColumnsShdslRateStatus);
    rows_.SetRecords(ShdslRateStatusRows());
    Refresh();
}

void CShdslRateStatusDlg::Refresh()
{
    const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
    if (ne == nullptr) {
        ShowAlertTextById(kStrUnknownNe);
        return;
    }
    GetDlgItemAs<QLineEdit>(kEntityId)->clear();
    std::vector<ShdslRateStatusRow> rows = ShdslRateStatusRows();
    rows_.Apply(rows, {});
    const uint32_t port = GetTargetEntity().id;
    const CEntityNode* node = ne->root != nullptr ? ne->root->FindById(port) : nullptr;
    if (node == nullptr) {
        ShowAlertTextById(kStrEntityDoesNotExist);
        return;
    }
    GetDlgItemAs<QLineEdit>(kEntityId)->setText(QString::fromStdString(FormatEntityLocationById(ne, port, true)));
    card_port_pager::EnableButtons(*this, *node);
    if (node->GetParent() == nullptr)
        return;

    const RecordReply<ShdslRateStatusRec> reply = CRecordRequests().Query<ShdslRateStatusRec>(
        kReqShdslRateStatus, static_cast<uint32_t>(GetNeId()), WordRecord{port}, {.failureTextId = kStrFailToQuery});
    if (!reply.Ok() || reply.records.empty())
        return;
    const std::vector<std::string> values = ShdslRateStatusValues(reply.records.front());
    for (size_t i = 0; i < rows.size() && i < values.size(); ++i)
        rows[i].value = values[i];
    rows_.Apply(rows, {});
}

int CShdslRateStatusDlg::OnCommandHook(int id, int code)
{
    if (code != BN_CLICKED)
        return CRecordListDlg::OnCommandHook(id, code);
    if (card_port_pager::IsPagerButton(id)) {
        const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
        if (const std::optional<CEntityId> port = card_port_pager::PortOfButton(ne, GetTargetEntity(), id)) {
            SetTarget(GetNeId(), &*port);
            Refresh();
        }
        return 1;
    }
    return CRecordListDlg::OnCommandHook(id, code);
}
