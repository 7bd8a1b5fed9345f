#pragma once
// Connects the main frame's command entry to the command router: every command the frame does not handle itself
// goes its route, with the frame's current selection as the target.

#include <memory>

class CCommandRouter;
class CMainFrame;
class IFrameHost;

// The router serving the frame; it lives as long as the frame does.
CCommandRouter& InstallCommandRouting(CMainFrame& frame, IFrameHost& host);
