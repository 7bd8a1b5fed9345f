#include "features/provisioning/packet_filters/xdsl_pkt_filter_group_dlg.h"

#include "core/tables/access_rights.h"
#include "features/provisioning/packet_filters/xdsl_pkt_filter_dlg.h"
#include "link/pdu_log.h"
#include "link/record_requests.h"
#include "ui/framework/dialogs/typed_name_check.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_xdsl_pkt_filter_group_dlg.h"

CXdslPktFilterGroupDlg::CXdslPktFilterGroupDlg(QWidget* parent)
    : CATabDialog(kTemplateId, parent), ui_(std::make_unique<Ui::CXdslPktFilterGroupDlg>())
{
    ui_->setupUi(this);
    SetAccessMode(kAccessModify);
}

CXdslPktFilterGroupDlg::~CXdslPktFilterGroupDlg() = default;

void CXdslPktFilterGroupDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightPacketFilters) != 0 || CheckTargetNeOrClose() != 0 ||
        !TakeLineCardTarget(*this, slot_))
        return;
    EnableControl(IDOK, GetAccessMode() != kAccessQuery);
    UpdateCaption(kCaptionNe | kCaptionEntity | kCaptionLocation);
    PktFilterGroups groups = DefaultGroups(slot_);
    for (size_t tab = 0; tab < pages_.size(); ++tab) {
        const PktFilterGroupRec& group = groups[tab];
        const uint32_t title = group.direction == kFilterUpstream ? kStrUpstreamGroupTab : kStrDownstreamGroupTab;
        AddPage(CPktFilterGroupPage::kTemplateId, &pages_[tab],
                LoadQString(title).arg(group.groupNumber).toStdString().c_str());
        pages_[tab].Load(group);
    }
    SelectPage(&pages_[0]);
    LoadGroups(groups);
    UpdatePageData(AllPages(), 0);
}

void CXdslPktFilterGroupDlg::LoadGroups(PktFilterGroups& groups)
{
    const CPduLogHold hold;
    const CRecordRequests requests;
    const auto neId = static_cast<uint32_t>(GetNeId());
    PktFilterGroupRec groupQuery;
    groupQuery.slot = slot_;
    const RecordReply<PktFilterGroupRec> groupReply =
        requests.Query(kReqPktFilterGroup, neId, groupQuery, {.failureTextId = kStrFailToQuery});
    if (groupReply.Ok()) {
        ApplyGroupRecords(groups, groupReply.records, slot_);
        for (size_t tab = 0; tab < pages_.size(); ++tab)
            pages_[tab].Load(groups[tab]);
        PktFilterRec filterQuery;
        filterQuery.slot = slot_;
        const RecordReply<PktFilterRec> filterReply =
            requests.Query(kReqPktFilter, neId, filterQuery, {.failureTextId = kStrFailToQuery});
        if (filterReply.Ok()) {
            PktFilterSet filters = DefaultFilters(slot_);
            ApplyFilterRecords(filters, filterReply.records, slot_);
            for (CPktFilterGroupPage& page : pages_)
                page.ShowFilters(filters);
        }
    }
}

int CXdslPktFilterGroupDlg::OnCommandHook(int id, int code)
{
    if (code == BN_CLICKED && id == kFilterButtonId) {
        CXdslPktFilterDlg dlg(this);
        dlg.SetTarget(GetNeId(), &GetTargetEntity());
        dlg.SetAccessMode(GetAccessMode());
        dlg.DoModal();
        return 1;
    }
    return CATabDialog::OnCommandHook(id, code);
}

void CXdslPktFilterGroupDlg::OnOK()
{
    if (CheckTargetNe() != 0 || UpdatePageData(AllPages(), 1) == 0)
        return;
    std::vector<QString> names;
    for (const CPktFilterGroupPage& page : pages_)
        names.push_back(page.Name());
    if (const std::optional<NameFault> fault = FirstNameFault(names, NameEnds::kTrimmed)) {
        CPktFilterGroupPage& page = pages_[fault->index];
        ShowPageAlertTextById(&page, fault->stringId, CPktFilterGroupPage::kNameId);
        if (fault->position >= 0)
            SelectTypedNameFault(page, CPktFilterGroupPage::kNameId, {fault->stringId, fault->position});
        return;
    }
    const CRecordRequests requests;
    const CPduLogHold hold;
    for (const CPktFilterGroupPage& page : pages_) {
        if (!requests
                 .Modify(kReqPktFilterGroup, static_cast<uint32_t>(GetNeId()), page.Group(),
                         {.failureTextId = kStrFailToUpdateData})
                 .Ok())
            return;
    }
    EndDialog(IDOK);
}
