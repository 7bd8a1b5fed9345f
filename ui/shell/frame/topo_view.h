#pragma once
// The Topology view (form 268): an empty form. Its refresh follows the NE of the frame's current entity and runs the
// view's decoration hooks, which draw nothing on the empty form.

#include "ui/framework/form_view.h"

class CMainFrame;

class CTopoView : public CAFormView {
    Q_OBJECT
public:
    static constexpr int kFormTemplateId = 268;

    CTopoView(CMainFrame& frame, QWidget* parent = nullptr);

    void RefreshData() override;

private:
    CMainFrame& frame_;
};
