#pragma once
// CManualVlanDlg (template 455, "Manual VLAN Setting"): a grid of the VLAN ids 1..4094, ten a row, in which the
// operator marks the VLANs trunk port 2 joins (request 725: the port's VLAN bit map). A click on a VLAN's cell
// toggles its image between "Join" and "Leave"; its text keeps what the NE told ("Y" or "N"); OK writes the map of
// the images. OK is offered only once the NE has told the port's VLANs, so that a failed read never writes a map that
// leaves every VLAN.
//
//     CManualVlanDlg dlg;
//     dlg.SetTarget(neId, nullptr);
//     dlg.DoModal();

#include "link/records/vlan_bit_map_rec.h"
#include "ui/framework/dialogs/record_list.h"

#include <array>
#include <memory>
#include <optional>

namespace Ui {
class CManualVlanDlg;
}

// One row of the grid: VLANs 10 x number + 1 .. 10 x number + 10 (none above 4094), bit i for the row's VLAN i.
struct VlanGridRow {
    uint32_t number = 0;
    uint16_t members = 0;           // the cells' images: the VLANs marked to join
    std::optional<uint16_t> told{}; // the members the NE told, the cells' texts; none before it answered
};

class CManualVlanDlg : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 455;
    static constexpr int kJoinImageId = 1196;
    static constexpr int kLeaveImageId = 1197;
    static constexpr int kFirstVlanColumn = 2;
    static constexpr int kVlansPerRow = 10;
    static constexpr uint32_t kLastVlan = 4094;
    static constexpr uint32_t kRowCount = (kLastVlan + kVlansPerRow - 1) / kVlansPerRow;

    explicit CManualVlanDlg(QWidget* parent = nullptr);
    ~CManualVlanDlg() override;

    // The VLANs as the NE told them, or as written by the last OK.
    const std::array<uint8_t, kVlanBitMapBytes>& CurrentMap() const { return current_; }

    void InitData() override;
    int OnNotifyHook(const NotifyHeader& header, int* result) override;
    void OnOK() override;
    void DrawExtras(Dc& dc) override;

private:
    // The grid of `map`'s members; `told`: the map is the NE's, its cells show their texts.
    void ShowMap(const std::array<uint8_t, kVlanBitMapBytes>& map, bool told);
    uint32_t PortId() const;

    std::unique_ptr<Ui::CManualVlanDlg> ui_;
    CRecordList<VlanGridRow> rows_;
    std::array<uint8_t, kVlanBitMapBytes> current_{};
};
