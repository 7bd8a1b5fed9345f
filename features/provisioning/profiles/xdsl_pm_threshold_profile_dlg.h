#pragma once
// CXdslPmThresholdProfileDlg ("xDSL PM Threshold Profile", template 278): shows, changes or adds one xDSL PM threshold
// profile of an NE, or one of the server's templates of them: twelve thresholds (ES, SES and UAS seconds of the CO and
// RT ends, for 15 minutes, 1..900, and for a day, 1..86400), each on while its box is ticked and off (0) otherwise.
// OK writes the profile, enabled, and ends with IDOK; the record then holds what was written.
//
//     CXdslPmThresholdProfileDlg dlg(this);
//     dlg.SetTemplateMode(templateMode);
//     dlg.SetNeId(neId);                    // a template's editor too: its count goes there
//     dlg.SetAccessMode(kAccessModify);     // kAccessQuery to show, kAccessCreate to add
//     dlg.SetRecord(rec);                   // show and modify: the profile as read; else SetName() to have it read
//     if (dlg.DoModal() == IDOK) ... dlg.GetRecord() ...

#include "features/provisioning/profiles/threshold_profile_editor.h"
#include "link/records/xdsl_pm_threshold_profile_rec.h"
#include "ui/framework/dialogs/ca_dialog.h"

#include <array>
#include <cstdint>
#include <memory>

namespace Ui {
class CXdslPmThresholdProfileDlg;
}

class CXdslPmThresholdProfileDlg
    : public CThresholdProfileEditorOf<CXdslPmThresholdProfileDlg, XdslPmThresholdProfileRec> {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 278;
    static constexpr size_t kThresholdCount = 12;
    static constexpr uint32_t k15MinMax = 900;
    static constexpr uint32_t kDayMax = 86400;

    // Each threshold's box and edit, in the record's order: CO 15-minute ES, SES, UAS; CO day ES, SES, UAS; the same
    // for RT.
    struct ThresholdControls {
        int checkId;
        int editId;
    };
    static constexpr std::array<ThresholdControls, kThresholdCount> kControls = {{
        {1005, 1002},
        {1008, 1007},
        {1012, 1011},
        {1021, 1016},
        {1024, 1023},
        {1028, 1027},
        {1010, 1004},
        {1014, 1019},
        {1026, 1030},
        {1032, 1033},
        {1035, 1037},
        {1039, 1041},
    }};

    explicit CXdslPmThresholdProfileDlg(QWidget* parent = nullptr);
    ~CXdslPmThresholdProfileDlg() override;

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    int OnCommandHook(int id, int code) override;
    void OnOK() override;

private:
    struct Threshold {
        int enabled = 0;
        uint32_t value = 1;
    };

    std::unique_ptr<Ui::CXdslPmThresholdProfileDlg> ui_;
    std::array<Threshold, kThresholdCount> thresholds_{};
};

// The twelve thresholds of a record in the order of the editor's controls, and a record's thresholds set from them.
std::array<uint32_t, CXdslPmThresholdProfileDlg::kThresholdCount> PmThresholdsOf(const XdslPmThresholdProfileRec& rec);
void SetPmThresholds(XdslPmThresholdProfileRec& rec,
                     const std::array<uint32_t, CXdslPmThresholdProfileDlg::kThresholdCount>& values);
// Whether the threshold at that place counts a day (1..86400) rather than 15 minutes (1..900).
bool IsDayThreshold(size_t index);
