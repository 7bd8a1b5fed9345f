#include "features/provisioning/packet_filters/xdsl_pkt_filter_dlg.h"

#include "core/entity/entity_id.h"
#include "core/tables/access_rights.h"
#include "link/pdu_log.h"
#include "link/record_requests.h"
#include "ui/framework/dialogs/typed_name_check.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_xdsl_pkt_filter_dlg.h"

namespace {

constexpr int kCardLevel = 3;

} // namespace

bool TakeLineCardTarget(CADialog& dialog, uint8_t& slot)
{
    const CEntityId& target = dialog.GetTargetEntity();
    if (target.index.Slot() == 0) {
        dialog.ShowAlertTextById(kStrInternalError);
        dialog.EndDialog(IDCANCEL);
        return false;
    }
    slot = static_cast<uint8_t>(target.index.Slot());
    uint32_t card = target.id;
    while (CEntityId(card).index.GetLevel() > kCardLevel)
        card = GetParentEntityId(card);
    const CEntityId cardId(card);
    dialog.SetTarget(dialog.GetNeId(), &cardId);
    return true;
}

CXdslPktFilterDlg::CXdslPktFilterDlg(QWidget* parent)
    : CATabDialog(kTemplateId, parent), ui_(std::make_unique<Ui::CXdslPktFilterDlg>())
{
    ui_->setupUi(this);
    SetAccessMode(kAccessModify);
}

CXdslPktFilterDlg::~CXdslPktFilterDlg() = default;

void CXdslPktFilterDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightPacketFilters) != 0 || CheckTargetNeOrClose() != 0 ||
        !TakeLineCardTarget(*this, slot_))
        return;
    EnableControl(IDOK, GetAccessMode() != kAccessQuery);
    UpdateCaption(kCaptionNe | kCaptionEntity | kCaptionLocation);
    AddPage(CPktFilterEtherTypePage::kTemplateId, &etherTypePage_, LoadString(kStrEtherTypeOnlyPage).c_str());
    AddPage(CPktFilterKnownPage::kTemplateId, &knownPage_, LoadString(kStrKnownFiltersPage).c_str());
    AddPage(CPktFilterFullPage::kTemplateId, &fullPage_, LoadString(kStrFullyConfiguredPage).c_str());
    SelectPage(&etherTypePage_);
    filters_ = DefaultFilters(slot_);
    {
        const CPduLogHold hold;
        PktFilterRec query;
        query.slot = slot_;
        const RecordReply<PktFilterRec> reply = CRecordRequests().Query(
            kReqPktFilter, static_cast<uint32_t>(GetNeId()), query, {.failureTextId = kStrFailToQuery});
        if (reply.Ok())
            ApplyFilterRecords(filters_, reply.records, slot_);
    }
    etherTypePage_.Load(filters_);
    knownPage_.Load(filters_);
    fullPage_.Load(filters_);
    UpdatePageData(AllPages(), 0);
    fullPage_.ApplyStateRule();
}

bool CXdslPktFilterDlg::NamesAllowed(const PktFilterSet& set)
{
    // The names written, in the order they are checked: Ether-Type-Only, Known upstream, Fully Configured.
    std::vector<std::pair<CPktFilterPage*, const PktFilterRowIds*>> fields;
    for (CPktFilterPage* page : std::initializer_list<CPktFilterPage*>{&etherTypePage_, &knownPage_, &fullPage_}) {
        for (const PktFilterRowIds& ids : page->Rows()) {
            const bool written = !(page == &knownPage_ && ids.direction == kFilterDownstream);
            if (written)
                fields.emplace_back(page, &ids);
        }
    }
    std::vector<QString> names;
    for (const auto& [page, ids] : fields) {
        const auto& side = ids->direction == kFilterUpstream ? set.upstream : set.downstream;
        names.push_back(QString::fromStdString(side[ids->number - 1].name));
    }
    const std::optional<NameFault> fault = FirstNameFault(names, NameEnds::kAsTyped);
    if (!fault)
        return true;
    const auto& [page, ids] = fields[fault->index];
    ShowPageAlertTextById(page, fault->stringId, ids->name);
    if (fault->position >= 0)
        SelectTypedNameFault(*page, ids->name, {fault->stringId, fault->position});
    return false;
}

void CXdslPktFilterDlg::OnOK()
{
    if (CheckTargetNe() != 0 || UpdatePageData(AllPages(), 1) == 0)
        return;
    PktFilterSet set = filters_;
    etherTypePage_.Store(set);
    knownPage_.Store(set);
    fullPage_.Store(set);
    if (!NamesAllowed(set))
        return;
    const CRecordRequests requests;
    const CPduLogHold hold;
    for (const PktFilterRec& rec : FiltersToWrite(set)) {
        if (!requests
                 .Modify(kReqPktFilter, static_cast<uint32_t>(GetNeId()), rec, {.failureTextId = kStrFailToUpdateData})
                 .Ok())
            return;
    }
    filters_ = set;
    EndDialog(IDOK);
}
