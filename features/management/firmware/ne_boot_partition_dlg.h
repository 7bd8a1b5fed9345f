#pragma once
// CNeBootPartitionDlg ("NE Firmware Boot Partition", template 398): which of the NE's firmware partitions runs now,
// and the one it boots next time, chosen between partitions 1 and 2 (request 310). The partitions go by the names of
// the NE model's BOOTDEV key. OK writes the choice after a confirmation; the opener reads it with ChosenPartition.

#include "ui/framework/dialogs/ca_dialog.h"

#include <cstdint>
#include <memory>

namespace Ui {
class CNeBootPartitionDlg;
}

class CNeBootPartitionDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 398;
    static constexpr int kCurrentId = 1257;
    static constexpr int kNextId = 1258;

    explicit CNeBootPartitionDlg(QWidget* parent = nullptr);
    ~CNeBootPartitionDlg() override;

    uint32_t ChosenPartition() const { return chosen_; }

    void InitData() override;
    void OnOK() override;

private:
    std::unique_ptr<Ui::CNeBootPartitionDlg> ui_;
    uint32_t chosen_ = 0;
};
