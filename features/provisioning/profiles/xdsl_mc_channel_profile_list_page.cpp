#include "features/provisioning/profiles/xdsl_mc_channel_profile_list_page.h"

#include "features/provisioning/profiles/profile_field_texts.h"
#include "features/provisioning/profiles/xdsl_mc_channel_profile_dlg.h"
#include "link/records/request_codes.h"
#include "ui/framework/messages/string_table.h"
#include "ui_xdsl_mc_channel_profile_list_page.h"

namespace {

using Rec = McChannelProfileRec;

std::vector<ListColumn<Rec>> Columns()
{
    return {
        {.value = &Rec::profileId,
         .order = ListOrder::kUnsigned,
         .image = [](const Rec& rec) { return rec.status == 1 ? kImageEnabled : kImageDisabled; }},
        {.value = &Rec::name, .order = ListOrder::kNoCase80},
        // The address compares as the text it shows.
        {.value = [](const Rec& rec) { return ListValue(IpAddress(rec.groupAddress)); }, .order = ListOrder::kNoCase80},
        // Queues sort by their codes.
        {.value = [](const Rec& rec) { return ListValue(QueueText(rec.queue)); },
         .order = ListOrder::kUnsigned,
         .sortValue = [](const Rec& rec) { return ListValue(rec.queue); }},
        {.value = &Rec::downstreamRate, .order = ListOrder::kUnsigned},
        {.value = &Rec::queue, .order = ListOrder::kUnsigned},
    };
}

} // namespace

CXdslMcChannelProfileListPage::CXdslMcChannelProfileListPage(QWidget* parent)
    : CProfileListPageOf(kTemplateId, GetProfileKind(ProfileKindId::kMcChannel),
                         {kReqMcChannelProfileTemplate, kReqMcChannelProfile}, Columns(), parent),
      ui_(std::make_unique<Ui::CXdslMcChannelProfileListPage>())
{
    ui_->setupUi(this);
    // Rows of equal values go by their profile ids.
    Rows().SetTieColumns({0});
    SetRecordList(Rows());
}

CXdslMcChannelProfileListPage::~CXdslMcChannelProfileListPage() = default;

uint32_t CXdslMcChannelProfileListPage::ColumnSpecId() const
{
    return kStrColumnsMcChannelProfiles;
}

uint32_t CXdslMcChannelProfileListPage::ExportTitleId() const
{
    return kStrMcChannelProfileTitle;
}

bool CXdslMcChannelProfileListPage::RunEditor(McChannelProfileRec& rec, uint8_t accessMode)
{
    const bool written = RunProfileEditor<CXdslMcChannelProfileDlg>(rec, accessMode);
    // The page tells what its editor was opened for, whatever became of it.
    if (accessMode == kAccessQuery)
        SetChangeFlags(GetChangeFlags() | kChangeShown);
    else if (accessMode == kAccessModify)
        SetChangeFlags(GetChangeFlags() | kChangeModified);
    return written;
}

std::string CXdslMcChannelProfileListPage::NameOf(const McChannelProfileRec& rec) const
{
    // The id is what names a channel profile.
    return std::to_string(rec.profileId);
}

QString CXdslMcChannelProfileListPage::DownloadTitle(const McChannelProfileRec& rec) const
{
    return LoadQString(kStrMcChannelProfileDownloadTitle)
        .replace("%u", QString::number(rec.profileId))
        .replace("%s", QString::fromStdString(rec.name));
}
