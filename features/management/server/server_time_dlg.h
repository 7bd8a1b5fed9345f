#pragma once
// CServerTimeDlg ("Server System Date/Time", template 266): the management server's clock (request 4), shown in the
// workstation's local time and running on on screen a second at a time; with "Synchronize with Local Time" it shows
// the workstation's own time instead, and Refresh and the pickers rest. "Set Date/Time" gives the server (and with
// it every NE) the time shown, after a confirmation, and closes; it is offered only with the right to modify NEs.
// Server mode only.

#include "ui/framework/dialogs/ca_dialog.h"

#include <cstdint>
#include <memory>

namespace Ui {
class CServerTimeDlg;
}

class CServerTimeDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 266;
    static constexpr int kDateId = 1116;
    static constexpr int kTimeId = 1344;
    static constexpr int kSyncLocalId = 1336;
    static constexpr int kSetButtonId = 1150;
    static constexpr int kTickTimer = 3722;

    explicit CServerTimeDlg(QWidget* parent = nullptr);
    ~CServerTimeDlg() override;

    // The time the pickers show, in seconds since 1970.
    uint32_t ShownSeconds() const;

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    int OnCommandHook(int id, int code) override;
    void OnTimer(int id) override;
    void OnDestroy() override;

private:
    void Refresh();
    void SetDateTime();
    void ShowSeconds(uint32_t seconds);
    // The pickers and Refresh by the synchronisation check.
    void ApplySyncLocal();

    std::unique_ptr<Ui::CServerTimeDlg> ui_;
    int syncLocal_ = 0;
};
