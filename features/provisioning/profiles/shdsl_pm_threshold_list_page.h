#pragma once
// CShdslPmThresholdListPage ("PM Threshold", template 412): the SHDSL PM threshold profiles of the Profile List's NE
// in its SHDSL group, or the server's templates of them: the name, the CO minimum SNR margin, maximum loop attenuation
// and 15-minute thresholds ("--" or dashes where off), each row opening CShdslPmThresholdProfileDlg. A disabled
// profile shows its image but no grey. The page's commands are those of every profile page (profile_list_page.h).

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

private:
    std::unique_ptr<Ui::CShdslPmThresholdListPage> ui_;
};
