#pragma once
// CConfigVerifyDlg ("Configuration Verification", template 267): which classes of an NE's profiles (line, PM
// threshold, multicast channel and service, IP traffic profiles, alarm definitions) are the same as the server's
// templates, as the NE is asked (request 52), and Server->NE makes the classes the operator ticks the same (request
// 51). A class that is the same already cannot be ticked. The dialog ends with IDOK after a synchronisation.
//
//     CConfigVerifyDlg dlg(this);
//     dlg.SetTarget(neId, nullptr);
//     dlg.DoModal();

#include "link/records/profile_sync_rec.h"
#include "ui/framework/dialogs/ca_dialog.h"

#include <array>
#include <memory>

namespace Ui {
class CConfigVerifyDlg;
}

class CConfigVerifyDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 267;
    static constexpr int kServerToNeId = 1336;

    // The class of each row: its Identical and Synchronize boxes and its word of ProfileSyncRec.
    struct ClassRow {
        int identicalId;
        int synchronizeId;
        uint32_t ProfileSyncRec::*word;
    };
    static constexpr std::array<ClassRow, 6> kRows = {{
        {1059, 1060, &ProfileSyncRec::lineProfiles},
        {1061, 1062, &ProfileSyncRec::pmThresholdProfiles},
        {1063, 1064, &ProfileSyncRec::mcChannelProfiles},
        {1065, 1066, &ProfileSyncRec::alarmDefs},
        {1067, 1068, &ProfileSyncRec::ipTrafficProfiles},
        {1069, 1070, &ProfileSyncRec::mcServiceProfiles},
    }};

    explicit CConfigVerifyDlg(QWidget* parent = nullptr);
    ~CConfigVerifyDlg() override;

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    int OnCommandHook(int id, int code) override;

private:
    void OnServerToNe();
    // The classes whose Synchronize box is ticked.
    ProfileSyncRec Chosen() const;

    std::unique_ptr<Ui::CConfigVerifyDlg> ui_;
    std::array<int, kRows.size()> identical_{};
    std::array<int, kRows.size()> synchronize_{};
};
