#pragma once
// CIgmpSnoopProxyDlg ("IGMP Snopping / IGMP Proxy Setting", template 399): whether the target NE snoops IGMP, acts as
// an IGMP proxy or neither, the settings of each function, and the IGMP versions of its queries and of the reports
// and leaves it takes (request 495). Leaving the aging time or an interval pulls it into its range. OK writes only a
// change, after a warning for snooping.

#include "features/provisioning/igmp/igmp_values.h"
#include "ui/framework/dialogs/ca_dialog.h"

#include <memory>

namespace Ui {
class CIgmpSnoopProxyDlg;
}

class CIgmpSnoopProxyDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 399;
    static constexpr int kDisabledId = 1134;
    static constexpr int kSnoopingId = 1153;
    static constexpr int kProxyId = 1154;
    static constexpr int kAgingId = 1392;
    static constexpr int kAgingSpinId = 1114;
    static constexpr int kSnoopingIntervalId = 1099;
    static constexpr int kSnoopingIntervalSpinId = 1100;
    static constexpr int kSnoopingRetriesId = 1101;
    static constexpr int kSnoopingRetriesSpinId = 1102;
    static constexpr int kSnoopingLeaveId = 1060;
    static constexpr int kProxyIntervalId = 1097;
    static constexpr int kProxyIntervalSpinId = 1098;
    static constexpr int kProxyRetriesId = 1095;
    static constexpr int kProxyRetriesSpinId = 1096;
    static constexpr int kProxyLeaveId = 1059;
    static constexpr int kQueryV2Id = 1155;  // 1155..1157: IGMPv2, IGMPv3, Auto
    static constexpr int kReportV2Id = 1158; // 1158..1160

    explicit CIgmpSnoopProxyDlg(QWidget* parent = nullptr);
    ~CIgmpSnoopProxyDlg() override;

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    int OnCommandHook(int id, int code) override;
    bool OnNotify(const NotifyHeader& header, int* result) override;
    void OnOK() override;

private:
    // Puts the number of an edit the operator left into minimum..maximum.
    void PullIntoRange(int id, uint32_t minimum, uint32_t maximum);

    std::unique_ptr<Ui::CIgmpSnoopProxyDlg> ui_;
    IgmpSettingValues values_;
    IgmpSettingValues loaded_;
};
