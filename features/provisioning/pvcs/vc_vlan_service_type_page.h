#pragma once
// "Service Type" (template 405), the page of the VC-to-VLAN setting that says what a PVC's subscribers get: the
// service type (combo 1361: PPPoE, DHCP, PPPoE+DHCP, static IP, PPPoE+static IP, Transparent; item data 1..6), the
// DHCP IP limit (1095 with spin 1096) and client limit (1097 with spin 1098), 1..64 each, and up to eight static IP
// ranges (list 1212, columns "IP base" and "Count"), added and modified through the IP address range dialog
// (Modify 1150, Add 1263, Delete 1131, or the list's popup). The service-type rule enables what the type uses:
//
//     PPPoE                    nothing                 static IP, PPPoE+static IP   the ranges
//     DHCP, PPPoE+DHCP         the DHCP IP limit        Transparent                  the client limit
//
// After its data load, a change of type, an add or a delete the page tells its container (command 1329); fast
// provisioning hosts it too.

#include "features/provisioning/pvcs/pvc_rule_check.h"
#include "ui/framework/dialogs/record_list.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace Ui {
class CVcVlanServiceTypePage;
}

class CVcVlanServiceTypePage : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 405;
    static constexpr int kServiceTypeId = 1361;
    static constexpr int kDhcpLimitId = 1095;
    static constexpr int kDhcpLimitSpinId = 1096;
    static constexpr int kClientLimitId = 1097;
    static constexpr int kClientLimitSpinId = 1098;
    static constexpr int kRangesId = kListControlId;
    // What the page tells its container after its ranges or type changed.
    static constexpr int kChangedCommand = 1329;

    explicit CVcVlanServiceTypePage(QWidget* parent = nullptr);
    ~CVcVlanServiceTypePage() override;

    // 1..6; 0 for none selected.
    uint32_t ServiceType() const;
    void SetServiceType(uint32_t serviceType);
    uint8_t DhcpIpLimit() const { return static_cast<uint8_t>(dhcpLimit_); }
    uint8_t ClientLimit() const { return static_cast<uint8_t>(clientLimit_); }
    void SetLimits(uint8_t dhcpIpLimit, uint8_t clientLimit);
    // The ranges the list shows, in its order, the rest of address 0.0.0.0.
    PvcStaticIps Ranges() const;
    // The list anew from the ranges; those of address 0.0.0.0 or count 0 are left out.
    void SetRanges(const PvcStaticIps& ranges);
    // The row of the range at `index` of Ranges() selected and in view.
    void SelectRange(int index);
    // Enables the controls the service type uses.
    void ApplyServiceTypeRule();

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    int OnCommandHook(int id, int code) override;
    bool OnNotify(const NotifyHeader& header, int* result) override;
    void OnModifyRecord(uint32_t key) override;
    void OnAddRecord(std::optional<uint32_t> selected) override;
    void OnDeleteRecord(uint32_t key) override;
    std::vector<uint16_t> GreyedPopupCommands() const override;
    bool IsRowCommandOn(const RowCommand& command, std::optional<uint32_t> selected) const override;

private:
    bool RangesInUse() const;
    bool IsFull() const;
    // The IP address range dialog on a range; true on OK.
    bool RunRangeDialog(PvcStaticIpEntry& range, uint8_t accessMode);
    void TellContainer();

    std::unique_ptr<Ui::CVcVlanServiceTypePage> ui_;
    CIndexedRecordList<PvcStaticIpEntry> rows_;
    uint32_t dhcpLimit_ = 1;
    uint32_t clientLimit_ = 1;
    bool typeGiven_ = false;
};
