#include "features/provisioning/profiles/xdsl_pm_threshold_list_page.h"

#include "features/provisioning/profiles/pm_threshold_columns.h"
#include "features/provisioning/profiles/xdsl_pm_threshold_profile_dlg.h"
#include "link/records/request_codes.h"
#include "ui_xdsl_pm_threshold_list_page.h"

namespace {

constexpr size_t kNameSortLength = 20;

int StatusImage(const XdslPmThresholdProfileRec& rec)
{
    return rec.status == 1 ? kImageEnabled : kImageDisabled;
}

ListColumn<XdslPmThresholdProfileRec> GroupColumn(PmThresholdGroup group)
{
    // Equal thresholds go by the profiles' names.
    return {
        .value = [group](const XdslPmThresholdProfileRec& rec) { return ListValue(FormatPmThresholds(rec, group)); },
        .order = ListOrder::kNoCase,
        .sortValue =
            [group](const XdslPmThresholdProfileRec& rec) {
                return ListValue(FormatPmThresholds(rec, group) + '\t' + rec.name);
            }};
}

std::vector<ListColumn<XdslPmThresholdProfileRec>> Columns()
{
    return {
        {.value = &XdslPmThresholdProfileRec::name,
         .order = ListOrder::kNoCase,
         .sortValue =
             [](const XdslPmThresholdProfileRec& rec) { return ListValue(rec.name.substr(0, kNameSortLength)); },
         .image = StatusImage},
        GroupColumn(PmThresholdGroup::kCo15Min),
        GroupColumn(PmThresholdGroup::kCoDay),
        GroupColumn(PmThresholdGroup::kRt15Min),
        GroupColumn(PmThresholdGroup::kRtDay),
    };
}

} // namespace

CXdslPmThresholdListPage::CXdslPmThresholdListPage(QWidget* parent)
    : CProfileListPageOf(kTemplateId, GetProfileKind(ProfileKindId::kXdslPmThreshold),
                         {kReqPmThresholdProfileTemplate, kReqPmThresholdProfile}, Columns(), parent),
      ui_(std::make_unique<Ui::CXdslPmThresholdListPage>())
{
    ui_->setupUi(this);
    SetRecordList(Rows());
}

CXdslPmThresholdListPage::~CXdslPmThresholdListPage() = default;

uint32_t CXdslPmThresholdListPage::ColumnSpecId() const
{
    return kStrColumnsPmThresholdProfiles;
}

uint32_t CXdslPmThresholdListPage::ExportTitleId() const
{
    return kStrPmThresholdProfileTitle;
}

bool CXdslPmThresholdListPage::RunEditor(XdslPmThresholdProfileRec& rec, uint8_t accessMode)
{
    return RunProfileEditor<CXdslPmThresholdProfileDlg>(rec, accessMode);
}
