#include "features/provisioning/profiles/shdsl_pm_threshold_list_page.h"

#include "features/provisioning/profiles/shdsl_pm_threshold_profile_dlg.h"
#include "link/records/request_codes.h"
#include "ui_shdsl_pm_threshold_list_page.h"

#include <cstdio>

namespace {

constexpr size_t kNameSortLength = 20;
constexpr int16_t kMaxLoop = 126;

using R = ShdslPmThresholdProfileRec;

std::string Formatted(const char* format, int value)
{
    char text[16];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// Equal texts go by the profiles' names.
ListColumn<R> TextColumn(std::string (*text)(const R&))
{
    return {.value = [text](const R& rec) { return ListValue(text(rec)); },
            .order = ListOrder::kNoCase,
            .sortValue = [text](const R& rec) { return ListValue(text(rec) + '\t' + rec.name); }};
}

std::vector<ListColumn<R>> Columns()
{
    return {
        {.value = &R::name,
         .order = ListOrder::kNoCase,
         .sortValue = [](const R& rec) { return ListValue(rec.name.substr(0, kNameSortLength)); },
         .image = [](const R& rec) { return rec.rowState == 1 ? kImageEnabled : kImageDisabled; }},
        TextColumn(&ShdslSnrMarginText),
        TextColumn(&ShdslLoopAttenuationText),
        TextColumn(&ShdslPm15MinText),
    };
}

} // namespace

std::string ShdslSnrMarginText(const R& rec)
{
    return rec.minSnrMargin < 1 ? "--" : Formatted("%2d", rec.minSnrMargin);
}

std::string ShdslLoopAttenuationText(const R& rec)
{
    return rec.maxLoopAttenuation > kMaxLoop ? "---" : Formatted("%3d", rec.maxLoopAttenuation);
}

std::string ShdslPm15MinText(const R& rec)
{
    std::string text;
    for (uint16_t seconds : {rec.es, rec.ses, rec.uas, rec.losws})
        text += (seconds == 0 ? std::string("---") : Formatted("%3d", seconds)) + " / ";
    return text + (rec.crc == 0 ? std::string("-----") : Formatted("%5d", rec.crc));
}

CShdslPmThresholdListPage::CShdslPmThresholdListPage(QWidget* parent)
    : CProfileListPageOf(kTemplateId, GetProfileKind(ProfileKindId::kShdslPmThreshold),
                         {kReqShdslPmThresholdProfileTemplate, kReqShdslPmThresholdProfile}, Columns(), parent),
      ui_(std::make_unique<Ui::CShdslPmThresholdListPage>())
{
    ui_->setupUi(this);
    SetRecordList(Rows());
    KeepDisabledRowsBlack();
}

CShdslPmThresholdListPage::~CShdslPmThresholdListPage() = default;

uint32_t CShdslPmThresholdListPage::ColumnSpecId() const
{
    return kStrColumnsShdslPmThresholdProfiles;
}

uint32_t CShdslPmThresholdListPage::ExportTitleId() const
{
    return kStrShdslPmThresholdProfileTitle;
}

bool CShdslPmThresholdListPage::RunEditor(ShdslPmThresholdProfileRec& rec, uint8_t accessMode)
{
    return RunProfileEditor<CShdslPmThresholdProfileDlg>(rec, accessMode);
}
