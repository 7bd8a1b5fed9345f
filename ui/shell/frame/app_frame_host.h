#pragma once
// The main frame of the running program: its host is the application object and the current link driver.

#include "ui/shell/app/app_frame.h"

#include <memory>

class IFrameHost;

// The host that answers from GetEmsApp(), AppSettings() and GetCurrentDriver().
IFrameHost& AppFrameHost();

// A main frame on AppFrameHost(), for CEmsApp::SetMainFrameFactory.
std::unique_ptr<IAppFrame> CreateAppMainFrame();
