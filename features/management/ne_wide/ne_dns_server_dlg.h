#pragma once
// CNeDnsServerDlg ("NE DNS Server Setting", template 426): the three DNS servers the target NE asks, in order
// (request 311); 0.0.0.0 names none. OK refuses one server given twice, an address no host may have and one the NE
// uses itself, then writes the three. OK is offered to an operator with the right to change them.

#include "ui/framework/dialogs/ca_dialog.h"

#include <memory>

namespace Ui {
class CNeDnsServerDlg;
}

class CNeDnsServerDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 426;
    static constexpr int kFirstServerId = 1207;
    static constexpr int kSecondServerId = 1209;
    static constexpr int kThirdServerId = 1206;

    explicit CNeDnsServerDlg(QWidget* parent = nullptr);
    ~CNeDnsServerDlg() override;

    void InitData() override;
    void OnOK() override;

private:
    std::unique_ptr<Ui::CNeDnsServerDlg> ui_;
};
