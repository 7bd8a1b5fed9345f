#include "features/performance/line_tests/xdsl_loop_diagnosis_dlg.h"

#include "core/tables/access_rights.h"
#include "features/performance/line_tests/tone_page_commands.h"
#include "link/record_requests.h"
#include "link/records/adsl_line_profile_rec.h"
#include "link/records/adsl_port_rec.h"
#include "link/records/loop_diag_result_rec.h"
#include "link/records/word_record.h"
#include "ui/framework/dialogs/dialog_registry.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_xdsl_loop_diagnosis_dlg.h"

#include <QComboBox>
#include <QStringList>

#include <array>

namespace {

constexpr int kPortLevel = 4;
constexpr char kAdslLineProfileDlg[] = "CAdslLineProfileDlg";
constexpr uint32_t kChannelFast = 2;
constexpr uint32_t kChannelInterleaved = 3;

struct PageSetup {
    const char* chartKey;
    uint32_t yAxisId; // 0: none
    const char* stem;
};
constexpr std::array<PageSetup, 4> kPages = {{{"", 0, "LDRate"},
                                              {"LOOPDIAGMAG", 0, "LDMagnitude"},
                                              {"LOOPDIAGPSD", kStrUnitDbmPerHz, "LDPsd"},
                                              {"LOOPDIAGSNR", kStrUnitDb, "LDSnr"}}};

std::string Item(uint32_t stringId, int index)
{
    const QStringList items = LoadQString(stringId).split('|');
    return index < items.size() ? items[index].toStdString() : std::string();
}

} // namespace

CXdslLoopDiagnosisDlg::CXdslLoopDiagnosisDlg(QWidget* parent)
    : CATabDialog(kTemplateId, parent), ui_(std::make_unique<Ui::CXdslLoopDiagnosisDlg>())
{
    ui_->setupUi(this);
    SetAccessMode(kAccessModify);
}

CXdslLoopDiagnosisDlg::~CXdslLoopDiagnosisDlg() = default;

CXdslBitsAllocationListDlg& CXdslLoopDiagnosisDlg::TonePage(Page page)
{
    switch (page) {
    case kMagnitudePage:
        return magnitude_;
    case kPsdPage:
        return psd_;
    default:
        return snr_;
    }
}

void CXdslLoopDiagnosisDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightLoopTests) != 0 || CheckTargetNeOrClose() != 0)
        return;
    if (GetTargetEntity().index.GetLevel() != kPortLevel) {
        ShowAlertTextById(kStrInternalError);
        EndDialog(IDCANCEL);
        return;
    }
    UpdateCaption(kCaptionNe | kCaptionEntity | kCaptionLocation);
    EnableControls({kGraphId, kExportButtonId}, false);
    if (!LoadProfiles())
        return;
    if (!SelectPortProfile())
        return;
    AddPages();
    control_.Open();
}

bool CXdslLoopDiagnosisDlg::LoadProfiles()
{
    const RecordReply<AdslLineProfileRec> reply = CRecordRequests().Query<AdslLineProfileRec>(
        kReqAdslLineProfile, static_cast<uint32_t>(GetNeId()), {.failureTextId = kStrFailToQuery});
    if (!reply.Ok()) {
        EndDialog(IDCANCEL);
        return false;
    }
    auto* combo = GetDlgItemAs<QComboBox>(kProfileComboId);
    for (const AdslLineProfileRec& rec : reply.records) {
        if (rec.channelMode == kChannelFast || rec.channelMode == kChannelInterleaved)
            combo->addItem(QString::fromStdString(rec.name), rec.channelMode);
    }
    combo->setCurrentIndex(-1);
    if (combo->count() == 0) {
        ShowAlertTextById(kStrNoAnyProfile);
        EndDialog(IDCANCEL);
        return false;
    }
    return true;
}

bool CXdslLoopDiagnosisDlg::SelectPortProfile()
{
    AdslPortRec asked;
    asked.entityId = GetTargetEntity().id;
    const RecordReply<AdslPortRec> reply = CRecordRequests().Query(kReqAdslPort, static_cast<uint32_t>(GetNeId()),
                                                                   asked, {.failureTextId = kStrFailToQuery});
    if (!reply.Ok())
        return false;
    if (!reply.records.empty()) {
        auto* combo = GetDlgItemAs<QComboBox>(kProfileComboId);
        combo->setCurrentIndex(combo->findText(QString::fromStdString(reply.records.front().lineProfile)));
    }
    return true;
}

void CXdslLoopDiagnosisDlg::AddPages()
{
    const QRect place = PageRect(*this);
    AddPage(CXdslLoopDiagRateDlg::kTemplateId, &rate_, Item(kStrLoopDiagTabs, kRatePage).c_str());
    FitPageInto(rate_, place);
    for (Page page : {kMagnitudePage, kPsdPage, kSnrPage}) {
        CXdslBitsAllocationListDlg& tones = TonePage(page);
        tones.SetDisplay(1, LoadString(kStrUnitDb));
        AddPage(CXdslBitsAllocationListDlg::kTemplateId, &tones, Item(kStrLoopDiagTabs, page).c_str());
        FitPageInto(tones, place);
    }
    ClearViews();
}

void CXdslLoopDiagnosisDlg::ClearViews()
{
    rate_.Reset();
    for (Page page : {kMagnitudePage, kPsdPage, kSnrPage})
        TonePage(page).Reset();
    EnableControls({kGraphId, kExportButtonId}, false);
}

int CXdslLoopDiagnosisDlg::CurrentPageNumber()
{
    CADialog* current = GetCurrentPage();
    if (current == &rate_ || current == nullptr)
        return kRatePage;
    for (Page page : {kMagnitudePage, kPsdPage, kSnrPage}) {
        if (current == &TonePage(page))
            return page;
    }
    return kRatePage;
}

void CXdslLoopDiagnosisDlg::ShowProfile()
{
    const auto* combo = GetDlgItemAs<QComboBox>(kProfileComboId);
    DialogRequest request;
    request.className = kAdslLineProfileDlg;
    request.hasTarget = true;
    request.neId = static_cast<uint32_t>(GetNeId());
    request.profileName = combo->currentText().toStdString();
    OpenRouteDialog(request);
}

void CXdslLoopDiagnosisDlg::Start()
{
    const auto* combo = GetDlgItemAs<QComboBox>(kProfileComboId);
    rate_.SetHasData(false);
    for (Page page : {kMagnitudePage, kPsdPage, kSnrPage})
        TonePage(page).SetHasData(false);
    const std::string profile = combo->currentText().toStdString();
    if (control_.Start(profile, [this] { ClearViews(); }))
        ReadResult(profile);
}

void CXdslLoopDiagnosisDlg::ReadResult(const std::string& lineProfile)
{
    const uint32_t port = GetTargetEntity().id;
    const RecordReply<LoopDiagResultRec> reply = CRecordRequests().Query<LoopDiagResultRec>(
        kReqLoopDiagResult, static_cast<uint32_t>(GetNeId()), WordRecord{port}, {.failureTextId = kStrFailToQuery});
    if (!reply.Ok())
        return;
    const LoopDiagResultRec* result = nullptr;
    for (const LoopDiagResultRec& rec : reply.records) {
        if (rec.entityId == port && rec.validity == 2 && rec.lineProfile == lineProfile) {
            result = &rec;
            break;
        }
    }
    if (result == nullptr) {
        ShowAlertTextById(kStrNoData);
        return;
    }
    rate_.SetValues(CXdslLoopDiagRateDlg::DownstreamOf(*result), CXdslLoopDiagRateDlg::UpstreamOf(*result));
    magnitude_.SetValues(HlogValues<kUpstreamToneCount>(result->upHlog),
                         HlogValues<kDownstreamToneCount>(result->downHlog));
    psd_.SetValues(ToneValues(result->upQln, QlnTenths), ToneValues(result->downQln, QlnTenths));
    snr_.SetValues(ToneValues(result->upSnr, SnrTenths), ToneValues(result->downSnr, SnrTenths));
    rate_.SetHasData(true);
    for (Page page : {kMagnitudePage, kPsdPage, kSnrPage})
        TonePage(page).Relayout();
    EnableControl(kGraphId, CurrentPageNumber() != kRatePage);
    EnableControl(kExportButtonId, true);
}

void CXdslLoopDiagnosisDlg::UpdateGraphButton()
{
    EnableControl(kGraphId, CurrentPageNumber() != kRatePage && control_.Status() == LineTestStatus::kSucceeded);
}

void CXdslLoopDiagnosisDlg::OnPageChanged(int tabIndex, int tabControlId)
{
    CATabDialog::OnPageChanged(tabIndex, tabControlId);
    UpdateGraphButton();
}

void CXdslLoopDiagnosisDlg::Graph()
{
    const int page = CurrentPageNumber();
    if (!IsControlEnabled(kGraphId) || page == kRatePage)
        return;
    const PageSetup& setup = kPages[static_cast<size_t>(page)];
    ShowToneGraph(TonePage(static_cast<Page>(page)),
                  {setup.chartKey, windowTitle().toStdString() + " - " + Item(kStrLoopDiagTabs, page),
                   setup.yAxisId != 0 ? LoadString(setup.yAxisId) : std::string()});
}

void CXdslLoopDiagnosisDlg::Export()
{
    if (!IsControlEnabled(kExportButtonId))
        return;
    const int page = CurrentPageNumber();
    CADialog& shown = page == kRatePage ? static_cast<CADialog&>(rate_) : TonePage(static_cast<Page>(page));
    ExportPageList(*this, shown, kPages[static_cast<size_t>(page)].stem, Item(kStrLoopDiagExportTitles, page));
}

int CXdslLoopDiagnosisDlg::OnCommandHook(int id, int code)
{
    if (code != BN_CLICKED)
        return CATabDialog::OnCommandHook(id, code);
    switch (id) {
    case kShowId:
        ShowProfile();
        return 1;
    case CLineTestControl::kStartId:
        Start();
        return 1;
    case kGraphId:
    case kPopupGraph:
        Graph();
        return 1;
    case kExportButtonId:
    case kPopupExport:
        Export();
        return 1;
    case kPopupClose:
        EndDialog(IDCANCEL);
        return 1;
    default:
        return CATabDialog::OnCommandHook(id, code);
    }
}
