#include "features/provisioning/profiles/xdsl_traffic_policing_profile_list_page.h"

#include "features/provisioning/profiles/profile_field_texts.h"
#include "features/provisioning/profiles/xdsl_traffic_policing_profile_dlg.h"
#include "link/records/request_codes.h"
#include "ui_xdsl_traffic_policing_profile_list_page.h"

namespace {

using Rec = TrafficPolicingProfileRec;

std::vector<ListColumn<Rec>> Columns()
{
    return {
        {.value = &Rec::name,
         .order = ListOrder::kNoCase80,
         .image = [](const Rec& rec) { return rec.status == 1 ? kImageEnabled : kImageDisabled; }},
        {.value = &Rec::upstreamCir, .order = ListOrder::kUnsigned},
        // Actions sort by their codes.
        {.value = [](const Rec& rec) { return ListValue(PolicingActionText(rec.action)); },
         .order = ListOrder::kUnsigned,
         .sortValue = [](const Rec& rec) { return ListValue(rec.action); }},
        {.value = &Rec::action, .order = ListOrder::kUnsigned},
    };
}

} // namespace

CXdslTrafficPolicingProfileListPage::CXdslTrafficPolicingProfileListPage(QWidget* parent)
    : CProfileListPageOf(kTemplateId, GetProfileKind(ProfileKindId::kTrafficPolicing),
                         {kReqTrafficPolicingProfileTemplate, kReqTrafficPolicingProfile}, Columns(), parent),
      ui_(std::make_unique<Ui::CXdslTrafficPolicingProfileListPage>())
{
    ui_->setupUi(this);
    SetRecordList(Rows());
}

CXdslTrafficPolicingProfileListPage::~CXdslTrafficPolicingProfileListPage() = default;

uint32_t CXdslTrafficPolicingProfileListPage::ColumnSpecId() const
{
    return kStrColumnsTrafficPolicingProfiles;
}

uint32_t CXdslTrafficPolicingProfileListPage::ExportTitleId() const
{
    return kStrTrafficPolicingProfileTitle;
}

bool CXdslTrafficPolicingProfileListPage::RunEditor(TrafficPolicingProfileRec& rec, uint8_t accessMode)
{
    return RunProfileEditor<CXdslTrafficPolicingProfileDlg>(rec, accessMode);
}
