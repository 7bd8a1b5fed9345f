#include "features/provisioning/link_agg/static_link_agg_dlg.h"

#include "core/tables/access_rights.h"
#include "core/tables/app_data.h"
#include "link/record_requests.h"
#include "link/records/word_record.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_static_link_agg_dlg.h"

CStaticLinkAggDlg::CStaticLinkAggDlg(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CStaticLinkAggDlg>())
{
    ui_->setupUi(this);
}

CStaticLinkAggDlg::~CStaticLinkAggDlg() = default;

void CStaticLinkAggDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Radio(dx, {kEnabledRadioId, kDisabledRadioId}, stateRadio_);
}

void CStaticLinkAggDlg::InitData()
{
    if (CheckRightOrClose(kRightLinkAggregation, 'q') != 0 || CheckTargetNeOrClose() != 0)
        return;
    UpdateCaption(kCaptionNe | kCaptionLocation);
    EnableControl(IDOK, CheckUserRight(AppData().role, kRightLinkAggregation, 'm') != 0);
    const RecordReply<WordRecord> reply = CRecordRequests().Query<WordRecord>(
        kReqStaticLinkAggregation, static_cast<uint32_t>(GetNeId()), {.failureTextId = kStrFailToQuery});
    if (reply.Ok() && !reply.records.empty())
        stateRadio_ = reply.records.front().value == 1 ? 0 : 1;
    UpdateData(false);
}

void CStaticLinkAggDlg::OnOK()
{
    if (!IsControlEnabled(IDOK) || CheckTargetNe() != 0 || !UpdateDialogData())
        return;
    const bool enabled = stateRadio_ == 0;
    if (!CRecordRequests()
             .Modify(kReqStaticLinkAggregation, static_cast<uint32_t>(GetNeId()), WordRecord{enabled ? 1u : 0u},
                     {.failureTextId = kStrFailToUpdateData})
             .Ok())
        return;
    EndDialog(IDOK);
}
