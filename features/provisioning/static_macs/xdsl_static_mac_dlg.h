#pragma once
// CXdslStaticMacDlg (template 461, "xDSL Static MAC Address Setting"): adds one static MAC address on a PVC of an
// xDSL port (request 482). The port is picked in the Shelf, Slot and Port combos, the PVC by its VPI and VCI; OK has
// the NE check the MAC first (484, static_mac_verdict.h), asks again for a PVC not in RFC 2684 bridged mode (410),
// then adds it. In access mode 4 the dialog starts from VPI 0, VCI 32 and a zero MAC on any entity of the NE; in the
// other modes its target is a port ("Internal error" and the dialog ends otherwise) and it starts from the preset
// entry, or from those defaults when none was preset.
//
//     CXdslStaticMacDlg dlg(this);
//     dlg.SetTarget(neId, &port);
//     dlg.SetEntry(row);              // or SetAccessMode(kAccessCreate)
//     if (dlg.DoModal() == IDOK) ... dlg.GetEntry() ...   // status 7, the PVC's VLAN

#include "link/records/fdb_entry_rec.h"
#include "ui/framework/dialogs/ca_dialog.h"
#include "ui/framework/dialogs/port_combos.h"

#include <QString>

#include <memory>
#include <optional>

namespace Ui {
class CXdslStaticMacDlg;
}

class CXdslStaticMacDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 461;
    static constexpr int kShelfId = 1322;
    static constexpr int kSlotId = 1253;
    static constexpr int kPortId = 1273;
    static constexpr int kVpiId = 1376;
    static constexpr int kVpiSpinId = 1379;
    static constexpr int kVciId = 1371;
    static constexpr int kVciSpinId = 1374;
    static constexpr int kMacId = 1390;

    explicit CXdslStaticMacDlg(QWidget* parent = nullptr);
    ~CXdslStaticMacDlg() override;

    void SetEntry(const FdbEntryRec& entry)
    {
        entry_ = entry;
        preset_ = true;
    }
    const FdbEntryRec& GetEntry() const { return entry_; }

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    int OnCommandHook(int id, int code) override;
    int OnNotifyHook(const NotifyHeader& header, int* result) override;
    void OnOK() override;

private:
    // Whether the NE's check lets the MAC onto the PVC, told to the operator (and asked, where the NE would replace
    // what it learned); false when a request failed.
    bool CheckMac(const FdbEntryRec& entry);
    // The PVC's VLAN when it may take the entry (asked for a routed PVC); none when not.
    std::optional<uint16_t> PvcVlan(const FdbEntryRec& entry);

    std::unique_ptr<Ui::CXdslStaticMacDlg> ui_;
    CPortCombos combos_;
    FdbEntryRec entry_;
    bool preset_ = false;
    uint32_t vpi_ = 0;
    uint32_t vci_ = 32;
    QString mac_ = QStringLiteral("00:00:00:00:00:00");
};
