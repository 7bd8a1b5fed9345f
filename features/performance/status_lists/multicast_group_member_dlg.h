#pragma once
// CMulticastGroupMemberDlg ("Multicast Group Membership List", template 293): the multicast channels the NE carries
// (request 490) in the list box 1213, and for the chosen one its last reporter (1348), member count (1349), up time
// (1350) and which ports are members, in a matrix of five rows of ten ports for each line-card slot and a last row
// for the two GE uplinks ("Y" with image 29 a member, "N" with image 30 not). Export writes "xDslIdbSvr".

#include "link/records/mc_group_member_rec.h"
#include "ui/framework/dialogs/record_list.h"
#include "ui/framework/dialogs/record_list_dlg.h"
#include "ui/framework/lists/port_matrix.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace Ui {
class CMulticastGroupMemberDlg;
}

// Whether the group's member bits name port `port` (1..48) of line-card slot `slotIndex`; a bit beyond the record's
// bits names no member.
bool IsMcLinePortMember(const McGroupMemberRec& group, size_t slotIndex, unsigned port);
// Uplink 0 or 1, whose bits follow those of the `lineCardSlots` slots.
bool IsMcUplinkMember(const McGroupMemberRec& group, size_t lineCardSlots, unsigned uplink);

class CMulticastGroupMemberDlg : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 293;
    static constexpr int kChannelListId = 1213;
    static constexpr int kReporterId = 1348;
    static constexpr int kMemberCountId = 1349;
    static constexpr int kUpTimeId = 1350;
    static constexpr int kFirstPortColumn = 3;
    static constexpr int kPortColumns = 10;

    explicit CMulticastGroupMemberDlg(QWidget* parent = nullptr);
    ~CMulticastGroupMemberDlg() override;

    void InitData() override;
    int OnCommandHook(int id, int code) override;
    void OnRefresh() override;

private:
    // Whether the shown group names the row's port (an uplink by its number from 0).
    bool IsMember(const PortMatrixRow& row, unsigned port) const;
    void ShowChannel();

    std::unique_ptr<Ui::CMulticastGroupMemberDlg> ui_;
    CIndexedRecordList<PortMatrixRow> rows_;
    std::vector<McGroupMemberRec> groups_;
    size_t lineCardSlots_ = 0;
    const McGroupMemberRec* shown_ = nullptr;
};
