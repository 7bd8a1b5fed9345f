#pragma once
// What the application object asks of its main frame window. The main frame implements it; the application creates
// it through a factory (CEmsApp::SetMainFrameFactory), so that tests can put a stand-in in its place.

#include <cstdint>
#include <functional>
#include <memory>

class QWidget;

class IAppFrame {
public:
    virtual ~IAppFrame() = default;

    // The frame's top-level window.
    virtual QWidget* FrameWindow() = 0;
    // Prepares the frame for a fresh login: menus, views, timers and panes (also done once at creation).
    virtual void InitFrame() = 0;
    // Hides the frame and the Location Indicator.
    virtual void HideFrameWindows() = 0;
    // Stops timers 10006 and 10004 and destroys the Location Indicator.
    virtual void StopFrameTimers() = 0;
    // (Re)starts timer 10004, the forced-logout countdown.
    virtual void StartLogoutTimer(uint32_t periodMs) = 0;
    // Queues a command for the frame, as a posted menu command.
    virtual void PostFrameCommand(int commandId) = 0;
    // The records of one entity-state notification for the trap log (60 bytes each).
    virtual int AddTrapLogRecords(uint32_t neId, const uint8_t* records, uint32_t count) = 0;
    // The status panes of the alarm flash and sound follow the settings.
    virtual void UpdateAlarmPanes() {}
};

using MainFrameFactory = std::function<std::unique_ptr<IAppFrame>()>;
