#pragma once
// What the two copy dialogs of the NE file system share (CNeFsCopyDlg for an NE with one control module,
// CNeFsCopyDualDlg for one with a master and a slave): the source file the list gives, the destinations the operator
// ticks with the name each copy gets, and the copy run. Each ticked destination is one copy the NE performs while
// the progress dialog watches it; the run stops at the first copy that fails, and once all have ended well the
// operator is told and the dialog ends with IDOK.
//
//     std::unique_ptr<CNeFsCopyBaseDlg> copy = std::make_unique<CNeFsCopyDualDlg>(this);
//     copy->SetTarget(GetNeId(), nullptr);
//     copy->SetAccessMode(kAccessCreate);
//     copy->SetSource(file.partition, file.name);
//     if (copy->DoModal() == IDOK) ... the list asks the NE again

#include "ui/framework/dialogs/ca_dialog.h"

#include <QString>

#include <cstdint>
#include <string>
#include <vector>

class CNeFsCopyBaseDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kSourcePartitionId = 1199;
    static constexpr int kSourceNameId = 1200;
    static constexpr int kMasterOpCodeACheckId = 1059;
    static constexpr int kMasterOpCodeBCheckId = 1060;
    static constexpr int kMasterOpCodeANameId = 1201;
    static constexpr int kMasterOpCodeBNameId = 1258;
    // The copy run's state once every copy has ended well.
    static constexpr uint32_t kAllCopiesDone = 7;

    void SetSource(uint32_t partition, const std::string& name);
    uint32_t GetResultState() const { return resultState_; }

    void InitData() override;
    int OnCommandHook(int id, int code) override;
    void OnOK() override;

protected:
    struct Destination {
        int checkId;
        int nameId;
        uint32_t partition; // 1 opCodeA, 2 opCodeB
        uint32_t module;    // 1 master, 2 slave control module
    };

    CNeFsCopyBaseDlg(int templateId, std::vector<Destination> destinations, QWidget* parent);

    // A copy that has ended well is not made again by the next OK: its box is cleared.
    virtual bool ClearsCopiedDestinations() const = 0;

private:
    bool IsChecked(int checkId) const;
    // Each name edit writable while its box is ticked; OK while one is.
    void UpdateDestinationControls();
    // The names of the ticked destinations; false with the message shown when one is refused.
    bool CheckNames();
    // One copy and its watch; false when the run is to stop.
    bool RunCopy(const Destination& destination);
    void RunCopies();

    std::vector<Destination> destinations_;
    uint32_t sourcePartition_ = 0;
    std::string sourceName_;
    uint32_t resultState_ = 0;
};
