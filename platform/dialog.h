#pragma once
// The dialog base of the program, on QDialog. A dialog is a Qt Designer template (one .ui file per dialog id, compiled
// by AUTOUIC) whose controls carry their numeric ids (control_id.h), plus a class with the hooks it needs:
//
//     class CAboutDlg : public CDialog {           // derived dialogs usually derive from CADialog
//     public:
//         explicit CAboutDlg(QWidget* parent = nullptr) : CDialog(230, parent) { ui_.setupUi(this); }
//         bool OnInitDialog() override;             // before the dialog shows; the base exchanges data
//         void DoDataExchange(CDataExchange& dx) override { DDX_Text(dx, 1190, name_); }
//         bool OnCommand(int id, int code) override; // button 1 (IDOK) and 2 (IDCANCEL) reach OnOK / OnCancel
//     };
//     CAboutDlg dlg(this);
//     if (dlg.DoModal() == IDOK) ...
//
// The hooks run at the moments the handlers expect: OnInitDialog once the controls exist and before the window
// shows; OnCommand / OnNotify for every control signal (command_relay.h); OnOK for IDOK (the OK button, Enter on the
// default button, accept()), OnCancel for IDCANCEL (the Cancel button, Escape, the close button); OnTimer for timers
// set with SetTimer; OnDestroy when the window goes (DoModal's end or DestroyWindow). The hooks are public so that
// tests can call them directly.

#include "platform/command_relay.h"
#include "platform/data_exchange.h"
#include "platform/notify_codes.h"
#include "platform/window_timers.h"

#include <QDialog>

#include <functional>
#include <memory>

class Dc;

class CDialog : public QDialog, public CommandTarget {
    Q_OBJECT
public:
    explicit CDialog(int templateId, QWidget* parent = nullptr);
    ~CDialog() override;

    int GetTemplateId() const { return templateId_; }

    // Runs the dialog modally through the process's modal runner and returns its result. A dialog ended during
    // OnInitDialog returns at once without showing.
    int DoModal();
    // Creates a modeless dialog or a page without showing it: binds the controls and runs OnInitDialog. False when it
    // was created already.
    bool Create();
    // Ends the dialog with the result (DoModal returns it).
    void EndDialog(int result);
    // Runs OnDestroy, stops the timers and hides the window; the dialog can be created again afterwards.
    void DestroyWindow();
    bool IsCreated() const { return initialized_; }
    bool IsEnded() const { return ended_; }
    // True for a dialog embedded in another window (a tab page) rather than a window of its own.
    bool IsChildWindow() const { return !isWindow(); }

    // The control with the id; null when the template has none, which is reported as a fault (control_id.h).
    QWidget* GetDlgItem(int id) const;
    template <class T> T* GetDlgItemAs(int id) const { return qobject_cast<T*>(GetDlgItem(id)); }
    // Binds a control created after the dialog, so that it sends commands like the template's controls.
    void BindControl(QWidget* control, int id);

    // Runs DoDataExchange: from the controls to the members when saving, else the other way; false when it failed.
    bool UpdateData(bool saveAndValidate = true);

    int SetTimer(int id, int milliseconds) { return timers_->SetTimer(id, milliseconds); }
    bool KillTimer(int id) { return timers_->KillTimer(id); }
    const CWindowTimers& Timers() const { return *timers_; }

    // Queues a call to run once control returns to the event loop (a posted message).
    void PostCall(std::function<void()> call);

    // Redraws the layer above the controls (see OnDrawOverlay).
    void InvalidateOverlay();

    // Hooks.
    virtual bool OnInitDialog();
    virtual void DoDataExchange(CDataExchange& dx);
    virtual void OnOK();
    virtual void OnCancel();
    bool OnCommand(int id, int code) override;
    bool OnNotify(const NotifyHeader& header, int* result) override;
    virtual void OnTimer(int id);
    virtual void OnDestroy();
    // Draws above the controls (frames around controls and other decorations), in dialog coordinates.
    virtual void OnDrawOverlay(Dc& dc);

public slots:
    void accept() override;
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void EnsureInitialized();

    int templateId_;
    bool initialized_ = false;
    bool ended_ = false;
    int endResult_ = IDCANCEL;
    QWidget* overlay_ = nullptr;
    // Members, so that they go before the controls: no signal reaches a half-destroyed dialog.
    std::unique_ptr<CWindowTimers> timers_;
    std::unique_ptr<CommandRelay> relay_;
};
