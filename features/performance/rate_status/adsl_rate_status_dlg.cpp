#include "features/performance/rate_status/adsl_rate_status_dlg.h"

#include "core/tables/access_rights.h"
#include "core/tables/entity_labels.h"
#include "core/tables/entity_node.h"
#include "core/tables/ne_record.h"
#include "core/tables/ne_table.h"
#include "features/performance/pm/pm_port_target.h"
#include "features/performance/rate_status/adsl_rate_status_rows.h"
#include "features/performance/rate_status/card_port_pager.h"
#include "link/pdu_log.h"
#include "link/record_requests.h"
#include "link/records/adsl_power_state_rec.h"
#include "link/records/word_record.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_adsl_rate_status_dlg.h"

#include <QLineEdit>

CAdslRateStatusDlg::CAdslRateStatusDlg(QWidget* parent)
    : CRecordListDlg(kTemplateId, {.popupName = "REFRESH_LIST", .rowCommands = {}, .exportStem = "AdslRateStatus"},
                     parent),
      ui_(std::make_unique<Ui::CAdslRateStatusDlg>()),
      rows_(*this, UpDownColumns(), [](const UpDownRow& row) { return row.number; })
{
    ui_->setupUi(this);
    SetRecordList(rows_);
    SetNoSort(true);
}

CAdslRateStatusDlg::~CAdslRateStatusDlg() = default;

void CAdslRateStatusDlg::InitData()
{
    if (!CheckPmPortTargetOrClose(*this, kRightRateStatus, kAdslPortClass))
        return;
    UpdateCaption(kCaptionNe | kCaptionLocation);
    SetSmallImages();
    InitListColumnsById(kStrColumnsAdslRateStatus);
    rows_.SetRecords(UpDownRows(kStrAdslRateStatusItems));
    SetColumnSamples(1, {QStringLiteral("reserved or unknown")});
    SetColumnSamples(2, {QStringLiteral("99999")});
    Refresh();
}

void CAdslRateStatusDlg::ClearRows()
{
    std::vector<UpDownRow> rows = UpDownRows(kStrAdslRateStatusItems);
    rows_.Apply(rows, {});
}

void CAdslRateStatusDlg::Refresh()
{
    const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
    if (ne == nullptr) {
        ShowAlertTextById(kStrUnknownNe);
        return;
    }
    GetDlgItemAs<QLineEdit>(kEntityId)->clear();
    ClearRows();
    EnableControls({kToL0Id, kToL2Id, kToL3Id}, false);
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

    const RecordReply<AdslRateStatusRec> reply = CRecordRequests().Query<AdslRateStatusRec>(
        kReqAdslRateStatus, static_cast<uint32_t>(GetNeId()), WordRecord{port}, {.failureTextId = kStrFailToQuery});
    if (!reply.Ok() || reply.records.empty())
        return;
    const AdslRateStatusView view = ViewOfRateStatus(reply.records.front());
    std::vector<UpDownRow> rows = UpDownRows(kStrAdslRateStatusItems);
    for (size_t i = 0; i < rows.size() && i < view.rows.size(); ++i) {
        rows[i].downstream = view.rows[i].downstream;
        rows[i].upstream = view.rows[i].upstream;
    }
    rows_.Apply(rows, {});
    EnableControl(kToL0Id, view.toL0);
    EnableControl(kToL2Id, view.toL2);
    EnableControl(kToL3Id, view.toL3);
}

void CAdslRateStatusDlg::Transit(uint32_t state)
{
    const CPduLogHold hold;
    const RequestOutcome outcome = CRecordRequests().Action(kReqAdslPowerState, static_cast<uint32_t>(GetNeId()),
                                                            AdslPowerStateRec{GetTargetEntity().id, state},
                                                            {.failureTextId = kStrFailToUpdateData});
    if (!outcome.Ok())
        return;
    // The line takes a moment to get there; the status is read once it has.
    EnableControls({kToL0Id, kToL2Id, kToL3Id}, false);
    SetTimer(kTransitTimer, state == kAdslPowerL0 ? kL0WaitMs : kL2L3WaitMs);
}

void CAdslRateStatusDlg::OnTimer(int id)
{
    if (id != kTransitTimer) {
        CRecordListDlg::OnTimer(id);
        return;
    }
    KillTimer(kTransitTimer);
    Refresh();
}

int CAdslRateStatusDlg::OnCommandHook(int id, int code)
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
    switch (id) {
    case kToL0Id:
        Transit(kAdslPowerL0);
        return 1;
    case kToL2Id:
        Transit(kAdslPowerL2);
        return 1;
    case kToL3Id:
        Transit(kAdslPowerL3ByCo);
        return 1;
    default:
        return CRecordListDlg::OnCommandHook(id, code);
    }
}
