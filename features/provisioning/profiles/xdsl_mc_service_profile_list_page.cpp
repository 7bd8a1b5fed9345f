#include "features/provisioning/profiles/xdsl_mc_service_profile_list_page.h"

#include "features/provisioning/profiles/mc_channel_set.h"
#include "features/provisioning/profiles/xdsl_mc_service_profile_dlg.h"
#include "link/records/request_codes.h"
#include "ui_xdsl_mc_service_profile_list_page.h"

namespace {

using Rec = McServiceProfileRec;

std::vector<ListColumn<Rec>> Columns()
{
    return {
        {.value = &Rec::name,
         .order = ListOrder::kNoCase80,
         .image = [](const Rec& rec) { return rec.status == 1 ? kImageEnabled : kImageDisabled; }},
        {.value = [](const Rec& rec) { return ListValue(McChannelIdsText(rec)); }, .order = ListOrder::kNoCase80},
        {.value = [](const Rec& rec) { return ListValue(McChannelSetHex(rec)); }, .order = ListOrder::kText},
    };
}

} // namespace

CXdslMcServiceProfileListPage::CXdslMcServiceProfileListPage(QWidget* parent)
    : CProfileListPageOf(kTemplateId, GetProfileKind(ProfileKindId::kMcService),
                         {kReqMcServiceProfileTemplate, kReqMcServiceProfile}, Columns(), parent),
      ui_(std::make_unique<Ui::CXdslMcServiceProfileListPage>())
{
    ui_->setupUi(this);
    SetRecordList(Rows());
}

CXdslMcServiceProfileListPage::~CXdslMcServiceProfileListPage() = default;

uint32_t CXdslMcServiceProfileListPage::ColumnSpecId() const
{
    return kStrColumnsMcServiceProfiles;
}

uint32_t CXdslMcServiceProfileListPage::ExportTitleId() const
{
    return kStrMcServiceProfileTitle;
}

bool CXdslMcServiceProfileListPage::RunEditor(McServiceProfileRec& rec, uint8_t accessMode)
{
    return RunProfileEditor<CXdslMcServiceProfileDlg>(rec, accessMode);
}
