#pragma once
// What the main frame asks of the application object and of the current link. The application gives the frame one
// when it creates it; tests give a stand-in.

#include <cstdint>
#include <string>

struct EmsMsg;
class CPduLogDlg;

class IFrameHost {
public:
    virtual ~IFrameHost() = default;

    // Direct SNMP mode (one NE) rather than server mode.
    virtual bool IsDirectMode() const = 0;
    // Set once the operator has confirmed Exit, or when a logout has to end the program.
    virtual bool IsExitRequested() const = 0;
    // The exit question and, on Yes, the shutdown of the session.
    virtual void OnExit() = 0;
    // The countdown of a forced logout has run out.
    virtual void ForcedLogout() = 0;
    // Re-reads the configuration keys that follow edits of the file.
    virtual void LoadLiveConfiguration() = 0;
    // The entity context menu the tree and the views pop up.
    virtual void SetEntityMenuId(int menuId) = 0;
    // Commands of the application object itself (About, Logout, Exit, Close); false when the id is not one of them.
    virtual bool OnAppCommand(int commandId) = 0;
    // The PDU log window, null when there is none.
    virtual CPduLogDlg* PduLogWindow() = 0;

    // The current link.
    virtual bool IsLinkConnected() const = 0;
    virtual bool IsLinkInTransaction() const = 0;
    // The dotted address of the server (or of the NE in direct mode).
    virtual std::string LinkAddressText() const = 0;
    // Sends a request without waiting for its reply, which reaches the dispatcher.
    virtual int SendEmsMsgNoWait(EmsMsg& request) = 0;
};
