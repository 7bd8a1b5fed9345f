#pragma once
// What the link shows a person, on the screen: the wait dialog, the failure box and the PDU log window. The start-up
// code makes one, registers it with the link (SetLinkUi) and owns it until the link is down.

#include "link/link_ui.h"

#include <QString>

#include <memory>

class CPduLogDlg;
class CWaitDlg;

class CQtLinkUi : public ILinkUi {
public:
    CQtLinkUi();
    ~CQtLinkUi() override;
    CQtLinkUi(const CQtLinkUi&) = delete;
    CQtLinkUi& operator=(const CQtLinkUi&) = delete;

    // On the UI thread the modal wait dialog, made once and shown for request after request; on another thread
    // (which must not touch windows) a plain wait.
    void RunWaitDialog(CWaitContext& wait) override;
    // The program's message box with the failure text, the result code and the error text; from another thread it
    // shows once the UI thread gets to it.
    void ShowFailureMessage(uint32_t failureTextId, int code, const std::string& errorText) override;
    void AppendPduLogLines(const std::vector<std::string>& lines) override;
    // The message line, on the UI thread (see ShowLinkStatusOnUiThread).
    void ShowLinkStatus(const std::string& text) override;

    // The PDU log window, made on first use and hidden until shown.
    CPduLogDlg& PduLogWindow();
    bool HasPduLogWindow() const { return pduLog_ != nullptr; }
    void DestroyPduLogWindow();

private:
    std::unique_ptr<CPduLogDlg> pduLog_;
    std::unique_ptr<CWaitDlg> waitDlg_;
};

// A notice of the link on the current dialog's message line, else on the main window's message pane (as a status
// tip); with neither in view it stays in the driver log alone. Never a box. UI thread.
void ShowLinkStatusOnUiThread(const QString& text);

// Registers the object with the link for its lifetime.
class ScopedLinkUi {
public:
    explicit ScopedLinkUi(ILinkUi& ui) { SetLinkUi(&ui); }
    ~ScopedLinkUi() { SetLinkUi(nullptr); }
    ScopedLinkUi(const ScopedLinkUi&) = delete;
    ScopedLinkUi& operator=(const ScopedLinkUi&) = delete;
};
