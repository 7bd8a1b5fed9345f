#pragma once
// CCommandRouter: the handlers of the main window's commands. Each command of the route table goes its route:
// a dialog with its target, the port and slot selections, the routes by link mode, the checks made before a dialog,
// the one-shot requests (right, Yes/No question, request, status text), Alarm Sync, the view toggles, the PDU log
// window, help, telnet and Stop transaction.

#include "core/entity/entity_index.h"
#include "link/record_requests.h"
#include "ui/framework/dialogs/dialog_request.h"
#include "ui/shell/routing/command_table.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <string>

struct EmsMsg;

// The frame's side: the current selection and the frame's own options.
class ICommandRouteHost {
public:
    virtual ~ICommandRouteHost() = default;
    virtual uint32_t CurrentLocationId() const = 0;
    virtual uint32_t CurrentNeId() const = 0;
    virtual CEntityIndex CurrentEntityIndex() const = 0;
    // The account name of the member selected in the tree.
    virtual std::string KeyText() const = 0;
    virtual bool IsDirectMode() const = 0;
    // Inverts a view option (32770, 32773, 32769), with its menu check and its setting.
    virtual void ToggleViewOption(int commandId) = 0;
    // Shows the PDU log window and brings it to the top, when it exists.
    virtual void RaisePduLogWindow() = 0;
};

// What the handlers use outside the frame; the defaults go to the current driver, the message boxes, the telnet
// launcher and the desktop's help viewer. Tests put their own in place.
struct RouteServices {
    std::function<int(EmsMsg& request, EmsMsg** reply, uint32_t failureTextId, int32_t timeoutMs, bool waitDialog)>
        request;
    std::function<uint32_t()> driverTimeout;
    std::function<void()> cancelRequest;
    std::function<int(uint32_t stringId, int type)> ask; // a message box; returns the button
    std::function<void(uint32_t stringId)> status;       // the message pane
    std::function<void(uint32_t neId)> telnet;
    std::function<void(const QString& helpFile)> openHelp;
};
RouteServices DefaultRouteServices();

// Rights, questions and texts of the handlers.
inline constexpr int kConfirmFlags = 0x134; // Yes/No, exclamation, No default
inline constexpr int kIdYes = 6;
inline constexpr int kIdOk = 1;

class CCommandRouter {
public:
    CCommandRouter(ICommandRouteHost& host, RouteServices services);

    // Runs the command's route, after the check of the right it declares; false when the id is not a routed command.
    bool Route(int commandId);

private:
    // The handlers with names of their own.
    void OnResetEntity();
    void OnDownloadConfig();
    void OnRetrieveConfig();
    void OnDeleteLocation();
    void OnDeleteNe();
    void OnDeleteMember();
    void OnAlarmSync();
    void OnSaveConfigToFlash();
    void OnEraseConfig();
    void OnCliPromptSetting(const CommandRoute& route);
    void OnMcChannelStatus(const CommandRoute& route);
    void OnMcGroupMembership(const CommandRoute& route);
    void OnStopTransaction();
    void OnShowPduLog();
    void OnHelpContents();
    void OnTelnetToNe();

    void RouteDialog(const CommandRoute& route);
    void RoutePort(const CommandRoute& route);
    void RouteSlot(const CommandRoute& route);
    void RouteByMode(const CommandRoute& route);
    void RouteCheck(const CommandRoute& route);
    void RouteRequest(const CommandRoute& route);
    void RouteOutside(const CommandRoute& route);

    // A request for the class with the target form, location, member and opener fields of the route.
    DialogRequest MakeRequest(const CommandRoute& route, const std::string& className) const;
    void SetTarget(DialogRequest& request, uint8_t form) const;
    uint32_t LocationOrScope() const;

    // The right a command declares; without it, "No privilege" in the status bar.
    bool CheckRight(const CommandRight& right) const;
    // Question and request of a one-shot command; true when it was sent and succeeded.
    bool OneShot(uint32_t questionId, const std::function<RequestOutcome()>& request);
    // The typed requests through the services' request.
    CRecordRequests Requests() const;
    void OnMulticastCheck(const CommandRoute& route, const char* className);

    ICommandRouteHost& host_;
    RouteServices services_;
};
