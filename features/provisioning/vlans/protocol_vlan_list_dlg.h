#pragma once
// CProtocolVlanListDlg ("Protocol-based VLAN List", template 440): the protocol-based VLAN entries of the target NE,
// one per Ethernet type (requests 540..542), and whether the NE puts untagged frames into VLANs by their Ethernet type
// at all (request 543). Add and Modify open the entry dialog; Change State the setting of the NE-wide state. Disabled
// entries are shown grey.

#include "link/records/protocol_vlan_rec.h"
#include "ui/framework/dialogs/record_list.h"

#include <cstdint>
#include <memory>

namespace Ui {
class CProtocolVlanListDlg;
}

class CProtocolVlanListDlg : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 440;
    static constexpr int kChangeStateButtonId = 1152;
    static constexpr int kStateId = 1278;
    static constexpr int kEnabledImageId = 1153;
    static constexpr int kDisabledImageId = 1134;
    static constexpr int kEtherTypeColumn = 1;

    explicit CProtocolVlanListDlg(QWidget* parent = nullptr);
    ~CProtocolVlanListDlg() override;

    void InitData() override;
    void OnModifyRecord(uint32_t etherType) override;
    void OnAddRecord(std::optional<uint32_t> selected) override;
    void OnDeleteRecord(uint32_t etherType) override;
    int OnCommandHook(int id, int code) override;
    void DrawExtras(Dc& dc) override;

private:
    // The NE-wide state in the static; false when it could not be read.
    bool ReadState();
    void ChangeState();

    std::unique_ptr<Ui::CProtocolVlanListDlg> ui_;
    CRecordList<ProtocolVlanRec> rows_;
};
