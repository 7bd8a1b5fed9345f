#include "features/performance/line_tests/xdsl_loop_diag_rate_dlg.h"

#include "features/performance/line_tests/line_test_protocol.h"
#include "link/records/loop_diag_result_rec.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_xdsl_loop_diag_rate_dlg.h"

namespace {

std::string ValueText(int32_t value)
{
    return value == kToneNoData ? "--" : std::to_string(value);
}

} // namespace

CXdslLoopDiagRateDlg::CXdslLoopDiagRateDlg(QWidget* parent)
    : CRecordListDlg(kTemplateId, {.popupName = "GENERIC_LIST", .rowCommands = {}}, parent),
      ui_(std::make_unique<Ui::CXdslLoopDiagRateDlg>()),
      rows_(*this, UpDownColumns(), [](const UpDownRow& row) { return row.number; })
{
    ui_->setupUi(this);
    SetRecordList(rows_);
    SetNoSort(true);
    rows_.SetRecords(UpDownRows(kStrLoopDiagRateItems));
    Reset();
}

CXdslLoopDiagRateDlg::~CXdslLoopDiagRateDlg() = default;

void CXdslLoopDiagRateDlg::InitData()
{
    InitListColumnsById(kStrColumnsLoopDiagRate);
}

void CXdslLoopDiagRateDlg::Reset()
{
    Values none;
    none.fill(kToneNoData);
    SetValues(none, none);
    hasData_ = false;
}

void CXdslLoopDiagRateDlg::SetValues(const Values& downstream, const Values& upstream)
{
    std::vector<UpDownRow> rows = UpDownRows(kStrLoopDiagRateItems);
    for (size_t i = 0; i < rows.size() && i < kItemCount; ++i) {
        rows[i].downstream = ValueText(downstream[i]);
        rows[i].upstream = ValueText(upstream[i]);
    }
    rows_.Apply(rows, {});
}

CXdslLoopDiagRateDlg::Values CXdslLoopDiagRateDlg::DownstreamOf(const LoopDiagResultRec& rec)
{
    return {static_cast<int32_t>(rec.downAttainableRate), rec.downLoopAttenuation, rec.downSignalAttenuation,
            rec.downSnrMargin, rec.downTxPower};
}

CXdslLoopDiagRateDlg::Values CXdslLoopDiagRateDlg::UpstreamOf(const LoopDiagResultRec& rec)
{
    return {static_cast<int32_t>(rec.upAttainableRate), rec.upLoopAttenuation, rec.upSignalAttenuation, rec.upSnrMargin,
            rec.upTxPower};
}

bool CXdslLoopDiagRateDlg::OnCommand(int id, int code)
{
    // Export and Close of the popup are the owner's: its Export of the current page, its Close.
    CADialog* owner = ParentDialog();
    if (code == BN_CLICKED && owner != nullptr && (id == kPopupExport || id == kPopupClose)) {
        owner->OnCommand(id, code);
        return true;
    }
    return CRecordListDlg::OnCommand(id, code);
}
