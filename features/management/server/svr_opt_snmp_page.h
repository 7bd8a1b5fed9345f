#pragma once
// CSvrOptSnmpPage ("SNMP", template 312), a page of Server Management: how the server polls the NEs over SNMP, its
// time-out in seconds, its retries and its alarm polling interval in minutes. The spins step within 1..30, 0..9 and
// 0..1440; a typed value is limited only by its field (8, 8 and 32 bits). The page exchanges its controls with the
// values its container holds.

#include "ui/framework/dialogs/ca_dialog.h"

#include <memory>

struct ServerOptionValues;
namespace Ui {
class CSvrOptSnmpPage;
}

class CSvrOptSnmpPage : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 312;
    static constexpr int kTimeoutId = 1311;
    static constexpr int kTimeoutSpinId = 1312;
    static constexpr int kRetriesId = 1095;
    static constexpr int kRetriesSpinId = 1096;
    static constexpr int kPollingId = 1313;
    static constexpr int kPollingSpinId = 1314;

    CSvrOptSnmpPage(ServerOptionValues& values, QWidget* parent = nullptr);
    ~CSvrOptSnmpPage() override;

    void DoDataExchange(CDataExchange& dx) override;
    bool OnNotify(const NotifyHeader& header, int* result) override;

private:
    ServerOptionValues& values_;
    std::unique_ptr<Ui::CSvrOptSnmpPage> ui_;
};
