#pragma once
// CNeDlg ("NE", template 327): shows one NE, changes it, or creates a new one. Above its tabs it holds the NE's name,
// IP address, location and model; its pages are the Security, Position, Auto-sync, System Information and Management
// IP pages, which the dialog owns. It reads the NE from the NE table and its own configuration from the NE (request
// 303), checks what the operator entered in a fixed order, one message for each refusal, and writes the NE's key
// record (request 30, 31 for a new NE, server mode only) and then its configuration (303, when the NE gave one).
//
//     CNeDlg dlg(this);
//     dlg.SetAccessMode(kAccessCreate);
//     dlg.SetLocationId(locationId);      // a new NE: where it goes; to show or change one, SetTarget(neId, nullptr)
//     if (dlg.DoModal() == IDOK)
//         ScrollToItemData(dlg.GetNeId()); // the id the server gave it
//
// The NE table has the change when DoModal returns: the reply passes through the dispatcher first. In create mode
// the dialog starts a blank NE, whatever NE the target names. Once the server has added the NE, the dialog changes it
// from then on: when a later step fails and the operator presses OK again, the NE is not added a second time.

#include "core/util/ip_address.h"
#include "features/management/ne/ne_auto_sync_page.h"
#include "features/management/ne/ne_mgmt_ip_page.h"
#include "features/management/ne/ne_position_page.h"
#include "features/management/ne/ne_security_page.h"
#include "features/management/ne/ne_system_info_page.h"
#include "link/records/ne_config_record.h"
#include "ui/framework/dialogs/tab_dialog.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <optional>

namespace Ui {
class CNeDlg;
}
class CNeRecord;
class IpAddressEdit;
struct NeKeyRecord;

class CNeDlg : public CATabDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 327;
    static constexpr int kNameId = 1257;
    static constexpr int kIpAddressId = 1204;
    static constexpr int kLocationComboId = 1214;
    static constexpr int kModelComboId = 1250;
    // The SNMP port of every NE the dialog writes.
    static constexpr uint16_t kNePort = 161;

    explicit CNeDlg(QWidget* parent = nullptr);
    ~CNeDlg() override;

    // A new NE starts with this address and model.
    void SetPreset(const IpAddress& address, uint32_t modelId);
    // After IDOK: what was written.
    uint32_t GetModelId() const { return modelId_; }
    const IpAddress& GetIpAddress() const { return address_; }

    CNeSecurityPage& SecurityPage() { return securityPage_; }
    CNePositionPage& PositionPage() { return positionPage_; }
    CNeAutoSyncPage& AutoSyncPage() { return autoSyncPage_; }
    CNeSystemInfoPage& SystemInfoPage() { return systemInfoPage_; }
    CNeMgmtIpPage& MgmtIpPage() { return mgmtIpPage_; }

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnOK() override;
    int OnCommandHook(int id, int code) override;

private:
    bool IsDirect() const;
    IpAddressEdit* AddressEdit() const;
    void AddPages();
    void FillLocationCombo();
    // False when no NE model exists.
    bool FillModelCombo(uint32_t selectedModel);
    void LoadExistingNe(const CNeRecord& ne);
    void LoadNewNe();
    // The NE's configuration into the System Information and Management IP pages, which then show.
    void LoadNeConfig();
    void GiveMapBounds();

    // The checks of OK, each with its message; false when one refused.
    bool CheckSystemTexts();
    // The NE's name and address; *address takes what the IP control holds.
    bool CheckKeys(const std::string& name, IpAddress* address);
    bool CheckManagementAddresses();

    NeKeyRecord BuildKeyRecord(const std::string& name, const IpAddress& address) const;
    NeConfigRecord BuildConfigRecord() const;
    // Sends the key record; false when it failed. A new NE's id becomes the dialog's.
    bool WriteKeyRecord(const NeKeyRecord& key);
    // Sends the configuration record; false when it failed.
    bool WriteConfigRecord();
    // What a change of an NE asks of the NE afterwards.
    void SendFollowUps(bool wasInTable, bool wasPlanned) const;

    std::unique_ptr<Ui::CNeDlg> ui_;
    CNeSecurityPage securityPage_;
    CNePositionPage positionPage_;
    CNeAutoSyncPage autoSyncPage_;
    CNeSystemInfoPage systemInfoPage_;
    CNeMgmtIpPage mgmtIpPage_;
    QString name_;
    IpAddress presetAddress_{};
    uint32_t presetModel_ = 0;
    uint32_t modelId_ = 0;
    IpAddress address_{};
    // The configuration the NE gave at the load: what the management addresses were.
    std::optional<NeConfigRecord> loadedConfig_;
};
