#pragma once
// CNeTimeServerDlg ("NE Time Server Setting", template 428): how the target NE takes its time: the network timing
// protocol, the update period in hours and minutes, and up to three servers, each a host name or an IPv4 address
// (request 312). OK checks each server in turn and writes the setting; the period is always 1..1440 minutes.
//
//     CNeTimeServerDlg dlg(this);
//     dlg.SetTarget(neId, nullptr);
//     if (dlg.DoModal() == IDOK) ... read the NE's time servers again ...

#include "ui/framework/dialogs/ca_dialog.h"

#include <QString>

#include <array>
#include <cstdint>
#include <memory>

namespace Ui {
class CNeTimeServerDlg;
}

class CNeTimeServerDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 428;
    static constexpr int kProtocolComboId = 1361;
    static constexpr int kHoursId = 1190;
    static constexpr int kHoursSpinId = 1193;
    static constexpr int kMinutesId = 1241;
    static constexpr int kMinutesSpinId = 1242;
    static constexpr int kFirstServerId = 1257; // 1257..1259
    static constexpr int kServerMax = 63;

    explicit CNeTimeServerDlg(QWidget* parent = nullptr);
    ~CNeTimeServerDlg() override;

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    bool OnNotify(const NotifyHeader& header, int* result) override;
    void OnOK() override;

private:
    // The minutes' spin steps only beside fewer than 24 hours.
    void LockMinutesByHours();
    // False, with the alert on the server's edit, for a text that names no server.
    bool CheckServer(int index);

    std::unique_ptr<Ui::CNeTimeServerDlg> ui_;
    int protocolIndex_ = 0;
    uint32_t hours_ = 12;
    uint32_t minutes_ = 0;
    std::array<QString, 3> servers_{};
};
