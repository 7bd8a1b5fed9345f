#pragma once
// CShdslPmThresholdListPage ("PM Threshold", template 412): the SHDSL PM threshold profiles of the Profile List's NE
// in its SHDSL group, or the server's templates of them: the name, the CO minimum SNR margin, maximum loop attenuation
// and 15-minute thresholds ("--" or dashes where off), each row opening CShdslPmThresholdProfileDlg. A disabled
// profile shows its image but no grey. The page's commands are those of every profile page (profile_list_page.h);
// what a row hands on to them (Show, Modify, Save All, Download) is the profile made again from the row's texts, as
// ShdslPmThresholdFromRow reads them, with the row's state.

#include "features/provisioning/profiles/profile_list_page.h"
#include "link/records/shdsl_pm_threshold_profile_rec.h"

#include <memory>
#include <string>

namespace Ui {
class CShdslPmThresholdListPage;
}

// The texts of a row's columns 1..3: "%2d" or "--", "%3d" or "---", the five 15-minute thresholds joined by " / ".
std::string ShdslSnrMarginText(const ShdslPmThresholdProfileRec& rec);
std::string ShdslLoopAttenuationText(const ShdslPmThresholdProfileRec& rec);
std::string ShdslPm15MinText(const ShdslPmThresholdProfileRec& rec);
// The profile the texts of a row give: the name; the SNR margin ("--" gives 0, off); the loop attenuation, where 0
// ("---") gives 127 (off); the ES, SES, UAS, LOSWS and CRC thresholds split at "/" ("---" gives 0). Row state 0.
ShdslPmThresholdProfileRec ShdslPmThresholdFromRow(const std::string& name, const std::string& snrMargin,
                                                   const std::string& loopAttenuation, const std::string& pm15Min);

class CShdslPmThresholdListPage : public CProfileListPageOf<ShdslPmThresholdProfileRec> {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 412;

    explicit CShdslPmThresholdListPage(QWidget* parent = nullptr);
    ~CShdslPmThresholdListPage() override;

protected:
    uint32_t ColumnSpecId() const override;
    uint32_t ExportTitleId() const override;
    bool RunEditor(ShdslPmThresholdProfileRec& rec, uint8_t accessMode) override;
    ShdslPmThresholdProfileRec RecordOfRow(const ShdslPmThresholdProfileRec& listed) const override;

private:
    std::unique_ptr<Ui::CShdslPmThresholdListPage> ui_;
};
