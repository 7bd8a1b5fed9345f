#pragma once
// CRstpPortPage ("Port GE1", template 379) of the rapid spanning tree setting dialog: one trunk port's port ID,
// whether RSTP runs on it, its priority (steps of 16 with its spin, wrapping at the ends), its path cost or the
// default, whether it is an edge port, its point-to-point setting and the migration check. It keeps the version the
// dialog chose (2 RSTP, 0 STP-compatible), which bounds the path cost and offers the migration check, and follows
// the enabling rules by the bridge's Administrative State and its own RSTP Enabled.

#include "ui/framework/dialogs/ca_dialog.h"

#include <QString>

#include <cstdint>
#include <memory>

namespace Ui {
class CRstpPortPage;
}

class CRstpPortPage : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 379;
    static constexpr int kPortIdId = 1199;
    static constexpr int kRstpEnabledId = 1059;
    static constexpr int kPriorityId = 1095;
    static constexpr int kPrioritySpinId = 1096;
    static constexpr int kDefaultCostId = 1060;
    static constexpr int kPathCostId = 1097;
    static constexpr int kPathCostSpinId = 1098;
    static constexpr int kEdgeId = 1061;
    static constexpr int kPointToPointId = 1273;
    static constexpr int kMcheckId = 1062;

    explicit CRstpPortPage(QWidget* parent = nullptr);
    ~CRstpPortPage() override;

    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    int OnCommandHook(int id, int code) override;
    int OnNotifyHook(const NotifyHeader& header, int* result) override;

    // The controls follow the bridge's Administrative State, the port's RSTP Enabled, Default and the version.
    void ApplyEnablingRules(bool bridgeEnabled);
    // A change of the version (2 or 0): the migration check follows, and the path cost keeps to its range.
    void SetVersion(uint32_t version);
    uint32_t Version() const { return version_; }

    uint32_t portNumber = 0; // 1 or 2; 0 while the NE told nothing of the port
    QString portId;
    int rstpEnabled = 0;
    uint32_t priority = 128;
    int defaultCost = 1;
    uint32_t pathCost = 20000;
    int edge = 0;
    int pointToPoint = 2; // 0 yes, 1 no, 2 auto
    int mcheck = 0;

private:
    // The path cost edit keeps to the version's range while Default is clear, and shows the default while it is set.
    void KeepPathCost();

    std::unique_ptr<Ui::CRstpPortPage> ui_;
    uint32_t version_ = 2;
    bool bridgeEnabled_ = false;
};
