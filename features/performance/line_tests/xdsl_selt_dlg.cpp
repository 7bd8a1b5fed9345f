#include "features/performance/line_tests/xdsl_selt_dlg.h"

#include "core/tables/access_rights.h"
#include "link/record_requests.h"
#include "link/records/selt_result_rec.h"
#include "link/records/word_record.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_xdsl_selt_dlg.h"

#include <QLineEdit>

namespace {

constexpr int kPortLevel = 4;

} // namespace

CXdslSeltDlg::CXdslSeltDlg(QWidget* parent) : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CXdslSeltDlg>())
{
    ui_->setupUi(this);
    SetAccessMode(kAccessModify);
}

CXdslSeltDlg::~CXdslSeltDlg() = default;

void CXdslSeltDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightLoopTests) != 0 || CheckTargetNeOrClose() != 0)
        return;
    if (GetTargetEntity().index.GetLevel() != kPortLevel) {
        ShowAlertTextById(kStrInternalError);
        EndDialog(IDCANCEL);
        return;
    }
    UpdateCaption(kCaptionNe | kCaptionEntity | kCaptionLocation);
    ShowResult({}, {});
    control_.Open();
}

void CXdslSeltDlg::ShowResult(const QString& cableType, const QString& reachLength)
{
    GetDlgItemAs<QLineEdit>(kCableTypeId)->setText(cableType);
    GetDlgItemAs<QLineEdit>(kReachLengthId)->setText(reachLength);
}

void CXdslSeltDlg::Start()
{
    if (CheckTargetNe() != 0)
        return;
    ShowResult({}, {});
    if (control_.Start({}, [] {}))
        ReadResult();
}

void CXdslSeltDlg::ReadResult()
{
    const uint32_t port = GetTargetEntity().id;
    const RecordReply<SeltResultRec> reply = CRecordRequests().Query<SeltResultRec>(
        kReqSeltResult, static_cast<uint32_t>(GetNeId()), WordRecord{port}, {.failureTextId = kStrFailToQuery});
    if (!reply.Ok())
        return;
    for (const SeltResultRec& rec : reply.records) {
        if (rec.entityId == port && rec.validity == 2) {
            ShowResult(QString::fromStdString(CableTypeText(rec.cableType)), QString::number(rec.reachLength));
            return;
        }
    }
    ShowAlertTextById(kStrNoData);
}

int CXdslSeltDlg::OnCommandHook(int id, int code)
{
    if (id == CLineTestControl::kStartId && code == BN_CLICKED) {
        Start();
        return 1;
    }
    return CADialog::OnCommandHook(id, code);
}
