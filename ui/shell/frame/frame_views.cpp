#include "ui/shell/frame/frame_views.h"

#include "ui/framework/views/form_view.h"
#include "ui/shell/frame/about_view.h"
#include "ui/shell/frame/topo_view.h"
#include "ui/shell/frame/view_tabs.h"

#include <map>

namespace {

std::map<int, FrameViewFactory>& Factories()
{
    static std::map<int, FrameViewFactory> factories;
    return factories;
}

} // namespace

void SetFrameViewFactory(int code, FrameViewFactory factory)
{
    if (factory)
        Factories()[code] = std::move(factory);
    else
        Factories().erase(code);
}

CAFormView* CreateFrameView(int code, QWidget* parent, IViewHost& host)
{
    const auto it = Factories().find(code);
    if (it != Factories().end())
        return it->second(parent, host);
    switch (code) {
    case kViewAbout:
        return new CAboutView(parent);
    case kViewTopology:
        return new CTopoView(host, parent);
    default:
        return nullptr;
    }
}

void InitialUpdateFrameView(CAFormView* view)
{
    if (view != nullptr)
        view->OnInitialUpdate();
}

bool IsFrameViewReady(const CAFormView* view)
{
    return view != nullptr && view->IsInitialUpdateDone();
}

void RefreshFrameView(CAFormView* view)
{
    if (view != nullptr)
        view->RefreshData();
}
