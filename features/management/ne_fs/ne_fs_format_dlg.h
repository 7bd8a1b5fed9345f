#pragma once
// CNeFsFormatDlg (458, "NE File System Format"): empties one partition of the target NE's flash file system,
// "opCodeA", "opCodeB" or "cfg", after the operator confirms; the NE keeps its "mac.cfg".

#include "ui/framework/dialogs/ca_dialog.h"

#include <memory>

namespace Ui {
class CNeFsFormatDlg;
}

class CNeFsFormatDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 458;
    static constexpr int kOpCodeAId = 1059;
    static constexpr int kOpCodeBId = 1060;
    static constexpr int kConfigId = 1061;

    explicit CNeFsFormatDlg(QWidget* parent = nullptr);
    ~CNeFsFormatDlg() override;

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnOK() override;

private:
    std::unique_ptr<Ui::CNeFsFormatDlg> ui_;
    int partitionIndex_ = 0; // 0 opCodeA, 1 opCodeB, 2 cfg
};
