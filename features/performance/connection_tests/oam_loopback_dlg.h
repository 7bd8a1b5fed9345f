#pragma once
// COamLoopbackDlg (template 207, "ATM Loopback OAM Cell Testing"): the NE sends ATM F5 OAM loopback cells on one PVC
// of an xDSL port (request 344): segment cells, end-to-end cells or both, as the operator picks. A success shows on
// the message line; a failure in the failure box with the far end's reason, and the dialog stays open for another
// test. The PVC lists of a port (its VC-to-VLAN list, its multicast channels) open it on their chosen row, by class
// name through the dialog registry, after checking the operator's right to run it (their popup command 33089 routed
// by the main window opens it on the current port with the PVC it starts with, VPI 1 and VCI 0):
//
//     DialogRequest request;
//     request.className = "COamLoopbackDlg";
//     request.hasTarget = request.hasEntity = true;
//     request.neId = neId;
//     request.entity = CEntityId(portId);   // the port of the PVC
//     request.pvcVpi = vpi;
//     request.pvcVci = vci;
//     OpenRouteDialog(request);
//
// A port on a shelf whose model delegates its slots is addressed through the delegate slot.

#include "ui/framework/dialogs/ca_dialog.h"

#include <cstdint>
#include <memory>

namespace Ui {
class COamLoopbackDlg;
}

class COamLoopbackDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 207;
    static constexpr int kVpiId = 1376;
    static constexpr int kVciId = 1371;
    static constexpr int kSegmentId = 1059;
    static constexpr int kEndToEndId = 1060;
    static constexpr int kBothId = 1061;
    static constexpr int kTestButtonId = 1319;

    enum LoopbackType : int { kSegment = 0, kEndToEnd = 1, kBoth = 2 };

    explicit COamLoopbackDlg(QWidget* parent = nullptr);
    ~COamLoopbackDlg() override;

    void SetPvc(uint8_t vpi, uint16_t vci);
    void ApplyOpenerFields(const DialogRequest& request);
    void SetTarget(int neId, const CEntityId* entity) override;

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    int OnCommandHook(int id, int code) override;

private:
    void RunTest();

    std::unique_ptr<Ui::COamLoopbackDlg> ui_;
    uint8_t vpi_ = 1;
    uint16_t vci_ = 0;
    int loopbackType_ = -1;
};
