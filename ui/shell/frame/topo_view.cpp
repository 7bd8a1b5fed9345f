#include "ui/shell/frame/topo_view.h"

#include "ui/shell/frame/main_frame.h"

CTopoView::CTopoView(CMainFrame& frame, QWidget* parent) : CAFormView(kFormTemplateId, parent), frame_(frame) {}

void CTopoView::RefreshData()
{
    // The NE-level entity of the current selection: the NE itself, or none without an NE.
    const CEntityId& current = frame_.GetCurrentEntity();
    const CEntityIndex neLevel = current.index.Truncated(1);
    const CEntityId ne(&neLevel);
    SetTarget(static_cast<int>(frame_.GetCurrentNeId()), &ne);
    InvalidateExtras();
}
