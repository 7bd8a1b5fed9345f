#include "features/performance/status_lists/multicast_group_member_dlg.h"

#include "core/entity/entity_model_set.h"
#include "core/entity/line_card_slots.h"
#include "core/tables/access_rights.h"
#include "core/tables/entity_labels.h"
#include "core/tables/ne_table.h"
#include "core/util/bit_string.h"
#include "core/util/ip_address.h"
#include "link/record_requests.h"
#include "ui/framework/lists/small_images.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_multicast_group_member_dlg.h"

#include <QListWidget>

namespace {

constexpr unsigned kPortsPerLineCardSlot = kPortMatrixSlotPorts;
constexpr unsigned kUplinkPorts = kPortMatrixUplinks;

} // namespace

bool IsMcLinePortMember(const McGroupMemberRec& group, size_t slotIndex, unsigned port)
{
    if (port < 1 || port > kPortsPerLineCardSlot)
        return false;
    return TestBit(group.memberPorts, slotIndex * kPortsPerLineCardSlot + port - 1) == 1;
}

bool IsMcUplinkMember(const McGroupMemberRec& group, size_t lineCardSlots, unsigned uplink)
{
    return uplink < kUplinkPorts && TestBit(group.memberPorts, lineCardSlots * kPortsPerLineCardSlot + uplink) == 1;
}

CMulticastGroupMemberDlg::CMulticastGroupMemberDlg(QWidget* parent)
    : CRecordListDlg(kTemplateId,
                     {.popupName = "GENERIC_LIST",
                      .rowCommands = {},
                      .activateCommand = 0,
                      .right = kRightMcChannels,
                      .exportStem = "xDslIdbSvr"},
                     parent),
      ui_(std::make_unique<Ui::CMulticastGroupMemberDlg>()),
      rows_(*this, PortMatrixColumns([this] { return FindNeById(static_cast<uint32_t>(GetNeId())); },
                                     [this](const PortMatrixRow& row, unsigned port) { return IsMember(row, port); }))
{
    ui_->setupUi(this);
    SetRecordList(rows_);
}

CMulticastGroupMemberDlg::~CMulticastGroupMemberDlg() = default;

bool CMulticastGroupMemberDlg::IsMember(const PortMatrixRow& row, unsigned port) const
{
    if (shown_ == nullptr)
        return false;
    return row.slotId == 0 ? IsMcUplinkMember(*shown_, lineCardSlots_, port)
                           : IsMcLinePortMember(*shown_, row.slotIndex, port);
}

void CMulticastGroupMemberDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightMcChannels) != 0 || CheckTargetNeOrClose() != 0)
        return;
    UpdateCaption(kCaptionNe | kCaptionLocation);
    SetSmallImages();
    EnableSubItemImages();
    InitListColumnsById(kStrColumnsGroupMembers);
    ui_->memberImage->setPixmap(SharedSmallImages().Get(kImageMember));
    ui_->nonMemberImage->setPixmap(SharedSmallImages().Get(kImageNonMember));

    // The rows: ten ports of each line-card slot at a time, then the uplinks.
    const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
    const std::vector<uint32_t> slotIds = LineCardSlotIds(CurrentEntityModels(), ne != nullptr ? ne->neModelId : 0);
    lineCardSlots_ = slotIds.size();
    if (slotIds.empty()) {
        ShowAlertTextById(kStrNoData);
        return;
    }
    rows_.SetRecords(PortMatrixRows(slotIds));
    OnRefresh();
}

void CMulticastGroupMemberDlg::OnRefresh()
{
    const QListWidgetItem* before = ui_->channelList->currentItem();
    const QString previous = before != nullptr ? before->text() : QString();
    shown_ = nullptr;
    groups_.clear();
    ui_->channelList->clear();
    const McGroupQueryRec all{};
    RecordReply<McGroupMemberRec> reply = CRecordRequests().Query(kReqMcGroupMember, static_cast<uint32_t>(GetNeId()),
                                                                  all, {.failureTextId = kStrFailToQuery});
    if (reply.Ok())
        groups_ = std::move(reply.records);
    for (const McGroupMemberRec& group : groups_)
        ui_->channelList->addItem(QString::fromStdString(FormatIpAddressPadded(group.channel)));
    const QList<QListWidgetItem*> again = ui_->channelList->findItems(previous, Qt::MatchExactly);
    ui_->channelList->setCurrentRow(!previous.isEmpty() && !again.isEmpty() ? ui_->channelList->row(again.front())
                                                                            : (groups_.empty() ? -1 : 0));
    ShowChannel();
}

void CMulticastGroupMemberDlg::ShowChannel()
{
    const int chosen = ui_->channelList->currentRow();
    shown_ =
        chosen >= 0 && static_cast<size_t>(chosen) < groups_.size() ? &groups_[static_cast<size_t>(chosen)] : nullptr;
    ui_->reporter->clear();
    ui_->count->clear();
    ui_->upTime->clear();
    if (shown_ == nullptr) {
        ShowAlertTextById(kStrPleaseSelectOneItem, kChannelListId);
    } else {
        QString reporter = QString::fromStdString(FormatIpAddress(shown_->reporterAddress));
        if (shown_->reporterPortId != 0)
            reporter += QLatin1Char('\n') + QString::fromStdString(FormatEntityLocationById(
                                                FindNeById(static_cast<uint32_t>(GetNeId())), shown_->reporterPortId));
        ui_->reporter->setText(reporter);
        ui_->count->setText(QString::number(shown_->memberCount));
        ui_->upTime->setText(QString::number(shown_->upTime));
    }
    for (uint32_t key = 0; key < rows_.StoredCount(); ++key)
        rows_.Replace(key, *rows_.Find(key));
}

int CMulticastGroupMemberDlg::OnCommandHook(int id, int code)
{
    if (id == kChannelListId && code == LBN_SELCHANGE) {
        ShowChannel();
        return 1;
    }
    return CRecordListDlg::OnCommandHook(id, code);
}
