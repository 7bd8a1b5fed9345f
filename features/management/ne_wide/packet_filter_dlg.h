#pragma once
// CPacketFilterDlg ("Packet Filter", template 436): whether the target NE forwards or drops NetBIOS / NetBEUI packets
// (request 321).

#include "ui/framework/dialogs/ca_dialog.h"

#include <memory>

namespace Ui {
class CPacketFilterDlg;
}

class CPacketFilterDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 436;
    static constexpr int kForwardId = 1059;
    static constexpr int kDropId = 1060;

    explicit CPacketFilterDlg(QWidget* parent = nullptr);
    ~CPacketFilterDlg() override;

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnOK() override;

private:
    std::unique_ptr<Ui::CPacketFilterDlg> ui_;
    int choice_ = 0; // 0 Forward, 1 Drop
};
