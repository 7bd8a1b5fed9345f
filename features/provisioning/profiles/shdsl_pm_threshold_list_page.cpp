#include "features/provisioning/profiles/shdsl_pm_threshold_list_page.h"

#include "features/provisioning/profiles/shdsl_pm_threshold_profile_dlg.h"
#include "link/records/request_codes.h"
#include "ui_shdsl_pm_threshold_list_page.h"

#include <cstdio>
#include <cstdlib>

namespace {

constexpr size_t kNameSortLength = 20;
constexpr int16_t kMaxLoop = 126;
constexpr int16_t kLoopOff = 127;
constexpr size_t kPm15MinCount = 5; // ES, SES, UAS, LOSWS, CRC

using R = ShdslPmThresholdProfileRec;

std::string Formatted(const char* format, int value)
{
    char text[16];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// The first 20 characters of a text sort; equal ones go by the profiles' names.
ListColumn<R> TextColumn(std::string (*text)(const R&))
{
    return {.value = [text](const R& rec) { return ListValue(text(rec)); },
            .order = ListOrder::kNoCase,
            .sortValue =
                [text](const R& rec) {
                    return ListValue(text(rec).substr(0, kNameSortLength) + '\t' + rec.name.substr(0, kNameSortLength));
                }};
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

R ShdslPmThresholdFromRow(const std::string& name, const std::string& snrMargin, const std::string& loopAttenuation,
                          const std::string& pm15Min)
{
    // A dash text reads as no number: 0.
    const auto number = [](const std::string& text) { return std::atoi(text.c_str()); };
    R rec;
    rec.name = name;
    rec.minSnrMargin = static_cast<int16_t>(number(snrMargin));
    const int loop = number(loopAttenuation);
    rec.maxLoopAttenuation = loop == 0 ? kLoopOff : static_cast<int16_t>(loop);
    uint16_t* counts[kPm15MinCount] = {&rec.es, &rec.ses, &rec.uas, &rec.losws, &rec.crc};
    size_t from = 0;
    for (uint16_t* count : counts) {
        const size_t slash = pm15Min.find('/', from);
        *count = static_cast<uint16_t>(number(pm15Min.substr(from, slash == std::string::npos ? slash : slash - from)));
        if (slash == std::string::npos)
            break;
        from = slash + 1;
    }
    return rec;
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

R CShdslPmThresholdListPage::RecordOfRow(const R& listed) const
{
    R rec = ShdslPmThresholdFromRow(listed.name, ShdslSnrMarginText(listed), ShdslLoopAttenuationText(listed),
                                    ShdslPm15MinText(listed));
    rec.rowState = listed.rowState;
    return rec;
}
