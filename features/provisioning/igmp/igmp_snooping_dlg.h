#pragma once
// CIgmpSnoopingDlg ("IGMP Snooping Setting", template 244): whether the target NE snoops IGMP, and after how many
// seconds (1..600) it ages out a group member it learned (request 493). The aging time takes input while "Enabled" is
// chosen; with "Disabled" the NE keeps the time it had. OK checks the input before it asks for the change.

#include "link/records/igmp_snooping_rec.h"
#include "ui/framework/dialogs/ca_dialog.h"

#include <cstdint>
#include <memory>

namespace Ui {
class CIgmpSnoopingDlg;
}

class CIgmpSnoopingDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 244;
    static constexpr int kEnabledId = 1153;
    static constexpr int kDisabledId = 1134;
    static constexpr int kAgingId = 1095;
    static constexpr int kAgingSpinId = 1096;

    explicit CIgmpSnoopingDlg(QWidget* parent = nullptr);
    ~CIgmpSnoopingDlg() override;

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    int OnCommandHook(int id, int code) override;
    bool OnNotify(const NotifyHeader& header, int* result) override;
    void OnOK() override;

private:
    bool EnabledChosen() const;
    void EnableValues();

    std::unique_ptr<Ui::CIgmpSnoopingDlg> ui_;
    int choice_ = 0; // 0 Enabled, 1 Disabled
    uint32_t agingTime_ = 30;
    IgmpSnoopingRec loaded_{1, 30};
};
