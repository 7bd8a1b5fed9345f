#include "features/provisioning/profiles/xdsl_ip_traffic_profile_list_page.h"

#include "features/provisioning/profiles/profile_field_texts.h"
#include "features/provisioning/profiles/xdsl_ip_traffic_profile_dlg.h"
#include "link/records/request_codes.h"
#include "ui_xdsl_ip_traffic_profile_list_page.h"

namespace {

using Rec = IpTrafficProfileRec;

std::vector<ListColumn<Rec>> Columns()
{
    return {
        {.value = &Rec::name,
         .order = ListOrder::kNoCase80,
         .image = [](const Rec& rec) { return rec.status == 1 ? kImageEnabled : kImageDisabled; }},
        // Queues and upstream rates sort by their codes.
        {.value = [](const Rec& rec) { return ListValue(QueueText(rec.queue)); },
         .order = ListOrder::kUnsigned,
         .sortValue = [](const Rec& rec) { return ListValue(rec.queue); }},
        {.value = &Rec::downstreamRate, .order = ListOrder::kUnsigned},
        {.value = [](const Rec& rec) { return ListValue(UpstreamRateText(rec.upstreamRateIndex)); },
         .order = ListOrder::kUnsigned,
         .sortValue = [](const Rec& rec) { return ListValue(rec.upstreamRateIndex); }},
        {.value = &Rec::queue, .order = ListOrder::kUnsigned},
        {.value = &Rec::upstreamRateIndex, .order = ListOrder::kUnsigned},
    };
}

} // namespace

CXdslIpTrafficProfileListPage::CXdslIpTrafficProfileListPage(QWidget* parent)
    : CProfileListPageOf(kTemplateId, GetProfileKind(ProfileKindId::kIpTraffic),
                         {kReqIpTrafficProfileTemplate, kReqIpTrafficProfile}, Columns(), parent),
      ui_(std::make_unique<Ui::CXdslIpTrafficProfileListPage>())
{
    ui_->setupUi(this);
    SetRecordList(Rows());
}

CXdslIpTrafficProfileListPage::~CXdslIpTrafficProfileListPage() = default;

uint32_t CXdslIpTrafficProfileListPage::ColumnSpecId() const
{
    return kStrColumnsIpTrafficProfiles;
}

uint32_t CXdslIpTrafficProfileListPage::ExportTitleId() const
{
    return kStrIpTrafficProfileTitle;
}

bool CXdslIpTrafficProfileListPage::RunEditor(IpTrafficProfileRec& rec, uint8_t accessMode)
{
    // The editor reads the profile again by its name.
    CXdslIpTrafficProfileDlg dlg(this);
    dlg.SetTemplateMode(GetTemplateMode());
    dlg.SetNeId(GetNeId());
    dlg.SetAccessMode(accessMode);
    if (accessMode != kAccessCreate)
        dlg.SetName(rec.name);
    if (dlg.DoModal() != IDOK)
        return false;
    rec = dlg.GetRecord();
    return true;
}
