#pragma once
// CCascadedMgmtDlg (449, "Cascaded Management"): the target NE's part in cascaded management: whether it takes part,
// whether it is the root that relays management over the cascaded management subnet (its root address and the
// subnet's prefix length) or a remote NE behind one, and whether the root serves time to the remote NEs. Before the
// setting is sent, whatever its state and role, the root address is checked against the NE's own addresses and the
// subnets they lie in.

#include "core/util/ip_address.h"
#include "link/records/cascaded_mgmt_record.h"
#include "ui/framework/dialogs/ca_dialog.h"

#include <cstdint>
#include <memory>
#include <optional>

namespace Ui {
class CCascadedMgmtDlg;
}

class CCascadedMgmtDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 449;
    static constexpr int kEnabledId = 1153;
    static constexpr int kDisabledId = 1134;
    static constexpr int kRootId = 1154;
    static constexpr int kRemoteId = 1135;
    static constexpr int kSntpEnabledId = 1155;
    static constexpr int kSntpDisabledId = 1137;
    static constexpr int kRootIpId = 1204;
    static constexpr int kPrefixId = 1095;
    static constexpr int kPrefixSpinId = 1096;
    static constexpr uint32_t kMinPrefix = 1;
    static constexpr uint32_t kMaxPrefix = 30; // of the spin; OK sends any prefix the address check lets through

    explicit CCascadedMgmtDlg(QWidget* parent = nullptr);
    ~CCascadedMgmtDlg() override;

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    int OnCommandHook(int id, int code) override;
    int OnNotifyHook(const NotifyHeader& header, int* result) override;
    void OnOK() override;

private:
    // The root address and subnet go with the root role.
    void OnRoleChanged();
    // The checks of a root's address; false when one refused (with its message shown).
    bool CheckRootAddress(const IpAddress& rootIp, uint32_t prefix);

    std::unique_ptr<Ui::CCascadedMgmtDlg> ui_;
    int state_ = 1; // radio index: 0 enabled, 1 disabled
    int role_ = 0;  // 0 root, 1 remote
    int sntp_ = 1;  // 0 enabled, 1 disabled
    QString prefix_ = QStringLiteral("0");
};

// The message and the fields of the cascaded management dialog for a result of ValidateNeIpInterfaces; none for 0
// and for a result without a message, which passes.
struct CascadedIpAlert {
    uint32_t stringId = 0;
    int fields[2] = {0, 0};
};
std::optional<CascadedIpAlert> CascadedIpAlertOf(int result);
