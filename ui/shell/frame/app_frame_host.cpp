#include "ui/shell/frame/app_frame_host.h"

#include "core/config/app_settings.h"
#include "core/util/ip_address.h"
#include "link/driver_mode.h"
#include "link/record_requests.h"
#include "ui/shell/app/ems_app.h"
#include "ui/shell/frame/frame_host.h"
#include "ui/shell/frame/main_frame.h"
#include "ui/shell/routing/frame_command_routing.h"

namespace {

class CAppFrameHost : public IFrameHost {
public:
    bool IsDirectMode() const override { return AppSettings().directControl; }
    bool IsExitRequested() const override { return GetEmsApp() != nullptr && GetEmsApp()->GetExitFlag(); }
    void OnExit() override
    {
        if (CEmsApp* app = GetEmsApp())
            app->OnExit();
    }
    void ForcedLogout() override
    {
        if (CEmsApp* app = GetEmsApp())
            app->OnForcedLogoutTimer();
    }
    void LoadLiveConfiguration() override
    {
        if (CEmsApp* app = GetEmsApp())
            app->LoadConfiguration(false);
    }
    void SetEntityMenuId(int menuId) override
    {
        if (CEmsApp* app = GetEmsApp())
            app->SetEntityMenuId(menuId);
    }
    bool OnAppCommand(int commandId) override
    {
        CEmsApp* app = GetEmsApp();
        return app != nullptr && app->OnCommand(commandId);
    }
    CPduLogDlg* PduLogWindow() override { return GetEmsApp() != nullptr ? GetEmsApp()->GetPduLogWindow() : nullptr; }
    bool IsLinkConnected() const override { return GetCurrentDriver().IsConnected(); }
    bool IsLinkInTransaction() const override { return GetCurrentDriver().IsInTransaction(); }
    std::string LinkAddressText() const override { return FormatIpAddress(AppSettings().serverIp); }
    int SendEmsMsgNoWait(EmsMsg& request) override { return CurrentDriverChannel().send(request); }
};

} // namespace

IFrameHost& AppFrameHost()
{
    static CAppFrameHost host;
    return host;
}

std::unique_ptr<IAppFrame> CreateAppMainFrame()
{
    auto frame = std::make_unique<CMainFrame>(AppFrameHost());
    InstallCommandRouting(*frame, AppFrameHost());
    return frame;
}
