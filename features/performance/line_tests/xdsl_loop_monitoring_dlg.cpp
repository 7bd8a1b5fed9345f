#include "features/performance/line_tests/xdsl_loop_monitoring_dlg.h"

#include "core/tables/access_rights.h"
#include "features/performance/line_tests/tone_page_commands.h"
#include "link/record_requests.h"
#include "link/records/loop_mon_result_rec.h"
#include "link/records/word_record.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_xdsl_loop_monitoring_dlg.h"

#include <QStringList>

#include <array>

namespace {

constexpr int kPortLevel = 4;

struct PageSetup {
    int tab; // of the loop diagnosis's tab titles, which the two pages share
    const char* chartKey;
    uint32_t yAxisId; // 0: none
    const char* stem;
};
constexpr std::array<PageSetup, 2> kPages = {
    {{1, "LOOPMONMAG", 0, "LMMagnitude"}, {2, "LOOPMONPSD", kStrUnitDbmPerHz, "LMPsd"}}};

std::string Item(uint32_t stringId, int index)
{
    const QStringList items = LoadQString(stringId).split('|');
    return index < items.size() ? items[index].toStdString() : std::string();
}

} // namespace

CXdslLoopMonitoringDlg::CXdslLoopMonitoringDlg(QWidget* parent)
    : CATabDialog(kTemplateId, parent), ui_(std::make_unique<Ui::CXdslLoopMonitoringDlg>())
{
    ui_->setupUi(this);
    SetAccessMode(kAccessModify);
}

CXdslLoopMonitoringDlg::~CXdslLoopMonitoringDlg() = default;

void CXdslLoopMonitoringDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightLoopTests) != 0 || CheckTargetNeOrClose() != 0)
        return;
    if (GetTargetEntity().index.GetLevel() != kPortLevel) {
        ShowAlertTextById(kStrInternalError);
        EndDialog(IDCANCEL);
        return;
    }
    UpdateCaption(kCaptionNe | kCaptionEntity | kCaptionLocation);
    const QRect place = PageRect(*this);
    for (Page page : {kMagnitudePage, kPsdPage}) {
        CXdslBitsAllocationListDlg& tones = TonePage(page);
        tones.SetDisplay(1, LoadString(kStrUnitDb));
        AddPage(CXdslBitsAllocationListDlg::kTemplateId, &tones,
                Item(kStrLoopDiagTabs, kPages[static_cast<size_t>(page)].tab).c_str());
        FitPageInto(tones, place);
    }
    ClearViews();
    control_.Open();
}

void CXdslLoopMonitoringDlg::ClearViews()
{
    for (Page page : {kMagnitudePage, kPsdPage})
        TonePage(page).Reset();
    EnableControls({kGraphId, kExportButtonId}, false);
}

CXdslLoopMonitoringDlg::Page CXdslLoopMonitoringDlg::CurrentPageNumber()
{
    return GetCurrentPage() == &psd_ ? kPsdPage : kMagnitudePage;
}

void CXdslLoopMonitoringDlg::Start()
{
    for (Page page : {kMagnitudePage, kPsdPage})
        TonePage(page).SetHasData(false);
    if (control_.Start({}, [this] { ClearViews(); }))
        ReadResult();
}

void CXdslLoopMonitoringDlg::ReadResult()
{
    const uint32_t port = GetTargetEntity().id;
    const RecordReply<LoopMonResultRec> reply = CRecordRequests().Query<LoopMonResultRec>(
        kReqLoopMonResult, static_cast<uint32_t>(GetNeId()), WordRecord{port}, {.failureTextId = kStrFailToQuery});
    if (!reply.Ok())
        return;
    for (const LoopMonResultRec& rec : reply.records) {
        if (rec.entityId != port || rec.validity != 2)
            continue;
        magnitude_.SetValues(HlogValues<kUpstreamToneCount>(rec.upHlog),
                             HlogValues<kDownstreamToneCount>(rec.downHlog));
        psd_.SetValues(ToneValues(rec.upQln, QlnTenths), ToneValues(rec.downQln, QlnTenths));
        for (Page page : {kMagnitudePage, kPsdPage})
            TonePage(page).Relayout();
        EnableControls({kGraphId, kExportButtonId}, true);
        return;
    }
    ShowAlertTextById(kStrNoData);
}

void CXdslLoopMonitoringDlg::UpdateGraphButton()
{
    EnableControl(kGraphId, control_.Status() == LineTestStatus::kSucceeded);
}

void CXdslLoopMonitoringDlg::OnPageChanged(int tabIndex, int tabControlId)
{
    CATabDialog::OnPageChanged(tabIndex, tabControlId);
    UpdateGraphButton();
}

int CXdslLoopMonitoringDlg::OnCommandHook(int id, int code)
{
    if (code != BN_CLICKED)
        return CATabDialog::OnCommandHook(id, code);
    const Page page = CurrentPageNumber();
    const PageSetup& setup = kPages[static_cast<size_t>(page)];
    switch (id) {
    case CLineTestControl::kStartId:
        Start();
        return 1;
    case kGraphId:
    case kPopupGraph:
        if (IsControlEnabled(kGraphId))
            ShowToneGraph(TonePage(page),
                          {setup.chartKey, windowTitle().toStdString() + " - " + Item(kStrLoopDiagTabs, setup.tab),
                           setup.yAxisId != 0 ? LoadString(setup.yAxisId) : std::string()});
        return 1;
    case kExportButtonId:
    case kPopupExport:
        if (IsControlEnabled(kExportButtonId))
            ExportPageList(*this, TonePage(page), setup.stem, Item(kStrLoopMonExportTitles, static_cast<int>(page)));
        return 1;
    case kPopupClose:
        EndDialog(IDCANCEL);
        return 1;
    default:
        return CATabDialog::OnCommandHook(id, code);
    }
}
