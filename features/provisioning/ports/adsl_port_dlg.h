#pragma once
// CAdslPortDlg (template 309, "ADSL Port"): one ADSL line port's enable state, its line, PM threshold and traffic
// policing profiles (chosen among the NE's, requests 640, 650 and 460), the line card's service-type control (323)
// and the port's membership in the card's packet filter groups (636; the masks of request 630). OK checks a traffic
// policing profile against the port's PPPoE-related and transparent PVCs (410, port_rules.h) and writes the port as
// it was read with the edited fields changed. A load that fails or stops leaves OK disabled, so that what could not
// be read is never written back as empty. It works alike over either link.
//
//     CAdslPortDlg dlg(this);
//     dlg.SetTarget(neId, &port);
//     dlg.SetAccessMode(kAccessModify); // kAccessQuery to show
//     dlg.SetPort(row);                 // the names and state the list shows
//     if (dlg.DoModal() == IDOK)
//         ... dlg.GetPort() ...

#include "link/records/adsl_port_rec.h"
#include "ui/framework/dialogs/ca_dialog.h"

#include <array>
#include <memory>
#include <string>

namespace Ui {
class CAdslPortDlg;
}
class QComboBox;

class CAdslPortDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 309;
    static constexpr int kPortLocationId = 1273;
    static constexpr int kEnabledRadioId = 1153;
    static constexpr int kDisabledRadioId = 1134;
    static constexpr int kLineProfileId = 1281;
    static constexpr int kPmThresholdId = 1282;
    static constexpr int kPolicingId = 1283;
    static constexpr int kShowLineProfileId = 1059;
    static constexpr int kShowPmThresholdId = 1060;
    static constexpr int kShowPolicingId = 1061;
    static constexpr int kShowFilterGroupsId = 1062;
    static constexpr int kServiceTypeControlId = 1361;
    static constexpr std::array<int, 3> kUpstreamGroupIds{1069, 1070, 1071};
    static constexpr std::array<int, 4> kDownstreamGroupIds{1079, 1080, 1081, 1082};

    explicit CAdslPortDlg(QWidget* parent = nullptr);
    ~CAdslPortDlg() override;

    // The port as the opener shows it: its profile names and enable state.
    void SetPort(const AdslPortRec& port) { port_ = port; }
    // After OK: the port as written.
    const AdslPortRec& GetPort() const { return port_; }

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    int OnCommandHook(int id, int code) override;
    void OnOK() override;

private:
    // Each load runs only after the one before it succeeded; false when one failed.
    bool Load();
    bool LoadProfiles();
    bool LoadServiceTypeControl();
    bool LoadFilterGroups();
    bool LoadPort();
    // Puts the port's name among the combo's profiles and selects it; a name the NE does not list is kept as it is.
    void SelectProfile(QComboBox& combo, const std::string& name, int showId);
    static std::string ChosenName(const QComboBox& combo);
    // False, with the dialog open, when the chosen policing profile may not go on the port or the operator says No.
    bool PolicingAllowed(const std::string& profile);
    void ShowProfile(const char* className, const QComboBox& combo);

    std::unique_ptr<Ui::CAdslPortDlg> ui_;
    AdslPortRec port_;
    int stateRadio_ = 0; // 0 Enabled, 1 Disabled
    std::array<int, 3> upstream_{};
    std::array<int, 4> downstream_{};
    bool serviceTypeControl_ = false;
};
