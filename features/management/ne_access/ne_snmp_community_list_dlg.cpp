#include "features/management/ne_access/ne_snmp_community_list_dlg.h"

#include "core/tables/access_rights.h"
#include "core/tables/app_data.h"
#include "core/tables/ne_table.h"
#include "features/management/ne_access/ne_snmp_community_dlg.h"
#include "link/record_requests.h"
#include "link/records/ne_key_record.h"
#include "ui/framework/lists/small_images.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_ne_snmp_community_list_dlg.h"

#include <algorithm>

namespace {

constexpr uint32_t kInService = 1;
// How much of a community or a permission the list sorts by.
constexpr size_t kSortedLength = 20;

ListValue PermissionText(const NeSnmpCommunityRecord& rec)
{
    return LoadString(rec.permission == kNeAccessReadWrite ? kStrPermissionReadWrite : kStrPermissionReadOnly);
}

} // namespace

std::vector<NeSnmpCommunityRecord> VisibleCommunities(const std::vector<NeSnmpCommunityRecord>& communities,
                                                      const std::string& own, bool mayChange)
{
    const bool ownMayWrite = std::any_of(communities.begin(), communities.end(), [&](const NeSnmpCommunityRecord& rec) {
        return rec.community == own && rec.permission == kNeAccessReadWrite;
    });
    std::vector<NeSnmpCommunityRecord> visible;
    for (const NeSnmpCommunityRecord& rec : communities) {
        if (ownMayWrite || mayChange || rec.permission != kNeAccessReadWrite)
            visible.push_back(rec);
    }
    return visible;
}

CNeSnmpCommunityListDlg::CNeSnmpCommunityListDlg(QWidget* parent)
    : CRecordListDlg(kTemplateId,
                     {.popupName = "ADD_DEL_EDIT_LIST",
                      .rowCommands = {kRowModify, kRowDelete},
                      .activateCommand = kModifyButtonId,
                      .right = kRightNeSnmpCommunities,
                      .deleteTargetNeFirst = true,
                      .exportStem = "SnmpCommunity"},
                     parent),
      ui_(std::make_unique<Ui::CNeSnmpCommunityListDlg>()),
      rows_(*this, Columns(), [this](const NeSnmpCommunityRecord& rec) { return KeyOf(rec); })
{
    ui_->setupUi(this);
    rows_.SetTies(ListTies::kKey);
    // Rows that tie follow the direction too: a descending sort reverses the whole order.
    rows_.SetTieColumns({0});
    SetRecordList(rows_);
}

CNeSnmpCommunityListDlg::~CNeSnmpCommunityListDlg() = default;

std::vector<ListColumn<NeSnmpCommunityRecord>> CNeSnmpCommunityListDlg::Columns()
{
    // Communities and permissions sort by the first 20 characters of their texts, letter case counting; the other
    // columns by the rows' keys.
    const auto key = [this](const NeSnmpCommunityRecord& rec) { return ListValue(KeyOf(rec)); };
    return {
        {.value = key,
         .order = ListOrder::kSigned,
         .image =
             [](const NeSnmpCommunityRecord& rec) { return rec.state == kInService ? kImageEnabled : kImageDisabled; }},
        TextPrefixColumn<NeSnmpCommunityRecord>(&NeSnmpCommunityRecord::community, kSortedLength),
        TextPrefixColumn<NeSnmpCommunityRecord>(PermissionText, kSortedLength),
        {.value = &NeSnmpCommunityRecord::permission, .order = ListOrder::kSigned, .sortValue = key},
    };
}

void CNeSnmpCommunityListDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightNeSnmpCommunities) != 0 || CheckTargetNeOrClose() != 0)
        return;
    UpdateCaption(kCaptionNe | kCaptionLocation);
    SetSmallImages();
    InitListColumnsById(kStrColumnsNeSnmpCommunities);
    EnableControls({kModifyButtonId, kAddButtonId, kDeleteButtonId}, false);
    const uint32_t neId = static_cast<uint32_t>(GetNeId());
    const CRecordRequests requests;
    // The NE's record as the server keeps it now names the community the program uses.
    if (!requests.Query(kReqNeKey, neId, {.failureTextId = kStrFailToQuery}).Ok())
        return;
    const RecordReply<NeSnmpCommunityRecord> reply =
        requests.Query<NeSnmpCommunityRecord>(kReqNeSnmpCommunity, neId, {.failureTextId = kStrFailToQuery});
    if (!reply.Ok())
        return;
    const CNeRecord* ne = FindNeById(neId);
    const bool mayChange = CheckUserRight(AppData().role, kRightNeSnmpCommunities, 'm') != 0;
    rows_.SetRecords(VisibleCommunities(reply.records, ne != nullptr ? ne->community : std::string(), mayChange));
    EnableControl(kAddButtonId, !ShowsOnly());
    UpdateRowCommands();
}

void CNeSnmpCommunityListDlg::DrawExtras(Dc& dc)
{
    DrawListIconOnControl(dc, *this, kEnabledLegendId, kImageEnabled);
    DrawListIconOnControl(dc, *this, kDisabledLegendId, kImageDisabled);
}

bool CNeSnmpCommunityListDlg::IsRowCommandOn(const RowCommand& /*command*/, std::optional<uint32_t> selected) const
{
    return selected.has_value() && !ShowsOnly();
}

void CNeSnmpCommunityListDlg::OnModifyRecord(uint32_t key)
{
    const NeSnmpCommunityRecord* rec = rows_.Find(key);
    if (rec == nullptr || ShowsOnly())
        return;
    CNeSnmpCommunityDlg dlg(this);
    dlg.SetTarget(GetNeId(), nullptr);
    dlg.SetAccessMode(kAccessModify);
    dlg.SetCommunity(*rec);
    if (dlg.DoModal() == IDOK)
        rows_.Put(dlg.GetCommunity());
}

void CNeSnmpCommunityListDlg::OnAddRecord(std::optional<uint32_t> /*selected*/)
{
    if (ShowsOnly())
        return;
    CNeSnmpCommunityDlg dlg(this);
    dlg.SetTarget(GetNeId(), nullptr);
    dlg.SetAccessMode(kAccessCreate);
    if (dlg.DoModal() != IDOK)
        return;
    rows_.Put(dlg.GetCommunity());
    ScrollToItemData(KeyOf(dlg.GetCommunity()));
}

void CNeSnmpCommunityListDlg::OnDeleteRecord(uint32_t key)
{
    const NeSnmpCommunityRecord* rec = rows_.Find(key);
    if (rec == nullptr || ShowsOnly())
        return;
    NeSnmpCommunityRecord named;
    named.community = rec->community;
    if (!CRecordRequests()
             .Delete(kReqNeSnmpCommunity, static_cast<uint32_t>(GetNeId()), named, {.failureTextId = kStrFailToQuery})
             .Ok())
        return;
    rows_.Remove(key);
}
