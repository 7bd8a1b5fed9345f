#pragma once
// CNeMgmtIpPage ("Management IP", template 391): the NE's two management interfaces (the uplink, UGE, and the
// management port, NME), each with its address, prefix length and MAC, the management VLAN and the default gateway.
// In server mode the page only shows them; in direct mode the addresses, the VLAN and the prefix lengths (by their
// up-down controls) can be changed. The page holds the values for its container.

#include "ui/framework/dialogs/ca_dialog.h"

#include <QString>

#include <cstdint>
#include <memory>

namespace Ui {
class CNeMgmtIpPage;
}
struct NeConfigRecord;

struct NeMgmtIpValues {
    QString ugeIp;          // dotted text
    uint32_t ugePrefix = 0; // 1..30 once filled from a record
    QString ugeMac;
    uint32_t vlanId = 4092;
    QString nmeIp;
    uint32_t nmePrefix = 0;
    QString nmeMac;
    QString gateway;
};

class CNeMgmtIpPage : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 391;
    static constexpr int kUgeIpId = 1204;
    static constexpr int kUgeMaskId = 1095;
    static constexpr int kUgeMaskSpinId = 1096;
    static constexpr int kUgeMacId = 1390;
    static constexpr int kVlanId = 1199;
    static constexpr int kVlanSpinId = 1202;
    static constexpr int kNmeIpId = 1209;
    static constexpr int kNmeMaskId = 1097;
    static constexpr int kNmeMaskSpinId = 1098;
    static constexpr int kNmeMacId = 1391;
    static constexpr int kGatewayId = 1207;

    static constexpr uint32_t kMinPrefix = 1;
    static constexpr uint32_t kMaxPrefix = 30;
    static constexpr uint32_t kMinVlan = 1;
    static constexpr uint32_t kMaxVlan = 4094;

    explicit CNeMgmtIpPage(QWidget* parent = nullptr);
    ~CNeMgmtIpPage() override;

    const NeMgmtIpValues& Values() const { return values_; }
    // The values of a configuration record, as the page shows them (the prefix lengths and the VLAN within their
    // ranges).
    void SetValues(const NeConfigRecord& config);

    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    int OnNotifyHook(const NotifyHeader& header, int* result) override;

private:
    bool Editable() const;

    std::unique_ptr<Ui::CNeMgmtIpPage> ui_;
    NeMgmtIpValues values_;
};
