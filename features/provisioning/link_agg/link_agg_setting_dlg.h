#pragma once
// CLinkAggSettingDlg (template 386, "Link Aggregation Setting"): the aggregation type of the trunk ports (LACP, static
// or disabled) and the LACP system priority, above a page per LACP group (its activity and timeout) and a page per
// trunk port (its group and port priority), all one record (request 711). The LACP controls are offered only under
// LACP; under static aggregation trunk port 2 is in group 1. Aggregating is refused while trunk port 2 subtends
// (717). Without the modify right the dialog shows the values with OK disabled.
//
//     CLinkAggSettingDlg dlg;
//     dlg.SetTarget(neId, &entity);
//     dlg.DoModal();

#include "features/provisioning/link_agg/lacp_pages.h"
#include "link/records/link_aggregation_rec.h"
#include "ui/framework/dialogs/tab_dialog.h"

#include <array>
#include <memory>

namespace Ui {
class CLinkAggSettingDlg;
}

class CLinkAggSettingDlg : public CATabDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 386;
    static constexpr int kLacpRadioId = 1153;
    static constexpr int kStaticRadioId = 1154;
    static constexpr int kDisabledRadioId = 1134;
    static constexpr int kSystemPriorityId = 1279;
    static constexpr int kSystemPrioritySpinId = 1280;
    static constexpr int kTabId = 1337;

    explicit CLinkAggSettingDlg(QWidget* parent = nullptr);
    ~CLinkAggSettingDlg() override;

    CLacpActivityPage& GroupPage(int group) { return groupPages_.at(static_cast<size_t>(group - 1)); }
    CLacpGroupPage& PortPage(int port) { return portPages_.at(static_cast<size_t>(port - 1)); }

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    int OnCommandHook(int id, int code) override;
    int OnNotifyHook(const NotifyHeader& header, int* result) override;
    void OnOK() override;

private:
    void ApplyEnablingRules(bool fromClick);
    LinkAggregationRec Record() const;

    std::unique_ptr<Ui::CLinkAggSettingDlg> ui_;
    std::array<CLacpActivityPage, 2> groupPages_;
    std::array<CLacpGroupPage, 2> portPages_;
    int typeRadio_ = 2; // 0 LACP, 1 Static, 2 Disabled
    uint32_t systemPriority_ = 32768;
};
