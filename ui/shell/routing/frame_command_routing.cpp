#include "ui/shell/routing/frame_command_routing.h"

#include "ui/framework/link_ui/pdu_log_dlg.h"
#include "ui/shell/frame/frame_host.h"
#include "ui/shell/frame/main_frame.h"
#include "ui/shell/routing/command_router.h"

namespace {

class CFrameRouteHost : public ICommandRouteHost {
public:
    CFrameRouteHost(CMainFrame& frame, IFrameHost& host) : frame_(frame), host_(host) {}

    uint32_t CurrentLocationId() const override { return frame_.GetCurrentLocationId(); }
    uint32_t CurrentNeId() const override { return frame_.GetCurrentNeId(); }
    CEntityIndex CurrentEntityIndex() const override { return frame_.GetCurrentEntityIndex(); }
    std::string KeyText() const override { return frame_.GetKeyText(); }
    bool IsDirectMode() const override { return host_.IsDirectMode(); }
    // The frame handles its view options itself.
    void ToggleViewOption(int commandId) override { frame_.OnCommand(commandId); }
    void RaisePduLogWindow() override
    {
        if (CPduLogDlg* window = host_.PduLogWindow()) {
            window->show();
            window->raise();
        }
    }

private:
    CMainFrame& frame_;
    IFrameHost& host_;
};

// Owns the route host and the router; a child of the frame, so both end with it.
class CFrameRouting : public QObject {
public:
    CFrameRouting(CMainFrame& frame, IFrameHost& host)
        : QObject(&frame), routeHost_(frame, host), router_(routeHost_, DefaultRouteServices())
    {
    }
    CCommandRouter& Router() { return router_; }

private:
    CFrameRouteHost routeHost_;
    CCommandRouter router_;
};

} // namespace

CCommandRouter& InstallCommandRouting(CMainFrame& frame, IFrameHost& host)
{
    auto* routing = new CFrameRouting(frame, host);
    CCommandRouter* router = &routing->Router();
    frame.SetCommandRouter([router](int commandId) { return router->Route(commandId); });
    return *router;
}
