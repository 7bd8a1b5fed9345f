#pragma once
// CRedundancyCtrlDlg ("Redundancy Control", template 430): whether the target NE synchronises the configuration of its
// two control modules by itself, and every how many seconds (30..3600; request 314); OK writes only a change. "Sync
// Now" has the modules synchronise at once (request 315); it is offered when both control-module slots hold the
// module planned there.

#include "features/management/ne_wide/state_period_dlg.h"

#include <memory>

namespace Ui {
class CRedundancyCtrlDlg;
}

class CRedundancyCtrlDlg : public CStatePeriodDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 430;
    static constexpr int kSyncNowButtonId = 1319;
    static constexpr uint32_t kMinSeconds = 30;
    static constexpr uint32_t kMaxSeconds = 3600;

    explicit CRedundancyCtrlDlg(QWidget* parent = nullptr);
    ~CRedundancyCtrlDlg() override;

    void InitData() override;
    int OnCommandHook(int id, int code) override;

private:
    void SyncNow();

    std::unique_ptr<Ui::CRedundancyCtrlDlg> ui_;
};
