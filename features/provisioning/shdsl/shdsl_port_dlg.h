#pragma once
// CShdslPortDlg (template 415, "SHDSL Port"): the line profile, PM threshold profile and enable state of one SHDSL
// port, written with request 808. The combos offer " <none>" and the NE's profiles (800, 804), the port's own
// selected; Show beside each opens that profile. A profile list the NE does not give still offers the port's own
// profile, so that OK never takes a profile away that the operator did not change. After OK the opener reads the
// record written.
//
//     CShdslPortDlg dlg(this);
//     dlg.SetTarget(neId, &portId);
//     dlg.SetPort(row);                 // the profile names and enable state the list shows
//     if (dlg.DoModal() == IDOK)
//         ... dlg.GetPort() ...

#include "link/records/shdsl_port_rec.h"
#include "ui/framework/dialogs/ca_dialog.h"

#include <memory>
#include <string>
#include <vector>

namespace Ui {
class CShdslPortDlg;
}

class CShdslPortDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 415;
    static constexpr int kPortLocationId = 1273;
    static constexpr int kEnabledRadioId = 1153;
    static constexpr int kDisabledRadioId = 1134;
    static constexpr int kLineProfileComboId = 1281;
    static constexpr int kPmThresholdComboId = 1282;
    static constexpr int kShowLineProfileId = 1059;
    static constexpr int kShowPmThresholdId = 1060;

    explicit CShdslPortDlg(QWidget* parent = nullptr);
    ~CShdslPortDlg() override;

    void SetPort(const ShdslPortRec& port) { port_ = port; }
    const ShdslPortRec& GetPort() const { return port_; }

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    int OnCommandHook(int id, int code) override;
    void OnOK() override;

private:
    // " <none>", then the names (or the port's own name when the list could not be read), the port's name selected.
    void FillCombo(int comboId, int showId, const std::vector<std::string>& names, bool read,
                   const std::string& current);
    std::string ChosenName(int comboId) const;
    void ShowProfile(int comboId, const char* className);

    std::unique_ptr<Ui::CShdslPortDlg> ui_;
    ShdslPortRec port_;
    int enableRadio_ = 0; // 0 Enabled, 1 Disabled
};
