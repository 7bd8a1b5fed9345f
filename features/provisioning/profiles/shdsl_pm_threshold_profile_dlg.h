#pragma once
// CShdslPmThresholdProfileDlg ("SHDSL PM Threshold Profile", template 413): shows, changes or adds one SHDSL PM
// threshold profile (an "alarm profile") of an NE, or one of the server's templates of them: the CO side's minimum SNR
// margin (1..15 dB), maximum loop attenuation (1..126 dB) and the 15-minute ES, SES, UAS, LOSWS (1..900 s) and CRC
// anomaly (1..44100) thresholds, each on while its box is ticked. Off, the SNR margin is written 0, the loop
// attenuation 127 and the others 0. OK writes the profile, enabled, and ends with IDOK; the record then holds what was
// written.
//
//     CShdslPmThresholdProfileDlg dlg(this);
//     dlg.SetTemplateMode(templateMode);
//     dlg.SetNeId(neId);                    // a template's editor too: its count goes there
//     dlg.SetAccessMode(kAccessModify);     // kAccessQuery to show, kAccessCreate to add
//     dlg.SetRecord(rec);                   // show and modify: the profile as read; else SetName() to have it read
//     if (dlg.DoModal() == IDOK) ... dlg.GetRecord() ...

#include "features/provisioning/profiles/threshold_profile_editor.h"
#include "link/records/shdsl_pm_threshold_profile_rec.h"
#include "ui/framework/dialogs/ca_dialog.h"

#include <array>
#include <cstdint>
#include <memory>

namespace Ui {
class CShdslPmThresholdProfileDlg;
}

// One threshold as the editor shows it: on or off, and the value in its range (an off one keeps its last or default).
struct ShdslThreshold {
    int on = 0;
    uint32_t value = 1;
    bool operator==(const ShdslThreshold&) const = default;
};
inline constexpr size_t kShdslThresholdCount = 7;
// In the order SNR margin, loop attenuation, ES, SES, UAS, LOSWS, CRC.
using ShdslThresholds = std::array<ShdslThreshold, kShdslThresholdCount>;

// A record's thresholds as shown, each clamped into its range; and the record's fields from the thresholds.
ShdslThresholds ShdslThresholdsOf(const ShdslPmThresholdProfileRec& rec);
void SetShdslThresholds(ShdslPmThresholdProfileRec& rec, const ShdslThresholds& thresholds);

class CShdslPmThresholdProfileDlg
    : public CThresholdProfileEditorOf<CShdslPmThresholdProfileDlg, ShdslPmThresholdProfileRec> {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 413;

    struct ThresholdControls {
        int checkId;
        int editId;
        uint32_t minimum;
        uint32_t maximum;
    };
    static constexpr std::array<ThresholdControls, kShdslThresholdCount> kControls = {{
        {1234, 1233, 1, 15},
        {1221, 1220, 1, 126},
        {1005, 1002, 1, 900},
        {1008, 1007, 1, 900},
        {1012, 1011, 1, 900},
        {1015, 1017, 1, 900},
        {1020, 1022, 1, 44100},
    }};

    explicit CShdslPmThresholdProfileDlg(QWidget* parent = nullptr);
    ~CShdslPmThresholdProfileDlg() override;

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    int OnCommandHook(int id, int code) override;
    void OnOK() override;

private:
    std::unique_ptr<Ui::CShdslPmThresholdProfileDlg> ui_;
    ShdslThresholds thresholds_{{{0, 1}, {0, 126}, {0, 1}, {0, 1}, {0, 1}, {0, 1}, {0, 1}}};
};
