#pragma once
// The Topology view (form 268): an empty form. Its refresh follows the NE of the frame's current entity and runs the
// view's decoration hooks, which draw nothing on the empty form.

#include "ui/framework/views/form_view.h"

class IViewHost;

class CTopoView : public CAFormView {
    Q_OBJECT
public:
    static constexpr int kFormTemplateId = 268;

    CTopoView(IViewHost& host, QWidget* parent = nullptr);

    void RefreshData() override;

private:
    IViewHost& host_;
};
