#include "ui/shell/frame/topo_view.h"

#include "ui/shell/frame/view_host.h"

CTopoView::CTopoView(IViewHost& host, QWidget* parent) : CAFormView(kFormTemplateId, parent), host_(host) {}

void CTopoView::RefreshData()
{
    // The NE-level entity of the current selection: the NE itself, or none without an NE.
    const CEntityId& current = host_.GetCurrentEntity();
    const CEntityIndex neLevel = current.index.Truncated(1);
    const CEntityId ne(&neLevel);
    SetTarget(static_cast<int>(host_.GetCurrentNeId()), &ne);
    InvalidateExtras();
}
