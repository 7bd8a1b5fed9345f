#include "features/performance/rate_status/shdsl_rate_status_dlg.h"

#include "core/tables/access_rights.h"
#include "features/performance/pm/pm_port_target.h"
#include "link/record_requests.h"
#include "link/records/word_record.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_shdsl_rate_status_dlg.h"

CShdslRateStatusDlg::CShdslRateStatusDlg(QWidget* parent)
    : CRateStatusDlg(kTemplateId, "ShdslRateStatus", parent), ui_(std::make_unique<Ui::CShdslRateStatusDlg>()),
      rows_(*this, ShdslRateStatusColumns(), [](const ShdslRateStatusRow& row) { return row.number; })
{
    ui_->setupUi(this);
    SetRecordList(rows_);
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

void CShdslRateStatusDlg::ClearValues()
{
    std::vector<ShdslRateStatusRow> rows = ShdslRateStatusRows();
    rows_.Apply(rows, {});
}

void CShdslRateStatusDlg::ReadValues(uint32_t port)
{
    const RecordReply<ShdslRateStatusRec> reply = CRecordRequests().Query<ShdslRateStatusRec>(
        kReqShdslRateStatus, static_cast<uint32_t>(GetNeId()), WordRecord{port}, {.failureTextId = kStrFailToQuery});
    if (!reply.Ok() || reply.records.empty())
        return;
    std::vector<ShdslRateStatusRow> rows = ShdslRateStatusRows();
    const std::vector<std::string> values = ShdslRateStatusValues(reply.records.front());
    for (size_t i = 0; i < rows.size() && i < values.size(); ++i)
        rows[i].value = values[i];
    rows_.Apply(rows, {});
}
