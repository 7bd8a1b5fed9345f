#pragma once
// CNeFsCopyProgressDlg (478): runs while the NE copies one file on its file system. It shows the time elapsed, a
// scrolling banner and a bar that runs round, and asks the NE every 30 seconds how the copy stands. Only the NE's
// answers end it: IDOK once the NE says the copy is no longer in progress (GetFinalState then holds the state it
// reported), IDCANCEL when a question fails. The operator cannot close it: Enter, Escape, its Cancel and the close
// button do nothing.
//
//     CNeFsCopyProgressDlg progress(this);
//     progress.SetTarget(GetNeId(), nullptr);
//     if (progress.DoModal() == IDOK && !CopyFailureTextId(progress.GetFinalState())) ... the copy is done

#include "features/management/ne_fs/ne_fs_copy_watch.h"
#include "ui/framework/dialogs/ca_dialog.h"

#include <cstdint>
#include <memory>
#include <optional>

namespace Ui {
class CNeFsCopyProgressDlg;
}

class CNeFsCopyProgressDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 478;
    static constexpr int kFirstLineId = 1132;
    static constexpr int kBannerId = 1266;
    static constexpr int kElapsedId = 1311;
    static constexpr int kProgressId = 1284;
    static constexpr int kTickTimer = 15588;
    static constexpr int kTickMs = 5;
    static constexpr int32_t kPollTimeoutMs = 30000;

    explicit CNeFsCopyProgressDlg(QWidget* parent = nullptr);
    ~CNeFsCopyProgressDlg() override;

    // The clock the watch runs on (the system's UTC clock unless given); giving one starts the watch again on it.
    void SetClock(CNeFsCopyWatch::Clock clock);
    uint32_t GetFinalState() const { return finalState_; }

    void InitData() override;
    void OnTimer(int id) override;
    // The copy is the NE's: the operator waits for its end.
    void OnOK() override {}
    void OnCancel() override {}

private:
    void OnTick();
    // Asks the NE how the copy stands; false when the dialog has ended.
    bool Poll();

    std::unique_ptr<Ui::CNeFsCopyProgressDlg> ui_;
    CNeFsCopyWatch::Clock clock_;
    std::optional<CNeFsCopyWatch> watch_;
    uint32_t finalState_ = 1;
};
