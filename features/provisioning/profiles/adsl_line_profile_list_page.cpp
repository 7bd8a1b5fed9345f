#include "features/provisioning/profiles/adsl_line_profile_list_page.h"

#include "features/provisioning/profiles/adsl_line_profile_dlg.h"
#include "link/records/request_codes.h"
#include "ui/framework/messages/string_table.h"
#include "ui_adsl_line_profile_list_page.h"

#include <cstdio>

namespace {

constexpr uint32_t kChannelModeFast = 2;
constexpr uint32_t kChannelModeInterleaved = 3;
constexpr uint32_t kRateAdaptiveStartup = 2;
constexpr uint32_t kRateAdaptiveRuntime = 3;

// Equal texts go by the profiles' names.
ListColumn<AdslLineProfileRec> TextColumn(std::string (*text)(const AdslLineProfileRec&))
{
    return {.value = [text](const AdslLineProfileRec& rec) { return ListValue(text(rec)); },
            .order = ListOrder::kNoCase80,
            .sortValue = [text](const AdslLineProfileRec& rec) { return ListValue(text(rec) + '\t' + rec.name); }};
}

std::string UpRates(const AdslLineProfileRec& rec)
{
    return AdslRatesText(rec, false);
}

std::string DownRates(const AdslLineProfileRec& rec)
{
    return AdslRatesText(rec, true);
}

std::vector<ListColumn<AdslLineProfileRec>> Columns()
{
    return {
        {.value = &AdslLineProfileRec::name,
         .order = ListOrder::kNoCase80,
         .image = [](const AdslLineProfileRec& rec) { return rec.status == 1 ? kImageEnabled : kImageDisabled; }},
        TextColumn(AdslChannelText),
        TextColumn(AdslRateModeText),
        TextColumn(UpRates),
        TextColumn(DownRates),
    };
}

} // namespace

std::string AdslChannelText(const AdslLineProfileRec& rec)
{
    return LoadString(rec.channelMode == kChannelModeFast ? kStrChannelFast : kStrChannelInterleave);
}

std::string AdslRateModeText(const AdslLineProfileRec& rec)
{
    switch (rec.rateMode) {
    case kRateAdaptiveStartup:
        return LoadString(kStrRateModeAdaptiveStartup);
    case kRateAdaptiveRuntime:
        return LoadString(kStrRateModeAdaptiveRuntime);
    default:
        return LoadString(kStrRateModeFixed);
    }
}

std::string AdslRatesText(const AdslLineProfileRec& rec, bool downstream)
{
    const bool fast = rec.channelMode == kChannelModeFast;
    const uint32_t maximum = downstream ? (fast ? rec.downMaxRateFast : rec.downMaxRateInterleaved)
                                        : (fast ? rec.upMaxRateFast : rec.upMaxRateInterleaved);
    const uint32_t minimum = downstream ? (fast ? rec.downMinRateFast : rec.downMinRateInterleaved)
                                        : (fast ? rec.upMinRateFast : rec.upMinRateInterleaved);
    char text[32];
    std::snprintf(text, sizeof text, "%6u / %6u", maximum / 1000, minimum / 1000);
    return text;
}

CAdslLineProfileListPage::CAdslLineProfileListPage(QWidget* parent)
    : CProfileListPageOf(kTemplateId, GetProfileKind(ProfileKindId::kAdslLine),
                         {kReqAdslLineProfileTemplate, kReqAdslLineProfile}, Columns(), parent),
      ui_(std::make_unique<Ui::CAdslLineProfileListPage>())
{
    ui_->setupUi(this);
    Rows().SetIntake([](const AdslLineProfileRec& rec) {
        return rec.channelMode == kChannelModeFast || rec.channelMode == kChannelModeInterleaved;
    });
    SetRecordList(Rows());
}

CAdslLineProfileListPage::~CAdslLineProfileListPage() = default;

uint32_t CAdslLineProfileListPage::ColumnSpecId() const
{
    return kStrColumnsAdslLineProfiles;
}

uint32_t CAdslLineProfileListPage::ExportTitleId() const
{
    return kStrAdslLineProfileTitle;
}

bool CAdslLineProfileListPage::RunEditor(AdslLineProfileRec& rec, uint8_t accessMode)
{
    return RunProfileEditor<CAdslLineProfileDlg>(rec, accessMode);
}

uint32_t CAdslLineProfileListPage::DownloadConfirmTextId() const
{
    return kStrSureToDownloadLineTemplate;
}
