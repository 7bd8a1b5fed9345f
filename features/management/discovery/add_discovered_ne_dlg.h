#pragma once
// CAddDiscoveredNeDlg (321, "Add Auto-discovered NEs"): what the NEs that the operator ticked in the NE
// auto-discovery dialog share when they become managed NEs: their location, and the Security, Position and
// Auto-sync pages of the NE dialog. It checks the Security page's texts on OK; the discovery dialog then adds one NE
// per ticked row with what it hands back.
//
//     CAddDiscoveredNeDlg dlg(this);
//     dlg.SetLocationId(locationId);   // when the discovery dialog has a location
//     if (dlg.DoModal() == IDOK)
//         key = dlg.SharedKey();        // every field but the NE's own name, address and model

#include "features/management/ne/ne_auto_sync_page.h"
#include "features/management/ne/ne_position_page.h"
#include "features/management/ne/ne_security_page.h"
#include "link/records/ne_key_record.h"
#include "ui/framework/dialogs/tab_dialog.h"

#include <memory>

namespace Ui {
class CAddDiscoveredNeDlg;
}

class CAddDiscoveredNeDlg : public CATabDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 321;
    static constexpr int kLocationComboId = 1214;

    explicit CAddDiscoveredNeDlg(QWidget* parent = nullptr);
    ~CAddDiscoveredNeDlg() override;

    // After IDOK: the key record every added NE starts from.
    const NeKeyRecord& SharedKey() const { return key_; }

    CNeSecurityPage& SecurityPage() { return securityPage_; }
    CNePositionPage& PositionPage() { return positionPage_; }

    void InitData() override;
    int OnCommandHook(int id, int code) override;
    void OnOK() override;

private:
    void GiveMapBounds();

    std::unique_ptr<Ui::CAddDiscoveredNeDlg> ui_;
    CNeSecurityPage securityPage_;
    CNePositionPage positionPage_;
    CNeAutoSyncPage autoSyncPage_;
    NeKeyRecord key_;
};
