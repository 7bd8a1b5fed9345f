#pragma once
// The pages of the Link Aggregation Setting dialog. CLacpActivityPage ("Group 1", "Group 2", template 388): an LACP
// group's activity (active or passive) and timeout (long or short). CLacpGroupPage ("Port GE1", template 387): a
// trunk port's LACP group (trunk port 1 is always in group 1) and its port priority, 0..65535 with its spin. They hold
// values only; the dialog loads them, applies the enabling rules of the aggregation type and reads them back.

#include "ui/framework/dialogs/ca_dialog.h"

#include <cstdint>
#include <memory>

namespace Ui {
class CLacpActivityPage;
class CLacpGroupPage;
} // namespace Ui

class CLacpActivityPage : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 388;
    static constexpr int kActiveRadioId = 1059;
    static constexpr int kPassiveRadioId = 1060;
    static constexpr int kLongRadioId = 1061;
    static constexpr int kShortRadioId = 1062;

    explicit CLacpActivityPage(QWidget* parent = nullptr);
    ~CLacpActivityPage() override;

    void DoDataExchange(CDataExchange& dx) override;
    void ApplyEnablingRules(bool lacp);

    int activityRadio = 0; // 0 Active, 1 Passive
    int timeoutRadio = 0;  // 0 Long, 1 Short

private:
    std::unique_ptr<Ui::CLacpActivityPage> ui_;
};

class CLacpGroupPage : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 387;
    static constexpr int kGroupComboId = 1273;
    static constexpr int kPriorityId = 1279;
    static constexpr int kPrioritySpinId = 1280;

    explicit CLacpGroupPage(QWidget* parent = nullptr);
    ~CLacpGroupPage() override;

    // The groups the port may join: "Group 1" .. "Group <count>".
    void SetGroupCount(int count);
    void DoDataExchange(CDataExchange& dx) override;
    int OnNotifyHook(const NotifyHeader& header, int* result) override;
    void ApplyEnablingRules(bool lacp);

    int groupIndex = 0; // the group's number less 1
    uint32_t priority = 32768;

private:
    std::unique_ptr<Ui::CLacpGroupPage> ui_;
};
