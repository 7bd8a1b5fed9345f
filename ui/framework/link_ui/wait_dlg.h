#pragma once
// The wait dialog of a request to the server or the NE: the waiting text, the seconds elapsed, a bar that fills up to
// the time-out, and Stop, which ends the request as cancelled by the operator. The dialog closes itself as soon as
// the request ends: the request's end notice posts the close to the UI thread. One dialog serves request after
// request (Run).

#include "platform/dialog.h"

#include <memory>

class CWaitContext;

namespace Ui {
class CWaitDlg;
}

class CWaitDlg : public CDialog {
    Q_OBJECT
public:
    static constexpr int kFirstTextId = 1101;
    static constexpr int kSecondTextId = 1102;
    static constexpr int kElapsedId = 1103;
    static constexpr int kProgressId = 1104;
    static constexpr int kElapsedTimer = 1;
    static constexpr int kElapsedMs = 50;

    explicit CWaitDlg(QWidget* parent = nullptr);
    ~CWaitDlg() override;

    // Runs the dialog modally for the request until it has ended.
    int Run(CWaitContext& wait);

    bool OnInitDialog() override;
    void OnTimer(int id) override;
    void OnDestroy() override;
    // Stop, Escape and the close button stop the request; the dialog stays until the request has ended.
    void OnCancel() override;
    void OnOK() override {}
    bool IsStopRequested() const { return stopRequested_; }

    // Shows the time elapsed and ends the dialog once the request has ended.
    void Poll();

private:
    std::unique_ptr<Ui::CWaitDlg> ui_;
    CWaitContext* wait_ = nullptr; // the request of the run under way
    bool stopRequested_ = false;
};
