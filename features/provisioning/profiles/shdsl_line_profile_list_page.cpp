#include "features/provisioning/profiles/shdsl_line_profile_list_page.h"

#include "features/provisioning/profiles/shdsl_line_profile_dlg.h"
#include "link/records/request_codes.h"
#include "ui_shdsl_line_profile_list_page.h"

#include <cstdio>

namespace {

using R = ShdslLineProfileRec;
constexpr uint32_t kFourWire = 2;
constexpr uint32_t kAnnexA = 0x80;
constexpr uint32_t kAnnexB = 0x40;
constexpr uint32_t kBitsPerKbit = 1000;

// Equal texts go by the profiles' names.
ListColumn<R> TextColumn(std::string (*text)(const R&))
{
    return {.value = [text](const R& rec) { return ListValue(text(rec)); },
            .order = ListOrder::kNoCase80,
            .sortValue = [text](const R& rec) { return ListValue(text(rec) + '\t' + rec.name); }};
}

std::vector<ListColumn<R>> Columns()
{
    return {
        {.value = &R::name,
         .order = ListOrder::kNoCase80,
         .image = [](const R& rec) { return rec.rowState == 1 ? kImageEnabled : kImageDisabled; }},
        TextColumn(&ShdslWireText),
        TextColumn(&ShdslRatesText),
        TextColumn(&ShdslAnnexText),
    };
}

} // namespace

std::string ShdslWireText(const R& rec)
{
    return rec.wireInterface == kFourWire ? "4-wire" : "2-wire";
}

std::string ShdslRatesText(const R& rec)
{
    char text[32];
    std::snprintf(text, sizeof text, "%4u / %4u", rec.maxRate / kBitsPerKbit, rec.minRate / kBitsPerKbit);
    return text;
}

std::string ShdslAnnexText(const R& rec)
{
    return rec.annex == kAnnexB ? "Annex B" : rec.annex == kAnnexA ? "Annex A" : "Annex A + B";
}

CShdslLineProfileListPage::CShdslLineProfileListPage(QWidget* parent)
    : CProfileListPageOf(kTemplateId, GetProfileKind(ProfileKindId::kShdslLine),
                         {kReqShdslLineProfileTemplate, kReqShdslLineProfile}, Columns(), parent),
      ui_(std::make_unique<Ui::CShdslLineProfileListPage>())
{
    ui_->setupUi(this);
    SetRecordList(Rows());
}

CShdslLineProfileListPage::~CShdslLineProfileListPage() = default;

uint32_t CShdslLineProfileListPage::ColumnSpecId() const
{
    return kStrColumnsShdslLineProfiles;
}

uint32_t CShdslLineProfileListPage::ExportTitleId() const
{
    return kStrShdslLineProfileTitle;
}

bool CShdslLineProfileListPage::RunEditor(ShdslLineProfileRec& rec, uint8_t accessMode)
{
    return RunProfileEditor<CShdslLineProfileDlg>(rec, accessMode);
}
