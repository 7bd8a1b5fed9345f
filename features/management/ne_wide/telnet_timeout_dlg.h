#pragma once
// CTelnetTimeoutDlg ("Telnet Time-out Setting", template 464): after how many idle minutes (1..1440) the target NE ends
// a telnet session (request 324). A number out of range is pointed out as soon as the field is left.

#include "ui/framework/dialogs/ca_dialog.h"

#include <cstdint>
#include <memory>

namespace Ui {
class CTelnetTimeoutDlg;
}

class CTelnetTimeoutDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 464;
    static constexpr int kMinutesId = 1095;
    static constexpr int kMinutesSpinId = 1096;
    static constexpr uint32_t kMinMinutes = 1;
    static constexpr uint32_t kMaxMinutes = 1440;

    explicit CTelnetTimeoutDlg(QWidget* parent = nullptr);
    ~CTelnetTimeoutDlg() override;

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    int OnCommandHook(int id, int code) override;
    bool OnNotify(const NotifyHeader& header, int* result) override;
    void OnOK() override;

private:
    std::unique_ptr<Ui::CTelnetTimeoutDlg> ui_;
    uint32_t minutes_ = 2;
};
