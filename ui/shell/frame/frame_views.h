#pragma once
// The views of the frame's panes, by view code: the tree (5) and the alarm summary (6) on the left, the view of the
// selected item on the right (1 About, 2 Rack, 3 Geographics, 4 Topology, 6 alarm summary, 7 Trap Log). Views made
// elsewhere in the program register their maker; a code without one gets the About view on the right.

#include <functional>

class CAFormView;
class IViewHost;
class QWidget;

using FrameViewFactory = std::function<CAFormView*(QWidget* parent, IViewHost& host)>;

// Registers (or, with an empty maker, removes) the maker of a view code.
void SetFrameViewFactory(int code, FrameViewFactory factory);

// A new view of the code in the parent (which may be null); null when none can be made.
CAFormView* CreateFrameView(int code, QWidget* parent, IViewHost& host);
// Runs the view's initial update (which starts its data load).
void InitialUpdateFrameView(CAFormView* view);
// The view has had its initial update.
bool IsFrameViewReady(const CAFormView* view);
// The periodic refresh of the view.
void RefreshFrameView(CAFormView* view);
