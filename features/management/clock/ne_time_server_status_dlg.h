#pragma once
// CNeTimeServerStatusDlg ("NE Time Server Status", template 429): the target NE's clock, the network timing protocol,
// update period and time servers it takes its time from, and how each server serves it (requests 300 and 312). The
// NE's time shown runs on a second at a time between reads. Modify opens the time server setting (with the right to
// change it); "Adjust Time" has the NE take its time from its servers now (request 313), offered while it takes its
// time by SNTP from at least one server.

#include "ui/framework/dialogs/ca_dialog.h"

#include <cstdint>
#include <memory>

namespace Ui {
class CNeTimeServerStatusDlg;
}

class CNeTimeServerStatusDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 429;
    static constexpr int kNeTimeId = 1343;
    static constexpr int kProtocolId = 1361;
    static constexpr int kHoursId = 1190;
    static constexpr int kMinutesId = 1241;
    static constexpr int kFirstServerId = 1257; // 1257..1259
    static constexpr int kFirstStateId = 1348;  // 1348..1350
    static constexpr int kAdjustButtonId = 1364;
    static constexpr int kTickTimer = 23724;

    explicit CNeTimeServerStatusDlg(QWidget* parent = nullptr);
    ~CNeTimeServerStatusDlg() override;

    void InitData() override;
    int OnCommandHook(int id, int code) override;
    void OnTimer(int id) override;
    void OnDestroy() override;

private:
    void Refresh();
    void Modify();
    void AdjustTime();
    void SetText(int id, const QString& text);

    std::unique_ptr<Ui::CNeTimeServerStatusDlg> ui_;
    uint32_t protocol_ = 0; // as read, for Adjust Time
};
